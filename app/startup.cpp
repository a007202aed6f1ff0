#include "app/startup.h"

#include "app/app.h"
#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "platform/desktop.h"
#include "windows/window1.h"
#include "windows/window2.h"

#include <QIcon>

namespace pallisto {

namespace {

// Title bars and task switchers draw at most 128 px; the desktop takes larger
// sizes from the installed theme icon. Decoding the 256 px picture for the window
// would cost most of the icon's share of start-up.
QIcon windowIcon()
{
    QIcon icon;
    for (int size : {48, 128})
        icon.addFile(QStringLiteral(":/pallisto/icons/pallisto-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace

int runApplication(int& argc, char** argv, QObject* startupObserver)
{
    FileTypes1::create();

    App app(argc, argv);
    if (startupObserver)
        app.installEventFilter(startupObserver);
    App::setApplicationName(QStringLiteral("Pallisto"));
    App::setApplicationVersion(QStringLiteral("1.0"));
    App::setDesktopFileName(QStringLiteral(PALLISTO_APP_ID));
    App::setWindowIcon(windowIcon());
    app.setMenuBar(MenuBar1::instance());

    app._ApplicationAddMenuHandlers();

    platform::QtDesktop desktop;
    (new Window1(desktop, app.MenuBar()))->show();

    const int exitCode = App::exec();

    Window2::ReleaseAboutPicture();
    delete Window2::instance();
    delete Window1::instance();
    MenuBar1::release();
    FileTypes1::release();
    return exitCode;
}

} // namespace pallisto
