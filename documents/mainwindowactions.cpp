#include "documents/mainwindowactions.h"

#include "documents/documentopener.h"

// Work in progress: the handlers are filled in with the fields and actions.
namespace documents {

MainWindowActions::MainWindowActions(const Controls& controls, platform::Desktop& desktop,
                                     std::function<void()> showReminder, QObject* parent)
    : QObject(parent), m_controls(controls), m_desktop(desktop),
      m_opener(new DocumentOpener(controls, desktop, std::move(showReminder), this))
{
}

bool MainWindowActions::propx_KeyDown(const QString&) { return false; }
bool MainWindowActions::propy_KeyDown(const QString&) { return false; }
bool MainWindowActions::StaticText2_MouseDown(QPoint) { return false; }
void MainWindowActions::PushButton1_Action() {}
bool MainWindowActions::eventFilter(QObject* watched, QEvent* event)
{
    return QObject::eventFilter(watched, event);
}

} // namespace documents
