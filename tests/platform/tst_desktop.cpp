#include "platform/desktop.h"

#include <QtTest>

// QtDesktop against a stand-in xdg-open put first on PATH: it logs its arguments and where its
// output goes, then behaves as the row asks.
class DesktopTest : public QObject
{
    Q_OBJECT
    static constexpr int Grace = 300;
    QTemporaryDir m_bin;
    const QByteArray m_path = qgetenv("PATH");

    // As the list holds it: absolute, but not cleaned ("sub" need not exist).
    QString document() const { return m_bin.path() + "/sub/../poster 50x70.pdf"; }

    QString log() const { return m_bin.filePath("log"); }
    void installOpener(const QByteArray& behaviour)
    {
        QFile script(m_bin.filePath("xdg-open"));
        QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" \"$(readlink /proc/$$/fd/1)\" > '" + log().toUtf8() + "'\n");
        QVERIFY(script.write(behaviour) > 0 && script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        qputenv("PATH", m_bin.path().toUtf8() + ':' + m_path);
    }

private slots:
    void cleanup() { qputenv("PATH", m_path); }

    void reasons_data()
    {
        QTest::addColumn<QByteArray>("behaviour");
        QTest::addColumn<QString>("reason"); // empty: nothing told
        QTest::newRow("opened") << QByteArray("exit 0") << "";
        QTest::newRow("file gone") << QByteArray("exit 2") << "The file no longer exists.";
        QTest::newRow("no application, within the grace")
            << QByteArray("sleep 0.1; exit 3") << "No application on this computer opens it.";
        QTest::newRow("application failed") << QByteArray("exit 4") << "The application that opens it failed.";
        QTest::newRow("other status") << QByteArray("exit 1") << "The desktop's opener failed with status 1.";
        QTest::newRow("killed") << QByteArray("kill -9 $$") << "The desktop's opener stopped unexpectedly.";
        QTest::newRow("failed after the grace") << QByteArray("sleep 0.6; exit 4") << "";
    }
    void reasons()
    {
        QFETCH(QByteArray, behaviour);
        QFETCH(QString, reason);
        installOpener(behaviour);
        platform::QtDesktop desktop(Grace);
        QSignalSpy failed(&desktop, &platform::Desktop::launchFailed);
        desktop.launch(document());
        QTRY_VERIFY(desktop.findChildren<QProcess*>().isEmpty()); // gone once all is told
        const QList<QVariantList> told{{document(), reason}};
        QCOMPARE(QList<QVariantList>(failed), reason.isEmpty() ? QList<QVariantList>() : told);
        QFile logged(log());
        QVERIFY(logged.open(QIODevice::ReadOnly));
        QCOMPARE(logged.readAll(), document().toUtf8() + "\n/dev/null\n");
    }

    void quitWhileTheLauncherWaits() // it is stopped at once, with no complaint from QProcess
    {
        QTest::failOnWarning(QRegularExpression("."));
        QFile::remove(log());
        installOpener("sleep 30");
        auto desktop = std::make_unique<platform::QtDesktop>(Grace);
        desktop->launch(document());
        QTRY_VERIFY(QFile::exists(log()));
        desktop.reset();
    }

    void notInstalled()
    {
        qputenv("PATH", "/nonexistent");
        platform::QtDesktop desktop;
        QSignalSpy failed(&desktop, &platform::Desktop::launchFailed);
        desktop.launch(document());
        QTRY_COMPARE(failed.value(0).value(1), "xdg-open, which hands files to their applications, is not installed.");
    }
};

QTEST_GUILESS_MAIN(DesktopTest)
#include "tst_desktop.moc"
