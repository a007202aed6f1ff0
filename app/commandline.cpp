#include "app/commandline.h"

#include "pallisto/version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>

namespace pallisto {

namespace {

// The options QGuiApplication and QApplication read from the command line. They
// reach QApplication untouched; the parser only has to know them to not refuse them.
const QStringList qtOptionsWithValue = {
    QStringLiteral("platform"),     QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("session"),
    QStringLiteral("display"),      QStringLiteral("style"),
    QStringLiteral("stylesheet"),   QStringLiteral("qmljsdebugger")};
const QStringList qtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                             QStringLiteral("nograb"), QStringLiteral("dograb"),
                             QStringLiteral("sync")};

QString programName(const QStringList& arguments)
{
    return arguments.isEmpty() ? QStringLiteral("pallisto")
                               : QDir(arguments.constFirst()).dirName();
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& workingFolder)
{
    QCommandLineParser parser;
    // Qt's options take one dash and a whole word, as in "-platform xcb".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Finds, among documents named with their size (\"poster 50x70.pdf\"),\n"
                       "the one whose proportions come closest to a new size."));
    // Not addHelpOption(): its --help-all describes Qt's options only through an
    // application object, which does not exist yet.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Documents to list, as if dropped onto the list; "
                       "names without a size such as 50x70 are left out."),
        QStringLiteral("[FILE...]"));
    for (const QString& name : qtOptionsWithValue) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : qtFlags) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLine result;
    const QString program = programName(arguments);
    if (!parser.parse(arguments)) {
        result.exitCode = usageErrorExitCode;
        result.err = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                         .arg(program, parser.errorText());
        return result;
    }
    if (parser.isSet(help)) {
        result.exitCode = 0;
        // The parser takes the program's name from the application object, if any.
        result.out = parser.helpText();
        // "Usage: NAME [options]": NAME may hold spaces, so it ends where " [options]" starts.
        static const QRegularExpression usedName(QStringLiteral("^(\\S+ ).*?(?= \\[options\\])"));
        result.out.replace(usedName, QStringLiteral("\\1") + program);
        return result;
    }
    if (parser.isSet(version)) {
        result.exitCode = 0;
        result.out = QStringLiteral("Pallisto " PALLISTO_VERSION "\n");
        return result;
    }
    const QDir folder(workingFolder);
    for (const QString& name : parser.positionalArguments())
        result.files << QUrl::fromLocalFile(
            QDir::isAbsolutePath(name) ? name : QDir::cleanPath(folder.absoluteFilePath(name)));
    return result;
}

QString missingDisplayMessage(const QStringList& arguments,
                              const QProcessEnvironment& environment)
{
    auto isSet = [&](const char* name) {
        return !environment.value(QString::fromLatin1(name)).isEmpty();
    };
    if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM"))
        return {};
    // As QGuiApplication reads it: "-platform NAME", also with two dashes.
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("-platform") ||
            arguments[i] == QLatin1String("--platform"))
            return {};
    return QStringLiteral("%1: no graphical display found (DISPLAY and WAYLAND_DISPLAY are "
                          "unset); start Pallisto inside a desktop session.\n")
        .arg(programName(arguments));
}

} // namespace pallisto
