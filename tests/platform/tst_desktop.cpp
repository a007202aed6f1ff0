#include "platform/desktop.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>

// QtDesktop against a stand-in xdg-open put first on PATH: it logs its arguments and
// where its output goes, then behaves as the row asks.
class DesktopTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_bin, m_docs;
    QByteArray m_path = qgetenv("PATH");

    QString document() const { return m_docs.filePath("poster 50x70.pdf"); }
    QString log() const { return m_bin.filePath("log"); }

    void installOpener(const QByteArray& behaviour, const QByteArray& shebang = "#!/bin/sh")
    {
        QFile script(m_bin.filePath("xdg-open"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(shebang + "\nprintf '%s\\n' \"$#\" \"$@\" \"$(readlink /proc/$$/fd/1)\" "
                               "\"$(readlink /proc/$$/fd/2)\" > '" + log().toUtf8() + "'\n" +
                     behaviour + "\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    QStringList logged() const
    {
        QFile file(log());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                              : QStringList{};
    }

private slots:
    void init()
    {
        QFile::remove(log());
        QFile::remove(m_bin.filePath("xdg-open"));
        qputenv("PATH", m_bin.path().toUtf8() + ':' + m_path);
    }
    void cleanup() { qputenv("PATH", m_path); }

    void reasons_data()
    {
        QTest::addColumn<QByteArray>("behaviour");
        QTest::addColumn<QString>("reason"); // empty: opened, nothing reported
        QTest::newRow("opened") << QByteArray("exit 0") << QString();
        QTest::newRow("opened after the application quit") << QByteArray("sleep 0.3") << QString();
        QTest::newRow("file gone") << QByteArray("exit 2") << "The file no longer exists.";
        QTest::newRow("no application") << QByteArray("exit 3")
                                        << "No application on this computer opens it.";
        QTest::newRow("application failed") << QByteArray("exit 4")
                                            << "The application that opens it failed.";
        QTest::newRow("unknown status") << QByteArray("exit 7")
                                        << "The desktop's opener failed with status 7.";
        QTest::newRow("syntax status") << QByteArray("exit 1")
                                       << "The desktop's opener failed with status 1.";
        QTest::newRow("slow, then refused") << QByteArray("sleep 0.5; exit 3")
                                            << "No application on this computer opens it.";
        QTest::newRow("killed") << QByteArray("kill -9 $$")
                                << "The desktop's opener stopped unexpectedly.";
    }
    void reasons()
    {
        QFETCH(QByteArray, behaviour);
        QFETCH(QString, reason);
        installOpener(behaviour);
        QFile(document()).open(QIODevice::WriteOnly);
        platform::QtDesktop desktop;
        QSignalSpy failed(&desktop, &platform::Desktop::launchFailed);
        QElapsedTimer returned;
        returned.start();
        desktop.launch(document());
        QVERIFY2(returned.elapsed() < 250, "launch waited for the opener");
        // The process object goes once the opener has exited: then all that was reported is in.
        QTRY_VERIFY(desktop.findChildren<QProcess*>().isEmpty());
        QCOMPARE(logged(), (QStringList{"1", document(), "/dev/null", "/dev/null"}));
        const QList<QList<QVariant>> expected =
            reason.isEmpty() ? QList<QList<QVariant>>{} : QList<QList<QVariant>>{{document(), reason}};
        QCOMPARE(QList<QList<QVariant>>(failed), expected);
    }

    void notInstalled()
    {
        qputenv("PATH", m_bin.path().toUtf8()); // only the empty folder
        platform::QtDesktop desktop;
        QSignalSpy failed(&desktop, &platform::Desktop::launchFailed);
        desktop.launch(document());
        QCOMPARE(failed.count(), 0); // later, never inside launch()
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed[0], (QList<QVariant>{document(), "xdg-open, which hands files to their "
                                                         "applications, is not installed."}));
    }

    void cannotStart()
    {
        installOpener("exit 0", "#!/nonexistent/interpreter");
        platform::QtDesktop desktop;
        QSignalSpy failed(&desktop, &platform::Desktop::launchFailed);
        desktop.launch(document());
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed[0], (QList<QVariant>{document(), "xdg-open, which hands files to their "
                                                         "applications, could not be started."}));
        QTRY_VERIFY(desktop.findChildren<QProcess*>().isEmpty());
    }

    // xdg-open's generic path waits for the application. Quitting neither waits for it,
    // nor reports a failure, nor complains, nor closes the document's application.
    void quitWhileTheApplicationRuns()
    {
        const QString pidFile = m_bin.filePath("application.pid");
        installOpener("sleep 30 & echo $! > '" + pidFile.toUtf8() + "'; wait");
        auto desktop = std::make_unique<platform::QtDesktop>();
        bool reported = false;
        connect(desktop.get(), &platform::Desktop::launchFailed, this, [&] { reported = true; });
        desktop->launch(document());
        QTRY_VERIFY(QFile(pidFile).size() > 0);
        QTest::qWait(100); // nothing kills it while it is merely slow
        QCOMPARE(desktop->findChildren<QProcess*>().size(), 1);
        QFile file(pidFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const pid_t application = file.readAll().trimmed().toInt();
        QVERIFY(application > 0);

        QTest::failOnWarning(QRegularExpression(".*"));
        QElapsedTimer quitting;
        quitting.start();
        desktop.reset();
        QVERIFY(quitting.elapsed() < 2000);
        QCoreApplication::processEvents();
        QVERIFY(!reported);
        const bool alive = ::kill(application, 0) == 0;
        ::kill(application, SIGKILL);
        QVERIFY2(alive, "the application was closed with the app");
    }

    void clockNeverGoesBack()
    {
        platform::QtDesktop desktop;
        QList<qint64> times(100000);
        std::ranges::generate(times, [&] { return desktop.microseconds(); });
        QVERIFY(std::ranges::is_sorted(times));
        QTest::qSleep(2);
        QVERIFY(desktop.microseconds() - times.back() >= 2000);
    }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "tst_desktop.moc"
