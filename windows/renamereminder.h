#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QTimer;

namespace windows {

// The notice shown before a document opens. Child window of the main window, so it goes with it.
// A separate window (listed to screen readers as one of the app's windows), which clicks pass
// through, never takes the focus and closes itself; it deletes itself when it closes.
class RenameReminder : public QWidget
{
    Q_OBJECT
public:
    explicit RenameReminder(QWidget* mainWindow);

    // Shows the reminder over the main window at the pointer's height and closes it six seconds
    // later; when already shown, only raises it (not moved, its time not restarted).
    void showAt(QPoint pointer);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint placement(QPoint pointer) const;

    QLabel* m_text = nullptr;
    QTimer* m_lifetime = nullptr; // runs from the first showAt until the reminder closes
};

} // namespace windows
