#pragma once

#include <QApplication>
#include <QPointer>

class MenuBar1;

namespace windows {
class AboutWindow;
}

// The application object. It holds the menu bar for the whole run and handles
// the one menu command that belongs to the application rather than a window.
class App : public QApplication
{
    Q_OBJECT
public:
    App(int& argc, char** argv);
    ~App() override;

    // The running App, or nullptr when the application object is not an App.
    static App* instance();

    MenuBar1* MenuBar() const { return m_menuBar; }
    void setMenuBar(MenuBar1* menuBar) { m_menuBar = menuBar; }

    // Connects the application's menu handlers to the menu bar's items.
    void _ApplicationAddMenuHandlers();

    // "About Pallisto…": shows the About window, or brings the open one to the
    // front. Returns false, as the command's handler always does.
    bool _FileAboutPallisto_Action();
    // The open About window, or nullptr.
    windows::AboutWindow* aboutWindow() const;
    // Closes and deletes the About window if it is open.
    void closeAbout();

private:
    QPointer<MenuBar1> m_menuBar;
    QPointer<windows::AboutWindow> m_about; // deletes itself when closed
};
