#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace platform {
class Desktop;
}

namespace windows {
class RenameReminder;
}

namespace documents {
class DocumentListBox;
class MainWindowActions;
} // namespace documents

// The main window: the document list, the two dimension fields, "Calculate",
// "Open file" and the result box. Its content area (below the menu bar where the
// menu bar sits inside the window) is 220 px wide and 300 to 32000 px high; only
// the height can change, and the list takes up the difference. Closing the window
// deletes it.
class Window1 : public QMainWindow
{
    Q_OBJECT
public:
    // `menuBar` is the application's one menu bar. The window shows it while it
    // exists and hands it back, parentless and undeleted, when it goes.
    Window1(platform::Desktop& desktop, QMenuBar* menuBar, QWidget* parent = nullptr);
    ~Window1() override;

    // The open main window, or nullptr.
    static Window1* instance();

    // The items of the window's menu bar, looked up by name; nullptr when the
    // window has no menu bar. For a menu, its menu action.
    QAction* EditMenu() const;
    QAction* EditSelectAll() const;
    QAction* UntitledMenu0() const;
    QAction* EditClear() const;
    QAction* EditPaste() const;
    QAction* EditCopy() const;
    QAction* EditCut() const;
    QAction* UntitledMenu1() const;
    QAction* EditUndo() const;
    QAction* FileMenu() const;
    QAction* FileAboutPallisto() const; // the item named "FileAboutPallisto…"
    QAction* FileQuit() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Layout(QMenuBar* menuBar);
    void CreateControls();
    void _CreateControls0();
    QAction* menuItem(const QString& name) const;

    platform::Desktop& m_desktop;
    QPointer<QMenuBar> m_menuBar; // not owned

    documents::DocumentListBox* m_filename_list = nullptr;
    QLineEdit* m_propx = nullptr;
    QLineEdit* m_propy = nullptr;
    QLabel* m_StaticText1 = nullptr;
    QLabel* m_StaticText2 = nullptr;
    QLabel* m_StaticText3 = nullptr;
    QPushButton* m_PushButton1 = nullptr;
    QPushButton* m_PushButton2 = nullptr;
    QFrame* m_Separator1 = nullptr;
    QGroupBox* m_GroupBox1 = nullptr;
    QLabel* m_StaticText4 = nullptr;
    QLabel* m_percents = nullptr;
    documents::MainWindowActions* m_actions = nullptr;
    QPointer<windows::RenameReminder> m_reminder; // deletes itself when it closes
};
