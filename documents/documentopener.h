#pragma once

#include "documents/mainwindowactions.h"

#include <QObject>
#include <functional>

namespace platform {
class Desktop;
}

namespace documents {

// Opens the chosen document: after the reminder, or, with Alt held, as a copy
// named with the new size beside the original. Constructing it connects
// "Open file" and the list's double-click.
class DocumentOpener : public QObject
{
    Q_OBJECT
public:
    DocumentOpener(const Controls& controls, platform::Desktop& desktop,
                   std::function<void()> showReminder, QObject* parent = nullptr);

    void PushButton2_Action();
    void filename_list_DoubleClick();

private:
    Controls m_controls;
    platform::Desktop& m_desktop;
    std::function<void()> m_showReminder;
};

} // namespace documents
