// The app's start-up as main() does it, watched until its main window is shown.
#include "bench/startupprobe.h"
#include "platform/desktop.h"
#include "windows/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    StartupProbe probe(QStringLiteral("mainWindow"));
    app.installEventFilter(&probe);
    platform::QtDesktop desktop;
    windows::MainWindow window(desktop);
    window.show();
    return QApplication::exec();
}
