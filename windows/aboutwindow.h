#pragma once

#include <QWidget>

class QLabel;
class QPalette;

namespace windows {

// The About window: what the app is for and who made it. Closing it (its close
// button, Escape or Ctrl+W) deletes it; whoever opens it keeps a QPointer and
// makes a new one when that is null.
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // The resource of the About picture for a screen of `devicePixelRatio` and a
    // window drawn with `palette`: the light-lettered variant on dark windows, since
    // the dark wordmark vanishes there, and the sharp @2x file on high-density screens.
    static QString pictureFile(qreal devicePixelRatio, const QPalette& palette);

protected:
    void changeEvent(QEvent* event) override;

private:
    void showPicture();

    QLabel* m_picture = nullptr;
};

} // namespace windows
