#pragma once

#include <QWidget>

class QLabel;
class QFrame;
class QPixmap;

// The About window: what the app is for and who made it. There is at most one;
// closing it deletes it, and the next request opens a fresh one.
class Window2 : public QWidget
{
    Q_OBJECT
public:
    // Shows the About window, creating it when none is open, and brings it to the
    // front (restoring it when minimised).
    static Window2* Show();
    // The open About window, or nullptr.
    static Window2* instance();

    // The About picture, loaded on first use and kept for the rest of the run.
    // Null when the resource is missing.
    static QPixmap AboutPicture();
    // Frees the picture. Call before the application object goes.
    static void ReleaseAboutPicture();

    ~Window2() override;

private:
    Window2();
    void Layout();
    void CreateControls();
    void _CreateControls0();

    QLabel* m_StaticText1 = nullptr;
    QLabel* m_StaticText2 = nullptr;
    QFrame* m_Separator1 = nullptr;
    QLabel* m_Canvas1 = nullptr;
};
