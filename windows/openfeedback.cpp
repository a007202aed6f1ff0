#include "windows/openfeedback.h"

#include "documents/documentopener.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace windows {

namespace {

// A copy that ends sooner shows no progress at all.
constexpr int ProgressDelayMilliseconds = 500;
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
    m_progress = new QProgressDialog(tr("Copying \"%1\" to \"%2\"…").arg(originalName, copyName),
                                     tr("Cancel"), 0, ProgressSteps, m_window);
    m_progress->setWindowTitle(QGuiApplication::applicationDisplayName());
    m_progress->setAttribute(Qt::WA_DeleteOnClose);
    // After the last byte the copy is still being flushed and named, and may still be
    // cancelled: a full bar stays up, with Cancel, until the opener says the copy has ended.
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(ProgressDelayMilliseconds);
    m_progress->setValue(0);
    connect(m_progress, &QProgressDialog::canceled, &m_opener, &documents::DocumentOpener::cancelCopy);
}

void OpenFeedback::showProgress(qint64 done, qint64 total)
{
    if (m_progress && total > 0)
        m_progress->setValue(static_cast<int>(done * ProgressSteps / total));
}

void OpenFeedback::endCopy()
{
    if (!m_progress)
        return;
    // Not closed, which would report a cancel; not deleted at once, since the end may be told
    // while the dialog is still handling its own Cancel.
    m_progress->hide();
    m_progress->deleteLater();
}

} // namespace windows
