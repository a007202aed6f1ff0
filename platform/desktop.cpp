#include "platform/desktop.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

QtDesktop::QtDesktop()
{
    m_clock.start();
}

bool QtDesktop::Launch(const QString& absolutePath)
{
    if (!QFileInfo::exists(absolutePath))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolutePath));
}

bool QtDesktop::AsyncAltKey() const
{
    // Any combination that includes Alt counts: some window managers take a
    // plain Alt+click for themselves, while Shift+Alt+click gets through.
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

QPoint QtDesktop::MousePosition() const
{
    return QCursor::pos();
}

double QtDesktop::Microseconds() const
{
    return static_cast<double>(m_clock.nsecsElapsed()) / 1000.0;
}

void QtDesktop::Beep()
{
    QApplication::beep();
}

} // namespace platform
