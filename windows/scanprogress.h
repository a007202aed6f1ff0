#pragma once

#include <QObject>
#include <QPointer>

class QProgressDialog;
class QWidget;

namespace documents {
class DocumentList;
}

namespace windows {

// Shows over `window` how a folder scan of the list goes, in a dialog that appears only when
// the scan lasts, and whose Cancel drops the scan. Lives as long as the window.
class ScanProgress : public QObject
{
    Q_OBJECT
public:
    ScanProgress(documents::DocumentList& list, QWidget* window);

private:
    void show();
    void tell(int found);
    void end();

    documents::DocumentList& m_list;
    QWidget* m_window;
    QPointer<QProgressDialog> m_progress;
};

} // namespace windows
