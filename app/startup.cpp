#include "app/startup.h"

#include "app/app.h"
#include "app/commandline.h"
#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "documents/documentlistbox.h"
#include "platform/desktop.h"
#include "pallisto/version.h"
#include "windows/warning.h"
#include "windows/window1.h"

#include <QDir>
#include <QIcon>
#include <QMimeData>
#include <cstdio>
#include <span>

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

void write(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

void listFiles(documents::DocumentListBox& list, const QList<QUrl>& files)
{
    if (files.isEmpty()) // nothing named: the list stays as it starts
        return;
    QMimeData drop;
    drop.setUrls(files);
    // The list takes a drop in two steps, as a paste does.
    list.filename_list_DragEnter(drop);
    list.filename_list_DropObject(drop);
}

int runApplication(int& argc, char** argv, QObject* startupObserver)
{
    // Before the application object: QApplication aborts when there is no display.
    QStringList arguments;
    for (const char* argument : std::span(argv, static_cast<std::size_t>(argc)))
        arguments << QString::fromLocal8Bit(argument);
    const CommandLine commandLine = parseCommandLine(arguments, QDir::currentPath());
    if (commandLine.exitCode) {
        write(stdout, commandLine.out);
        write(stderr, commandLine.err);
        return *commandLine.exitCode;
    }
    if (const QString message = missingDisplayMessage(arguments); !message.isEmpty()) {
        write(stderr, message);
        return noDisplayExitCode;
    }

    FileTypes1::create();

    App app(argc, argv);
    if (startupObserver)
        app.installEventFilter(startupObserver);
    App::setApplicationName(QStringLiteral("Pallisto"));
    App::setApplicationVersion(QStringLiteral(PALLISTO_VERSION));
    App::setDesktopFileName(QStringLiteral(PALLISTO_APP_ID));
    App::setWindowIcon(windowIcon());
    app.setMenuBar(MenuBar1::instance());

    app._ApplicationAddMenuHandlers();

    platform::QtDesktop desktop;
    auto* mainWindow = new Window1(desktop, app.MenuBar());
    mainWindow->show();
    listFiles(*mainWindow->findChild<documents::DocumentListBox*>(), commandLine.files);

    const int exitCode = App::exec();

    app.closeAbout();
    delete warning::instance();
    delete Window1::instance();
    MenuBar1::release();
    FileTypes1::release();
    return exitCode;
}

} // namespace pallisto
