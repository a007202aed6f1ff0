#include "documents/documentopener.h"
#include "tests/support/fakedesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestDocumentOpener : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeDesktop m_desktop;
    std::unique_ptr<QWidget> m_window;
    documents::DocumentOpener* m_opener = nullptr;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QByteArray& content)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    QString folder() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).join('|');
    }

    // The text of the message shown over the window, or "" when there is none.
    QString message() const
    {
        auto* box = m_window->findChild<QMessageBox*>();
        return box ? box->text() : QString();
    }

private slots:
    void init()
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        m_desktop.launched.clear();
        m_desktop.beeps = 0;
        m_window = std::make_unique<QWidget>();
        m_opener = new documents::DocumentOpener(m_window.get(), m_desktop);
        write("poster 50x70.pdf", "original");
    }

    void reminderModeWaitsThenOpens()
    {
        QSignalSpy reminders(m_opener, &documents::DocumentOpener::reminderWanted);
        const qint64 waitStart = m_desktop.now + m_desktop.tick; // the clock's next reading
        m_opener->open({path("poster 50x70.pdf")});
        QCOMPARE(reminders.count(), 1);
        QVERIFY(m_desktop.launched.isEmpty());
        m_opener->open({path("poster 50x70.pdf"), true, 60, 80}); // ignored while waiting
        QTRY_COMPARE(m_desktop.launched, QStringList{path("poster 50x70.pdf")});
        // The reading that ended the wait is the clock's last: past two seconds, by one tick.
        QCOMPARE(m_desktop.now - waitStart, 2'000'000 + m_desktop.tick);
        QCOMPARE(reminders.count(), 1);
        QCOMPARE(folder(), QString("poster 50x70.pdf"));
        QVERIFY(!m_opener->isBusy());
    }

    void closingTheWindowDuringTheWaitCancelsIt()
    {
        m_opener->open({path("poster 50x70.pdf")});
        m_window.reset();
        QTest::qWait(50);
        QVERIFY(m_desktop.launched.isEmpty());
    }

    void closingTheWindowDuringACopyLeavesNoPart()
    {
        QFile big(path("big 5x7.pdf"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(256 << 20));
        big.close();
        m_opener->open({path("big 5x7.pdf"), true, 6, 8});
        m_window.reset();
        QTest::qWait(50);
        QVERIFY(m_desktop.launched.isEmpty());
        // A copy that got its name before the window went is complete; nothing else is left.
        const QString after = folder();
        QVERIFY2(after == "big 5x7.pdf|poster 50x70.pdf" ||
                     (after == "big 5x7.pdf|big 6x8.pdf|poster 50x70.pdf" &&
                      QFileInfo(path("big 6x8.pdf")).size() == big.size()),
                 qPrintable(after));
    }

    // Copy mode: the size asked for, files in the folder before, then what was opened, the
    // folder afterwards and the message.
    void copyMode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("told");
        const QString poster = "poster 50x70.pdf";
        QTest::newRow("new size") << poster << 60 << 80 << "poster 60x80.pdf"
                                  << "poster 50x70.pdf|poster 60x80.pdf" << "";
        QTest::newRow("same size") << poster << 50 << 70 << "Copy of poster 50x70.pdf"
                                   << "Copy of poster 50x70.pdf|poster 50x70.pdf" << "";
        QTest::newRow("width not given opens the original")
            << poster << 0 << 80 << poster << poster << "";
        QTest::newRow("height not given opens the original")
            << poster << 60 << 0 << poster << poster << "";
        QTest::newRow("name taken opens that file as it is")
            << poster << 1 << 2 << "poster 1x2.pdf" << "poster 1x2.pdf|poster 50x70.pdf" << "";
        QTest::newRow("document gone") << "gone 5x7.pdf" << 1 << 2 << "" << poster
                                       << "Could not make a copy of \"gone 5x7.pdf\": The file no longer exists.";
    }

    void copyMode()
    {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, opened);
        if (QString(QTest::currentDataTag()).startsWith("name taken"))
            write("poster 1x2.pdf", "the user's");
        QSignalSpy reminders(m_opener, &documents::DocumentOpener::reminderWanted);
        m_opener->open({path(name), true, width, height});
        QTRY_VERIFY(!m_opener->isBusy());
        QCOMPARE(m_desktop.launched, opened.isEmpty() ? QStringList() : QStringList{path(opened)});
        QTEST(folder(), "after");
        QTEST(message(), "told");
        QCOMPARE(m_desktop.beeps, message().isEmpty() ? 0 : 1);
        QCOMPARE(reminders.count(), 0);
        if (!opened.isEmpty()) {
            QFile file(path(opened));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), opened == "poster 1x2.pdf" ? "the user's" : "original");
        }
    }

    void progressCountsInThousandths_data()
    {
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<int>("perMille");
        QTest::newRow("start") << qint64(0) << qint64(4096) << 0;
        QTest::newRow("half") << qint64(2048) << qint64(4096) << 500;
        QTest::newRow("end") << qint64(4096) << qint64(4096) << 1000;
        QTest::newRow("empty file") << qint64(0) << qint64(0) << 0;
        QTest::newRow("three quarters") << qint64(3) << qint64(4) << 750;
        QTest::newRow("5 GiB, a third") << (qint64(5) << 30) / 3 << (qint64(5) << 30) << 333;
    }

    void progressCountsInThousandths()
    {
        QFETCH(qint64, done);
        QFETCH(qint64, total);
        QTEST(documents::progressPerMille(done, total), "perMille");
    }

    void goneFilesAreNamedGone_data()
    {
        QTest::addColumn<bool>("link");
        QTest::newRow("removed") << false;
        QTest::newRow("broken link") << true;
    }

    void goneFilesAreNamedGone()
    {
        QFETCH(bool, link);
        if (link)
            QVERIFY(QFile::link(path("moved 5x7.pdf"), path("a 5x7.pdf")));
        m_opener->open({path("a 5x7.pdf"), true, 0, 0});
        QVERIFY(m_desktop.launched.isEmpty());
        QCOMPARE(message(), QString("\"a 5x7.pdf\" could not be opened: The file no longer exists."));
    }

    void theDesktopsRefusalIsTold()
    {
        m_desktop.refusal = "No application on this computer opens it.";
        m_opener->open({path("poster 50x70.pdf"), true, 0, 0});
        m_desktop.refusal.clear();
        QCOMPARE(m_desktop.launched, QStringList{path("poster 50x70.pdf")});
        QCOMPARE(message(), QString());
        QTRY_COMPARE(message(), QString("\"poster 50x70.pdf\" could not be opened: No "
                                        "application on this computer opens it."));
    }
};

QTEST_MAIN(TestDocumentOpener)
#include "tst_documentopener.moc"
