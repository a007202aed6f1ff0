#include "app/commandline.h"

#include "pallisto/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace app {

namespace {

struct Options
{
    QCommandLineOption help;
    QCommandLineOption version;
};

Options describe(QCommandLineParser& parser)
{
    // Qt's options take one dash and a whole word, as in "-platform xcb"; "-reverse" must
    // not read as -r -e -v ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Finds, among documents named with their size (\"poster 50x70.pdf\"),\n"
        "the one whose proportions come closest to a new size.\n"
        "\n"
        "Open File (Ctrl+O) opens the chosen document after a reminder to rename it.\n"
        "Open a Copy with the New Size (Ctrl+Shift+O), or Alt (Option) held while\n"
        "pressing Open file or double-clicking a document, copies the document beside\n"
        "the original under the new size's name, or takes the file of that name that\n"
        "is already there, and opens it."));
    // Not addHelpOption(): its --help-all would describe Qt's options, which only
    // QApplication knows, and QApplication needs a display.
    Options options{{{QStringLiteral("h"), QStringLiteral("help")},
                     QStringLiteral("Displays help on commandline options.")},
                    parser.addVersionOption()};
    parser.addOption(options.help);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Documents to list, as if dropped onto the list; "
                                                "names without a size such as 50x70 are left out."),
                                 QStringLiteral("[FILE...]"));
    return options;
}

QStringList decoded(const QByteArrayList& arguments)
{
    QStringList strings;
    for (const QByteArray& argument : arguments)
        strings << QString::fromLocal8Bit(argument);
    return strings;
}

// As invoked, so that the hints name the command the user typed.
QString programName(const QStringList& arguments)
{
    return QFileInfo(arguments.value(0)).fileName();
}

// In double quotes with escapes, so that a name holding a newline or bytes that are not
// text still makes one readable line.
template <typename Text> QString quoted(const Text& text)
{
    QString result;
    QDebug(&result).nospace() << text;
    return result;
}

// As QGuiApplication reads it: the last "-platform NAME", also with two dashes, over
// the environment variable.
QString forcedPlatform(const QStringList& arguments, const QProcessEnvironment& environment)
{
    const qsizetype at = std::max(arguments.lastIndexOf(QStringLiteral("-platform")),
                                  arguments.lastIndexOf(QStringLiteral("--platform")));
    if (const QString named = arguments.value(at + 1); at != -1 && !named.isEmpty())
        return named;
    return environment.value(QStringLiteral("QT_QPA_PLATFORM"));
}

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Qt's message handler is a plain function, so the guard's state lives here; there is
// one start-up per process.
QByteArray failureLine;
QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs(failureLine.constData(), stderr);
        std::fflush(stderr);
        // Not exit(): Qt is half built and its static objects must not be torn down.
        std::_Exit(NoDisplayExitCode);
    }
    heldMessages.append({type, context.category, text});
}

} // namespace

CommandLine answerAtOnce(int& argc, char** argv)
{
    QCommandLineParser parser;
    const Options options = describe(parser);
    // Errors wait for QApplication: the options it does not know yet may be Qt's.
    parser.parse(decoded(QByteArrayList(argv, argv + argc)));
    CommandLine result;
    if (parser.isSet(options.help)) {
        // The usage line names the program from the application object's arguments.
        const QCoreApplication core(argc, argv);
        result.exitCode = 0;
        result.out = parser.helpText();
    } else if (parser.isSet(options.version)) {
        result.exitCode = 0;
        result.out = QStringLiteral("Pallisto " PALLISTO_VERSION "\n");
    }
    return result;
}

QString missingDisplayMessage(const QByteArrayList& given, const QProcessEnvironment& environment)
{
    const QStringList arguments = decoded(given);
    if (!environment.value(QStringLiteral("DISPLAY")).isEmpty() ||
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
        !forcedPlatform(arguments, environment).isEmpty())
        return {};
    return QStringLiteral("%1: no graphical display found (DISPLAY and WAYLAND_DISPLAY are "
                          "unset); start Pallisto inside a desktop session.\n")
        .arg(programName(arguments));
}

QString unusableDisplayMessage(const QByteArrayList& given, const QProcessEnvironment& environment)
{
    const QStringList arguments = decoded(given);
    const QString program = programName(arguments);
    const QString advice = QStringLiteral("; start Pallisto inside a desktop session.\n");
    if (const QString platform = forcedPlatform(arguments, environment); !platform.isEmpty())
        return program + QStringLiteral(": cannot start the Qt platform ") + quoted(platform) +
               advice;
    QStringList displays;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const QString display = environment.value(QLatin1String(name)); !display.isEmpty())
            displays << quoted(display);
    return program + QStringLiteral(": cannot connect to the display ") +
           displays.join(QStringLiteral(" or ")) + advice;
}

StartupGuard::StartupGuard(const QString& line)
{
    failureLine = line.toLocal8Bit();
    previousHandler = qInstallMessageHandler(holdOrFail);
}

StartupGuard::~StartupGuard()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::exchange(heldMessages, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

CommandLine parseCommandLine(const QByteArrayList& arguments, const QString& workingFolder)
{
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    const QStringList strings = decoded(arguments);
    const QString program = programName(strings);
    if (!parser.parse(strings)) {
        result.exitCode = UsageErrorExitCode;
        result.err = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                         .arg(program, parser.errorText());
        return result;
    }
    // Qt has taken its options and answerAtOnce() ours: the rest are names, but the
    // first "--", which only ends the options.
    const QDir folder(workingFolder);
    bool optionsEnded = false;
    for (const QByteArray& argument : arguments.mid(1)) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        // Launchers pass file: URLs for %U; this machine's files are the path's bytes.
        QByteArray bytes = argument;
        const QUrl url = QUrl::fromEncoded(argument);
        if (url.isLocalFile() && (url.host().isEmpty() || url.host() == QLatin1String("localhost")))
            bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        // A QString cannot carry these bytes back to the kernel: it would name another file.
        if (!bytes.isValidUtf8()) {
            result.err += QStringLiteral("%1: %2: the name is not valid UTF-8; rename the file "
                                         "to list it\n")
                              .arg(program, quoted(argument));
            continue;
        }
        const QString path = QString::fromUtf8(bytes);
        if (!path.isEmpty() && QFileInfo::exists(folder.filePath(path)))
            result.files << QUrl::fromLocalFile(folder.filePath(path));
        else
            result.err += QStringLiteral("%1: %2: no such file\n")
                              .arg(program, quoted(QString::fromUtf8(argument)));
    }
    return result;
}

} // namespace app
