#include "app/commandline.h"
#include "documents/documentlist.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using pallisto::CommandLine;
using pallisto::parseCommandLine;

namespace {

const QString noDisplay = QStringLiteral(
    "pallisto: no graphical display found (DISPLAY and WAYLAND_DISPLAY are unset); "
    "start Pallisto inside a desktop session.\n");
const QString unknownOption = QStringLiteral("pallisto: Unknown option 'frobnicate'.\n"
                                             "Try 'pallisto --help' for more information.\n");
// Qt's own options are accepted but not described: they are Qt's to document.
const QString help = QStringLiteral(
    "Usage: pallisto [options] [FILE...]\n"
    "Finds, among documents named with their size (\"poster 50x70.pdf\"),\n"
    "the one whose proportions come closest to a new size.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Displays help on commandline options.\n"
    "  -v, --version  Displays version information.\n"
    "\n"
    "Arguments:\n"
    "  FILE           Documents to list, as if dropped onto the list; names without\n"
    "                 a size such as 50x70 are left out.\n");

QStringList localFiles(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls)
        paths << (url.isLocalFile() ? url.toLocalFile() : QStringLiteral("not local: ") + url.toString());
    return paths;
}

// The list's rows and the documents behind them, as one comparable text.
QString listed(const documents::DocumentList& list)
{
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text() + QStringLiteral(" = ") + list.documentAt(i);
    return rows.join(QLatin1Char('|'));
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void files_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        const QString a = "/a/poster 50x70.pdf", b = "/b/flyer 21x30.pdf";
        QTest::newRow("no files") << QStringList{} << QStringList{};
        QTest::newRow("in the order given") << QStringList{b, a} << QStringList{b, a};
        QTest::newRow("a name without a size is passed on")
            << QStringList{"/a/notes.txt", a} << QStringList{"/a/notes.txt", a};
        QTest::newRow("the same file twice") << QStringList{a, a} << QStringList{a, a};
        QTest::newRow("relative names against the working folder")
            << QStringList{"card 85x55.pdf", "../up 1x2.pdf", "./sub/x 3x4.pdf"}
            << QStringList{"/home/u/docs/card 85x55.pdf", "/home/u/up 1x2.pdf",
                           "/home/u/docs/sub/x 3x4.pdf"};
        QTest::newRow("percent, hash and question mark kept")
            << QStringList{"/a/50% off #2 ?10x20.pdf"} << QStringList{"/a/50% off #2 ?10x20.pdf"};
        QTest::newRow("a dash-led name after --")
            << QStringList{"--", "-odd 10x20.pdf"} << QStringList{"/home/u/docs/-odd 10x20.pdf"};
        QTest::newRow("Qt's options left to Qt")
            << QStringList{"-platform", "offscreen", "-style", "fusion", a, "-reverse",
                           "--platformtheme=gtk3"}
            << QStringList{a};
    }

    void files()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        const CommandLine line =
            parseCommandLine(QStringList{"/usr/bin/pallisto"} + arguments, "/home/u/docs");
        QVERIFY2(!line.exitCode, qPrintable(line.err));
        QCOMPARE(localFiles(line.files), expected);
        QVERIFY(line.out.isEmpty() && line.err.isEmpty());
    }

    void endsAtOnce_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString hint = "Try 'pallisto --help' for more information.\n";
        QTest::newRow("-h, with files") << QStringList{"/a/b 1x2.pdf", "-h"} << 0 << help << "";
        QTest::newRow("-v, with files") << QStringList{"/a/b 1x2.pdf", "-v"} << 0
                                        << "Pallisto 1.0\n" << "";
        QTest::newRow("unknown short option") << QStringList{"-x"} << 2 << ""
                                              << "pallisto: Unknown option 'x'.\n" + hint;
        QTest::newRow("Qt option without its value") << QStringList{"-platform"} << 2 << ""
            << "pallisto: Missing value after '-platform'.\n" + hint;
        QTest::newRow("value given to a flag") << QStringList{"--version=2"} << 2 << ""
            << "pallisto: Unexpected value after '--version'.\n" + hint;
    }

    void endsAtOnce()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CommandLine line = parseCommandLine(QStringList{"pallisto"} + arguments, "/");
        QCOMPARE(line.exitCode, std::optional<int>(exitCode));
        QCOMPARE(line.out, out);
        QCOMPARE(line.err, err);
        QVERIFY(line.files.isEmpty());
    }

    void missingDisplay_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("missing");
        QTest::newRow("nothing set") << QStringList{} << QStringList{} << true;
        QTest::newRow("X11") << QStringList{"DISPLAY=:0"} << QStringList{} << false;
        QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList{}
                                 << false;
        QTest::newRow("both empty") << QStringList{"DISPLAY=", "WAYLAND_DISPLAY="}
                                    << QStringList{} << true;
        QTest::newRow("platform forced") << QStringList{"QT_QPA_PLATFORM=offscreen"}
                                         << QStringList{} << false;
        QTest::newRow("platform variable empty") << QStringList{"QT_QPA_PLATFORM="}
                                                 << QStringList{} << true;
        QTest::newRow("-platform argument") << QStringList{} << QStringList{"-platform", "vnc"}
                                            << false;
        QTest::newRow("--platform argument") << QStringList{} << QStringList{"--platform", "vnc"}
                                             << false;
        QTest::newRow("-platform without its value")
            << QStringList{} << QStringList{"a 1x2.pdf", "-platform"} << true;
    }

    void missingDisplay()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(bool, missing);
        QProcessEnvironment env;
        for (const QString& setting : environment)
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        const QString message =
            pallisto::missingDisplayMessage(QStringList{"/usr/bin/pallisto"} + arguments, env);
        QCOMPARE(message, missing ? noDisplay : QString());
    }

    // The real program, started as a desktop without a display would start it.
    void program_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--version") << QStringList{"--version"} << QStringList{} << 0
                                   << "Pallisto 1.0\n" << "";
        QTest::newRow("--help") << QStringList{"--help"} << QStringList{} << 0 << help << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate", "/a/b 1x2.pdf"}
                                        << QStringList{} << 2 << "" << unknownOption;
        QTest::newRow("no display") << QStringList{} << QStringList{} << 1 << "" << noDisplay;
        QTest::newRow("no display, files given") << QStringList{"/a/poster 50x70.pdf"}
                                                 << QStringList{} << 1 << "" << noDisplay;
        QTest::newRow("no display, platform variable empty")
            << QStringList{} << QStringList{"QT_QPA_PLATFORM="} << 1 << "" << noDisplay;
    }

    void program()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        for (const QString& setting : environment)
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        process.setProcessEnvironment(env);
        process.start(PALLISTO_BINARY, arguments);
        QVERIFY2(process.waitForFinished(30000), "still running");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit); // not aborted by Qt
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()), out);
        QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()), err);
    }

    // Files named on the command line fill the list exactly as a drop of them does.
    void filesListAsADrop_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("rows");
        QTest::newRow("in the order given") << QStringList{"poster 50x70.pdf", "flyer 21x30.pdf"}
                                            << "50x70,21x30";
        QTest::newRow("a name without a size is left out")
            << QStringList{"notes.txt", "card 85x55.pdf"} << "85x55";
        QTest::newRow("none with a size") << QStringList{"notes.txt", "report.docx"} << "";
        QTest::newRow("percent and hash in a name") << QStringList{"50% off #2 10x20.pdf"}
                                                    << "10x20";
    }

    void filesListAsADrop()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, rows);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QStringList arguments{"pallisto"};
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            arguments << name; // relative to the working folder
        }
        documents::DocumentList fromCommandLine, dropped;
        fromCommandLine.listFiles(parseCommandLine(arguments, folder.path()).files);

        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& name : names)
            urls << QUrl::fromLocalFile(folder.filePath(name));
        mime.setUrls(urls);
        QWidget* viewport = dropped.viewport();
        const QPoint p = viewport->rect().center();
        QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDragMoveEvent move(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent drop(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
            QApplication::sendEvent(viewport, event);
        QVERIFY(drop.isAccepted());

        QStringList shown;
        for (int i = 0; i < fromCommandLine.count(); ++i)
            shown << fromCommandLine.item(i)->text();
        QCOMPARE(shown.join(','), rows);
        QCOMPARE(listed(fromCommandLine), listed(dropped));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
