#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

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

// The handlers of the main window's fields and buttons. Constructing it connects
// them to the controls; "Open file" and the double-click are a DocumentOpener's.
class MainWindowActions : public QObject
{
    Q_OBJECT
public:
    // `showReminder` shows the reminder window (or brings the open one to the front).
    MainWindowActions(const Controls& controls, platform::Desktop& desktop,
                      std::function<void()> showReminder, QObject* parent = nullptr);

    // True refuses the key.
    bool propx_KeyDown(const QString& key);
    bool propy_KeyDown(const QString& key);
    bool StaticText2_MouseDown(QPoint position);

    void PushButton1_Action(); // Calculate

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Controls m_controls;
    platform::Desktop& m_desktop;
    DocumentOpener* m_opener = nullptr; // "Open file" and the double-click
};

} // namespace documents
