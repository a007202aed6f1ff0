#include "windows/scanprogress.h"

#include "documents/documentlist.h"

#include <QGuiApplication>
#include <QProgressDialog>

namespace windows {

namespace {

// As for a copy: a scan that ends sooner shows nothing.
constexpr int ProgressDelayMilliseconds = 500;

} // namespace

ScanProgress::ScanProgress(documents::DocumentList& list, QWidget* window)
    : QObject(window), m_list(list), m_window(window)
{
    using documents::DocumentList;
    connect(&list, &DocumentList::scanStarted, this, &ScanProgress::show);
    connect(&list, &DocumentList::scanProgress, this, &ScanProgress::tell);
    connect(&list, &DocumentList::scanEnded, this, &ScanProgress::end);
}

void ScanProgress::show()
{
    end();
    // No total is known before the end: the bar only shows that work goes on.
    m_progress = new QProgressDialog(tr("Looking for documents in the folders…"), tr("Cancel"),
                                     0, 0, m_window);
    m_progress->setObjectName(QStringLiteral("scanProgress"));
    m_progress->setWindowTitle(QGuiApplication::applicationDisplayName());
    m_progress->setAttribute(Qt::WA_DeleteOnClose);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(ProgressDelayMilliseconds);
    m_progress->setValue(0);
    connect(m_progress, &QProgressDialog::canceled, &m_list,
            &documents::DocumentList::cancelScan);
}

void ScanProgress::tell(int found)
{
    if (m_progress)
        m_progress->setLabelText(tr("Looking for documents in the folders… %n found", "", found));
}

void ScanProgress::end()
{
    if (!m_progress)
        return;
    // Hidden, not closed, which would cancel; deleted later, as this may be told from inside
    // the dialog's own Cancel.
    m_progress->hide();
    m_progress->deleteLater();
    m_progress = nullptr;
}

} // namespace windows
