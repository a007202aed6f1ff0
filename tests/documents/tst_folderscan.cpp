#include "documents/folderscan.h"

#include <QtTest>
#include <filesystem>

using documents::FolderScan;

class FolderScanTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    void make(const QStringList& entries) const // files, and "link -> target"
    {
        for (const QString& entry : entries) {
            const QString path = m_dir.filePath(entry.section(" -> ", 0, 0));
            QDir().mkpath(QFileInfo(path).path());
            if (entry.contains(" -> "))
                std::filesystem::create_symlink(entry.section(" -> ", 1).toStdString(), path.toStdString());
            else
                QFile(path).open(QFile::WriteOnly);
        }
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); } // where Qt ignores numeric mode
    void init() { m_dir = QTemporaryDir(); }

    void order_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("documents");
        QTest::newRow("natural order, folders as paths")
            << QStringList{"f/b/1x1", "f/10x30", "f/f 1x1", "f/9x12", "f/a/2x2", "f/10/1x1", "f/é 1x1", "f/9/1x1"} << QStringList{"f"}
            << QStringList{"f/9/1x1", "f/9x12", "f/10/1x1", "f/10x30", "f/a/2x2", "f/b/1x1", "f/é 1x1", "f/f 1x1"};
        QTest::newRow("hidden skipped") << QStringList{"h/.x/1x1", "h/.1x1", "h/v/1x1"} << QStringList{"h"} << QStringList{"h/v/1x1"};
        QTest::newRow("items kept in place") << QStringList{"n 1x1", "d/readme", "d/2x2", "e.txt"}
                                             << QStringList{"n 1x1", "d/", "e.txt", "gone"} << QStringList{"n 1x1", "d/2x2", "e.txt", "gone"};
        QTest::newRow("links") << QStringList{"l/1x1", "l/loop -> .", "l/up -> ..", "l/link 2x2 -> ../t 3x3", "t 3x3"}
                               << QStringList{"l"} << QStringList{"l/1x1", "l/link 2x2"};
    }
    void order()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, items);
        QFETCH(QStringList, documents);
        make(entries);
        FolderScan scan(items.replaceInStrings(QRegularExpression("^"), m_dir.path() + '/'));
        QSignalSpy finished(&scan, &FolderScan::finished);
        QVERIFY(finished.wait());
        QCOMPARE(finished[0][0].toStringList().replaceInStrings(m_dir.path() + '/', ""), documents);
    }

    void bigFolder() // reports its progress; a scan cancelled meanwhile reports nothing more
    {
        constexpr int Count = 30000;
        for (int i = 0; i < Count; ++i)
            QFile(m_dir.filePath(QString("%1x1").arg(i))).open(QFile::WriteOnly);
        FolderScan scan({m_dir.path()}), cancelled({m_dir.path()}), quick({m_dir.filePath("0x1")});
        QSignalSpy progress(&scan, &FolderScan::progress), finished(&scan, &FolderScan::finished);
        QSignalSpy cancelledProgress(&cancelled, &FolderScan::progress), cancelledFinished(&cancelled, &FolderScan::finished), quickFinished(&quick, &FolderScan::finished);
        quick.cancel(); // its result may already be on its way
        QVERIFY(cancelledProgress.wait());
        QThread::msleep(100); // more reports pile up meanwhile
        cancelled.cancel();
        QVERIFY(finished.wait());
        QCOMPARE(finished[0][0].toStringList().last(), m_dir.filePath(QString("%1x1").arg(Count - 1)));
        QVERIFY(!progress.isEmpty() && progress.first()[0].toInt() > 0 && progress.last()[0].toInt() < Count);
        QVERIFY(!cancelledFinished.wait(500) && cancelledProgress.size() == 1 && quickFinished.isEmpty() && finished.size() == 1);
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
