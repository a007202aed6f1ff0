#include "windows/openfeedback.h"

#include "documents/documentopener.h"
#include "windows/lateprogress.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace windows {

namespace {

// The bar counts in ints, while documents may hold more bytes than an int can count.
constexpr int ProgressSteps = 1000;

} // namespace

OpenFeedback::OpenFeedback(documents::DocumentOpener& opener, QWidget* window)
    : QObject(window), m_opener(opener), m_window(window)
{
    using documents::DocumentOpener;
    connect(&opener, &DocumentOpener::failed, this, &OpenFeedback::showFailure);
    connect(&opener, &DocumentOpener::copyStarted, this, &OpenFeedback::showCopy);
    connect(&opener, &DocumentOpener::copyProgress, this, &OpenFeedback::showProgress);
    connect(&opener, &DocumentOpener::copyEnded, this, &OpenFeedback::endCopy);
}

void OpenFeedback::showFailure(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                                message, QMessageBox::Ok, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open(); // window-modal, and the window keeps painting
}

void OpenFeedback::showCopy(const QString& originalName, const QString& copyName)
{
    // After the last byte the copy is still being flushed and named, and may still be
    // cancelled: a full bar stays up, with Cancel, until the opener says the copy has ended.
    m_progress = lateProgress(tr("Copying \"%1\" to \"%2\"…").arg(originalName, copyName),
                              ProgressSteps, m_window);
    connect(m_progress, &QProgressDialog::canceled, &m_opener, &documents::DocumentOpener::cancelCopy);
}

void OpenFeedback::showProgress(qint64 done, qint64 total)
{
    if (m_progress && total > 0)
        m_progress->setValue(static_cast<int>(done * ProgressSteps / total));
}

void OpenFeedback::endCopy()
{
    dismiss(m_progress);
}

} // namespace windows
