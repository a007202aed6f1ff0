#include "platform/desktop.h"
#include "windows/mainwindow.h"

#include <QApplication>
#include <QIcon>

namespace {

// Title bars and task switchers draw at most 128 px; larger sizes come from the installed theme.
QIcon windowIcon()
{
    QIcon icon;
    for (int size : {48, 128})
        icon.addFile(QStringLiteral(":/pallisto/icons/pallisto-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pallisto"));
    QApplication::setDesktopFileName(QStringLiteral(PALLISTO_APP_ID));
    QApplication::setWindowIcon(windowIcon());

    platform::QtDesktop desktop;
    windows::MainWindow window(desktop);
    window.show();
    return QApplication::exec();
}
