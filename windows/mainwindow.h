#pragma once

#include "documents/liststore.h"
#include "documents/documentopener.h"

#include <QMainWindow>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace platform {
class Desktop;
}

namespace documents {
class DocumentList;
} // namespace documents

namespace windows {

class AboutWindow;
class RenameReminder;

// Whether a click with these modifiers asks for a copy: Alt, alone or with other keys, since
// some window managers take a plain Alt+click for themselves while Shift+Alt gets through.
bool isAltHeld(Qt::KeyboardModifiers modifiers);

// The main window: the document list, the two size fields with the swap control between them,
// "Calculate", "Open file" and the result box, with the File and Edit menus. Only the height can
// change, within limits, and the list takes up the difference. The list is remembered in
// `store`: shown again from it at the start, and saved to it whenever it changes.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `remembered`: what `store` held, when it was read ahead; read here when not given.
    // `reminderWaitMilliseconds`: how long a document waits behind the reminder before it opens.
    explicit MainWindow(
        platform::Desktop& desktop, const documents::ListStore& store = documents::ListStore(),
        std::optional<documents::ListStore::Loaded> remembered = std::nullopt,
        int reminderWaitMilliseconds = documents::DocumentOpener::ReminderWaitMilliseconds,
        QWidget* parent = nullptr);
    ~MainWindow() override; // waits for the list to be saved

    // Lists files exactly as a drop of them would.
    void listFiles(const QList<QUrl>& files);

    // Selects the row closest in ratio to the typed size and shows the two percentages. An
    // unusable input only beeps and changes nothing.
    void calculate();
    // Opens the selected row's document; with Alt among `modifiers`, a copy of it.
    void openChosen(Qt::KeyboardModifiers modifiers);
    // Opens the document of `row`; with Alt among `modifiers`, a copy of it.
    void openRow(int row, Qt::KeyboardModifiers modifiers);
    // Exchanges the width and the height exactly as they stand; calculates nothing.
    void swapSizes();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    void showReminder();
    void showAbout();
    void tellNamesLeftOut();
    void rememberList();

    platform::Desktop& m_desktop;
    documents::DocumentList* m_documentList = nullptr;
    QLineEdit* m_widthField = nullptr;
    QLineEdit* m_heightField = nullptr;
    QToolButton* m_swapButton = nullptr;
    QPushButton* m_calculateButton = nullptr;
    QPushButton* m_openButton = nullptr;
    QLabel* m_resultLabel = nullptr;
    documents::DocumentOpener* m_opener = nullptr;
    QPointer<AboutWindow> m_about;
    QPointer<RenameReminder> m_reminder;
    documents::ListStore m_store;
    QThreadPool m_saving; // one thread, so that saves land in the order they were made
};

} // namespace windows
