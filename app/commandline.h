#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace pallisto {

// What the command line asks for. Either the process ends at once with `exitCode`,
// after writing `out` to stdout and `err` to stderr, or the app starts and lists
// `files`.
struct CommandLine
{
    std::optional<int> exitCode;
    QString out;
    QString err;
    // Local files, in the order given, relative names resolved against the working
    // folder. Names without a size are kept: the list leaves them out as a drop does.
    QList<QUrl> files;
};

// Exit status for a command line the program does not understand, as most
// command-line tools use it.
inline constexpr int usageErrorExitCode = 2;
// Exit status when there is no display to show the windows on.
inline constexpr int noDisplayExitCode = 1;

// Reads `arguments` (the program name first, as in argv). Needs no application
// object, so --help, --version and mistakes are answered without a display.
// Qt's own options (-platform, -style, ...) are accepted and left to QApplication.
CommandLine parseCommandLine(const QStringList& arguments, const QString& workingFolder);

// The line to print when no window can be shown: neither X11 nor Wayland is
// reachable and no Qt platform is forced. Empty when the app can start. Without
// this check Qt would abort with a core dump instead of a plain message.
QString missingDisplayMessage(
    const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace pallisto
