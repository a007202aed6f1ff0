#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace platform {
class Desktop;
}

namespace documents {

class DocumentListBox;
class DocumentOpener;

// The main window's controls that the actions work on.
struct Controls
{
    QWidget* window = nullptr;
    DocumentListBox* filename_list = nullptr;
    QLineEdit* propx = nullptr;
    QLineEdit* propy = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* percents = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
};

// Sets a label to a multi-line text whose lines are separated by carriage returns,
// the form the result texts are computed in; a label shows a line break only for "\n".
void setMultilineText(QLabel* label, std::string_view text);

// The key filter of the dimension fields: true refuses a key whose text neither
// sorts before the space (control keys, an empty text) nor is made of digits.
bool refusesKey(const QString& key);

// The handlers of the main window's fields and buttons. Constructing it connects
// them to the controls; "Open file" and the double-click are a DocumentOpener's.
class MainWindowActions : public QObject
{
    Q_OBJECT
public:
    // `showReminder` shows the reminder window (or brings the open one to the front).
    MainWindowActions(const Controls& controls, platform::Desktop& desktop,
                      std::function<void()> showReminder, QObject* parent = nullptr);

    // True refuses the key. Keys pressed with Ctrl or Meta are shortcuts and never
    // reach these handlers.
    bool propx_KeyDown(const QString& key);
    bool propy_KeyDown(const QString& key);
    // Exchanges the texts of the two fields exactly; calculates nothing.
    bool StaticText2_MouseDown(QPoint position);

    // Calculate: checks the fields, selects the row closest in ratio and shows the
    // two percentages. An unusable input only beeps and changes nothing.
    void PushButton1_Action();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Controls m_controls;
    platform::Desktop& m_desktop;
    DocumentOpener* m_opener = nullptr; // "Open file" and the double-click
};

} // namespace documents
