#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QTimer;

namespace platform {
class Desktop;
}

// The reminder to save the opened document under a new name: a small frameless
// box over the main window at the pointer's height, which closes itself after
// six seconds. There is at most one at a time. The user can neither move, resize
// nor close it, and it never takes the keyboard focus from the main window.
class warning : public QWidget
{
    Q_OBJECT
public:
    // Shows the reminder over `mainWindow`, or brings the open one to the front
    // without moving it or restarting its time. `desktop` must outlive the reminder.
    static warning* Show(QWidget* mainWindow, platform::Desktop& desktop);
    // The open reminder, or nullptr once it has closed.
    static warning* instance();

    // Closes the reminder; runs when Timer1 fires.
    void Timer1_Action();

    QLabel* StaticText1() const { return m_staticText1; }
    // Fires once, six seconds after the reminder opened.
    QTimer* Timer1() const { return m_timer1; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    warning(QWidget* mainWindow, platform::Desktop& desktop);

    void Layout();
    void CreateControls();
    void CreateControls0();
    void AddMenuHandlers();
    // Places the reminder over the main window at the pointer's height and starts
    // its time; runs once, when the reminder first opens.
    void Event_Open();

    QPointer<QWidget> m_mainWindow;
    platform::Desktop& m_desktop;
    QLabel* m_staticText1 = nullptr;
    QTimer* m_timer1 = nullptr;
    bool m_opened = false;

    static QPointer<warning> s_instance;
};
