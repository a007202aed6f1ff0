#include "app/commandline.h"
#include "documents/liststore.h"
#include "pallisto/version.h"
#include "platform/desktop.h"
#include "windows/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QThread>
#include <cstdio>
#include <future>
#include <optional>

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

void report(const app::CommandLine& commandLine)
{
    write(stdout, commandLine.out);
    write(stderr, commandLine.err);
}

} // namespace

int main(int argc, char** argv)
{
    if (const app::CommandLine answer = app::answerAtOnce(argc, argv); answer.exitCode) {
        report(answer);
        return *answer.exitCode;
    }
    const QByteArrayList given(argv, argv + argc);
    if (const QString message = app::missingDisplayMessage(given); !message.isEmpty()) {
        write(stderr, message);
        return app::NoDisplayExitCode;
    }
    // Read on the other core while Qt starts: ten thousand remembered documents take a good part
    // of a start. Qt takes the first thread that asks for its own as its main thread, so this
    // one asks before the reading starts.
    QThread::currentThread();
    const documents::ListStore store;
    std::future<documents::ListStore::Loaded> remembered =
        std::async(std::launch::async, [&store] { return store.load(); });
    std::optional<app::StartupGuard> guard(std::in_place, app::unusableDisplayMessage(given));
    QApplication application(argc, argv);
    guard.reset();
    QApplication::setApplicationName(QStringLiteral("Pallisto"));
    QApplication::setApplicationVersion(QStringLiteral(PALLISTO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(PALLISTO_APP_ID));
    QApplication::setWindowIcon(windowIcon());

    // QApplication has taken its own options out of argv.
    const app::CommandLine commandLine =
        app::parseCommandLine(QByteArrayList(argv, argv + argc), QDir::currentPath());
    report(commandLine);
    if (commandLine.exitCode)
        return *commandLine.exitCode;

    platform::QtDesktop desktop;
    windows::MainWindow window(desktop, store, remembered.get());
    window.show();
    if (!commandLine.files.isEmpty())
        window.listFiles(commandLine.files);
    return QApplication::exec();
}
