#include "app/commandline.h"
#include "pallisto/version.h"
#include "platform/desktop.h"
#include "windows/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <span>

namespace {

// Every size the resource holds; which ones it holds is decided where the icons are listed.
QIcon windowIcon()
{
    QIcon icon;
    const QDir icons(QStringLiteral(":/pallisto/icons"));
    for (const QString& name : icons.entryList(QDir::Files))
        icon.addFile(icons.filePath(name));
    return icon;
}

void write(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv)
{
    // Answered before the application object exists: QApplication aborts without a display.
    QStringList arguments;
    for (const char* argument : std::span(argv, static_cast<std::size_t>(argc)))
        arguments << QString::fromLocal8Bit(argument);
    const pallisto::CommandLine commandLine =
        pallisto::parseCommandLine(arguments, QDir::currentPath());
    if (commandLine.exitCode) {
        write(stdout, commandLine.out);
        write(stderr, commandLine.err);
        return *commandLine.exitCode;
    }
    if (const QString message = pallisto::missingDisplayMessage(arguments); !message.isEmpty()) {
        write(stderr, message);
        return pallisto::noDisplayExitCode;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pallisto"));
    QApplication::setApplicationVersion(QStringLiteral(PALLISTO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(PALLISTO_APP_ID));
    QApplication::setWindowIcon(windowIcon());

    platform::QtDesktop desktop;
    windows::MainWindow window(desktop);
    window.show();
    window.listFiles(commandLine.files);
    return QApplication::exec();
}
