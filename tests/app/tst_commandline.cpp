#include "app/commandline.h"
#include "pallisto/version.h"

#include <QtTest>
#include <ranges>

using Bytes = QByteArrayList;
using Strings = QStringList;

class TestCommandLine : public QObject
{
    Q_OBJECT
    QTemporaryDir m_runtime; // private, as XDG_RUNTIME_DIR must be
    // The real program is started as `VARIABLE=value pallisto ...` with no display set.
    const Strings m_desktop{"-i", "XDG_RUNTIME_DIR=" + m_runtime.path()};

private slots:
    void files_data()
    {
        QTest::addColumn<Bytes>("arguments");
        QTest::addColumn<Strings>("outcome"); // the files listed, then the messages
        const QString missing = "pallisto: \"%1\": no such file\n";
        QTest::newRow("URLs, folder, in order, not cleaned")
            << Bytes{"file:///etc", "../usr", "file://localhost/e%74c"} << Strings{"/etc", "/proc/self/root/../usr", "/etc", ""};
        QTest::newRow("not files; a name's escapes are its own") << Bytes{"gone", "", "http://a/b", "%2e"} << Strings{
            missing.arg("gone") + missing.arg("") + missing.arg("http://a/b") + missing.arg("%2e")};
        QTest::newRow("invalid UTF-8, also in a URL") << Bytes{"caf\xe9", "file:///caf%E9"} << Strings{
            "pallisto: \"caf\\xE9\": the name is not valid UTF-8; rename the file to list it\n"
            "pallisto: \"file:///caf%E9\": the name is not valid UTF-8; rename the file to list it\n"};
        QTest::newRow("after --") << Bytes{"--", "-v", "--"}
                                  << Strings{missing.arg("-v") + missing.arg("--")};
    }

    void files()
    {
        QFETCH(Bytes, arguments);
        // A link to /, so that its .. is / again, where a text-cleaned path would differ.
        const auto line = app::parseCommandLine(Bytes{"pallisto"} + arguments, "/proc/self/root");
        QTEST(QUrl::toStringList(line.files, QUrl::PreferLocalFile) << line.err, "outcome");
    }

    void program_data()
    {
        QTest::addColumn<Strings>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output"); // a pattern for stdout, then stderr
        const QString bin = PALLISTO_BINARY, line = "pallisto: [^\n]*%1[^\n]*\n";
        const auto x = QString(":%1").arg(*std::ranges::find_if(std::views::iota(138), [](int i) {
            return !QFile::exists(QString("/tmp/.X%1-lock").arg(i)); })); // no X server there
        const QString usage = "Usage: " + QRegularExpression::escape(bin) + " [^\n]*FILE[\\s\\S]*";
        QTest::newRow("help") << Strings{bin, "-style", "fusion", "--help"} << 0 << usage;
        QTest::newRow("version") << Strings{bin, "-v"} << 0 << "Pallisto " PALLISTO_VERSION "\n";
        QTest::newRow("unknown option, Qt's warning") << Strings{bin, "-platform", "offscreen",
            "-style", "nosuch", "--frob"} << 2 << "[^\n]*nosuch[\\s\\S]*\npallisto: Unknown option "
            "'frob'.\nTry 'pallisto --help' for more information.\n";
        QTest::newRow("no display") << Strings{"QT_QPA_PLATFORM=", bin} << 1 << line.arg("DISPLAY");
        QTest::newRow("no X server") << Strings{"DISPLAY=" + x, bin} << 1 << line.arg(x);
        QTest::newRow("no compositor") << Strings{"WAYLAND_DISPLAY=w9", bin} << 1 << line.arg("w9");
        QTest::newRow("bad platform") << Strings{bin, "-platform", "no"} << 1 << line.arg("\"no\"");
    }

    void program()
    {
        QFETCH(Strings, command);
        QFETCH(QString, output);
        QProcess process;
        process.start("env", m_desktop + command);
        QVERIFY(process.waitForFinished());
        QTEST(process.exitCode(), "status"); // an abort would give its signal's number
        const QString all = process.readAllStandardOutput() + process.readAllStandardError();
        QVERIFY2(all.contains(QRegularExpression("\\A(?:" + output + ")\\z")), qPrintable(all));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
