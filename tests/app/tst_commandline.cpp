#include "app/commandline.h"
#include "pallisto/version.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <ranges>

using Bytes = QByteArrayList;
using Names = QStringList;

class TestCommandLine : public QObject
{
    Q_OBJECT
    QTemporaryDir m_folder; // private, as Qt wants XDG_RUNTIME_DIR

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_folder.path()).mkpath("real/inner") && QDir(m_folder.path()).mkpath("dir"));
        QVERIFY(QFile::link("real/inner", m_folder.filePath("lnk"))); // lnk/.. is real, not .
        for (const char* name : {"a 1x2.pdf", "b 3x4.pdf", "real/d 1x2.pdf", "-odd 1x2.pdf"})
            QVERIFY(QFile(m_folder.filePath(name)).open(QIODevice::WriteOnly));
    }

    void files_data()
    {
        QTest::addColumn<Bytes>("arguments"); // "@" stands for the working folder
        QTest::addColumn<Names>("files");
        QTest::addColumn<QString>("err");
        const QString missing = "pallisto: \"%1\": no such file\n";
        QTest::newRow("order, folder") << Bytes{"b 3x4.pdf", "dir", "@/a 1x2.pdf"}
                                       << Names{"b 3x4.pdf", "dir", "a 1x2.pdf"} << "";
        QTest::newRow("joined, not cleaned") << Bytes{"lnk/../d 1x2.pdf"} << Names{"lnk/../d 1x2.pdf"}
                                             << "";
        QTest::newRow("file URL") << Bytes{"file://@/a%201x2.pdf"} << Names{"a 1x2.pdf"} << "";
        QTest::newRow("no such file") << Bytes{"gone", "", "http://a/b%201x2.pdf"} << Names{}
                                      << missing.arg("gone") + missing.arg("") + missing.arg("http://a/b%201x2.pdf");
        QTest::newRow("invalid UTF-8") << Bytes{"caf\xe9 1x2.pdf"} << Names{}
            << "pallisto: \"caf\\xE9 1x2.pdf\": the name is not valid UTF-8; rename the file to list it\n";
        QTest::newRow("-- then a dash") << Bytes{"--", "-odd 1x2.pdf", "--"} << Names{"-odd 1x2.pdf"}
                                        << missing.arg("--");
    }

    void files()
    {
        QFETCH(Bytes, arguments);
        QFETCH(Names, files);
        Bytes given{"/usr/bin/pallisto"};
        for (QByteArray argument : arguments)
            given << argument.replace('@', QFile::encodeName(m_folder.path()));
        const app::CommandLine line = app::parseCommandLine(given, m_folder.path());
        for (QString& file : files)
            file = QUrl::fromLocalFile(m_folder.filePath(file)).toString();
        QCOMPARE(QUrl::toStringList(line.files), files);
        QTEST(line.err, "err");
        QVERIFY(!line.exitCode);
    }

    // The real program, started as a desktop without a usable display would start it.
    void program_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output"); // a pattern for stdout, then stderr
        const int x = *std::ranges::find_if(std::views::iota(138), [](int n) { // a free X display
            return !QFile::exists(QString("/tmp/.X%1-lock").arg(n)); });
        const QString line = "pallisto: [^\n]*\"%1\"[^\n]*\n";
        QTest::newRow("help, no display") << QStringList{"-style", "fusion", "--help"} << "DISPLAY="
            << 0 << "Usage: " + QRegularExpression::escape(PALLISTO_BINARY) + " [^\n]*FILE.*";
        QTest::newRow("version, no display") << QStringList{"-v"} << "DISPLAY=" << 0
            << "Pallisto " + QRegularExpression::escape(PALLISTO_VERSION) + "\n";
        QTest::newRow("unknown option") << QStringList{"-platform", "offscreen", "--frobnicate"} << "DISPLAY="
            << 2 << "pallisto: Unknown option 'frobnicate'.\nTry 'pallisto --help' for more information.\n";
        QTest::newRow("no display") << QStringList{} << "QT_QPA_PLATFORM=" << 1
                                    << "pallisto: [^\n]*DISPLAY[^\n]*\n";
        QTest::newRow("no X server") << QStringList{} << QString("DISPLAY=:%1").arg(x) << 1
                                     << line.arg(QString(":%1").arg(x));
        QTest::newRow("no Wayland socket") << QStringList{} << "WAYLAND_DISPLAY=none" << 1
                                           << line.arg("none");
        QTest::newRow("platform that can't start") << QStringList{"-platform", "nosuchplatform"}
                                                   << "DISPLAY=" << 1 << line.arg("nosuchplatform");
    }

    void program()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(QString, output);
        QProcess process;
        const QRegularExpression unset("^(?!(DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM)=)");
        process.setEnvironment(QProcess::systemEnvironment().filter(unset)
                               << "XDG_RUNTIME_DIR=" + m_folder.path() << environment);
        process.start(PALLISTO_BINARY, arguments);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit); // not aborted by Qt
        QTEST(process.exitCode(), "status");
        const QString all = process.readAllStandardOutput() + process.readAllStandardError();
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(output),
                                    QRegularExpression::DotMatchesEverythingOption)
                     .match(all).hasMatch(), qPrintable(all));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
