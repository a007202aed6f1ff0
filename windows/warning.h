#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace platform {
class Desktop;
}

// The reminder to save the opened document under a new name: a small frameless
// box over the main window at the pointer's height, which closes itself after
// six seconds. There is at most one at a time.
class warning : public QWidget
{
    Q_OBJECT
public:
    // Shows the reminder over `mainWindow`, or brings the open one to the front
    // without moving it or restarting its time.
    static warning* Show(QWidget* mainWindow, platform::Desktop& desktop);
    // The open reminder, or nullptr.
    static warning* instance();
};
