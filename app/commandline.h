#pragma once

#include <QByteArrayList>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace app {

// What the command line asks for. With an `exitCode` the process ends at once, after
// writing `out` to stdout and `err` to stderr; without one `err` holds warnings about
// single arguments and the app starts and lists `files`.
struct CommandLine
{
    std::optional<int> exitCode;
    QString out;
    QString err;
    // Existing local files and folders, in the order given. Names without a size are
    // kept: the list leaves them out as a drop does.
    QList<QUrl> files;
};

// Exit status for a command line the program does not understand, as most
// command-line tools use it.
inline constexpr int UsageErrorExitCode = 2;
// Exit status when there is no display to show the windows on.
inline constexpr int NoDisplayExitCode = 1;

// Answers --help and --version, which need no display, before QApplication exists.
// Options it does not know are left alone: they may be Qt's. Call it while there is no
// application object: for --help it makes a QCoreApplication, whose arguments give the
// usage line the program's name as invoked.
CommandLine answerAtOnce(int& argc, char** argv);

// The line to print when no display is named at all: neither DISPLAY nor
// WAYLAND_DISPLAY is set and no Qt platform is forced. Empty otherwise.
QString missingDisplayMessage(
    const QByteArrayList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// The line to print when the display or platform that is named cannot be started.
QString unusableDisplayMessage(
    const QByteArrayList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// Wraps the construction of QApplication. Qt ends with qFatal, and so with a core dump,
// when its platform plugin cannot start; while a guard lives that fatal message ends
// the process with `line` on stderr and NoDisplayExitCode instead. Qt's other messages
// are held back meanwhile and passed on, unchanged, when the guard ends.
class StartupGuard
{
public:
    explicit StartupGuard(const QString& line);
    ~StartupGuard();
    StartupGuard(const StartupGuard&) = delete;
    StartupGuard& operator=(const StartupGuard&) = delete;
};

// Reads the arguments QApplication has left in argv, as bytes, the program name first.
// Relative names are joined to `workingFolder` as they are, so that "lnk/../x" means
// what the kernel makes of it.
CommandLine parseCommandLine(const QByteArrayList& arguments, const QString& workingFolder);

} // namespace app
