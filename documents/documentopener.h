#pragma once

#include "documents/mainwindowactions.h"
#include "platform/folderitem.h"

#include <QObject>
#include <functional>

namespace platform {
class Desktop;
}

namespace documents {

// Opens the chosen document: after the reminder, or, with Alt held, as a copy
// named with the new size beside the original. Constructing it connects
// "Open file" and the list's double-click.
//
// Failures are told to the user in a window-modal message over the main window;
// nothing is overwritten or deleted in the document's folder.
class DocumentOpener : public QObject
{
    Q_OBJECT
public:
    // `showReminder` shows the reminder window (or brings the open one to the front).
    DocumentOpener(const Controls& controls, platform::Desktop& desktop,
                   std::function<void()> showReminder, QObject* parent = nullptr);

    // "Open file": the selected row with the highest index.
    void PushButton2_Action();
    // The row under the pointer, whatever is selected.
    void filename_list_DoubleClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openRow(int row, bool copyMode);
    void waitAfterReminder();
    void launch(const platform::FolderItem& document);
    void tell(const QString& text);

    Controls m_controls;
    platform::Desktop& m_desktop;
    std::function<void()> m_showReminder;
    bool m_busy = false; // one action at a time, even if an event slips into the wait
};

} // namespace documents
