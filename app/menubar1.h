#pragma once

#include <QMenuBar>

class QMenu;

// The app's menu bar with its File and Edit menus. There is one shared
// instance: the application holds it for the whole run and the main window
// shows it while the window exists.
class MenuBar1 : public QMenuBar
{
    Q_OBJECT
public:
    // The shared instance, created and filled on first use.
    static MenuBar1* instance();
    // Whether the shared instance exists, without creating it.
    static bool exists();
    // Deletes the shared instance. Whoever shows it must have let it go first.
    static void release();

    ~MenuBar1() override;

private:
    MenuBar1();
    void Untitled0(); // the File menu
    void Untitled1(); // the Edit menu
    QMenu* addNamedMenu(const QString& name, const QString& caption);
    QAction* addItem(const QString& menuName, const QString& name, const QString& caption,
                     const QKeySequence& shortcut = {});
    void addSeparator(const QString& menuName, const QString& name);
};
