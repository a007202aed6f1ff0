#include "windows/scanprogress.h"

#include "documents/documentlist.h"

#include "windows/lateprogress.h"

namespace windows {

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
    m_progress = lateProgress(tr("Looking for documents in the folders…"), 0, m_window);
    m_progress->setObjectName(QStringLiteral("scanProgress"));
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
    dismiss(m_progress);
}

} // namespace windows
