#include "documents/copyjob.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using platform::CopyResult;
using Status = CopyResult::Status;

class CopyJobTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_doc;
    QStringList m_before;

    QStringList listing() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    // Records every signal of a job, and whether it came on the test's (GUI) thread.
    struct Watch
    {
        QList<CopyResult> finished;
        QList<qint64> done;
        bool offThread = false;
        void attach(documents::CopyJob* job)
        {
            QObject::connect(job, &documents::CopyJob::finished, [this](const CopyResult& r) {
                offThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
                finished << r;
            });
            QObject::connect(job, &documents::CopyJob::progress, [this](qint64 d, qint64 total) {
                offThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
                QVERIFY(d <= total && (done.isEmpty() || d >= done.last()));
                done << d;
            });
        }
    };

private slots:
    void init()
    {
        m_dir = QTemporaryDir();
        m_doc = m_dir.path() + "/doc 50x70.pdf";
        QFile f(m_doc);
        // Sparse, so it costs nothing to make, yet copying it writes every byte.
        QVERIFY(f.open(QFile::WriteOnly) && f.write("start") && f.resize(256 << 20));
        QFile taken(m_dir.path() + "/taken.pdf");
        QVERIFY(taken.open(QFile::WriteOnly) && taken.write("the user's"));
        m_before = listing();
    }

    void finishes_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("copied") << "doc 50x70.pdf" << "new.pdf" << Status::Copied << "new.pdf" << "";
        QTest::newRow("name taken") << "doc 50x70.pdf" << "taken.pdf" << Status::NameTaken << "taken.pdf" << "";
        QTest::newRow("missing original") << "gone.pdf" << "new.pdf" << Status::Failed << "" << "The file no longer exists.";
    }
    void finishes()
    {
        QFETCH(QString, source);
        QFETCH(QString, newName);
        QFETCH(QString, path);
        QElapsedTimer clock;
        clock.start();
        Watch watch;
        documents::CopyJob job(m_dir.path() + '/' + source, newName);
        watch.attach(&job);
        QTRY_COMPARE_WITH_TIMEOUT(watch.finished.size(), 1, 60'000);
        const qint64 elapsed = clock.elapsed();
        QTest::qWait(200);
        QCOMPARE(watch.finished.size(), 1);
        QVERIFY(!watch.offThread);
        QTEST(watch.finished[0].status, "status");
        QCOMPARE(watch.finished[0].path, path.isEmpty() ? path : m_dir.path() + '/' + path);
        QTEST(watch.finished[0].reason, "reason");
        QVERIFY(watch.done.size() <= elapsed / 50 + 1);
    }

    void stops_data()
    {
        QTest::addColumn<bool>("deleteJob");
        QTest::addColumn<bool>("atFirstProgress");
        QTest::newRow("cancel at once") << false << false;
        QTest::newRow("cancel at the first progress") << false << true;
        QTest::newRow("delete at once") << true << false;
        QTest::newRow("delete at the first progress") << true << true;
    }
    void stops()
    {
        QFETCH(bool, deleteJob);
        QFETCH(bool, atFirstProgress);
        Watch watch;
        auto* job = new documents::CopyJob(m_doc, "new.pdf");
        watch.attach(job);
        if (atFirstProgress)
            QTRY_VERIFY(!watch.done.isEmpty());
        const qsizetype progressBefore = watch.done.size();
        deleteJob ? delete job : job->cancel();
        if (!deleteJob)
            QTRY_COMPARE_WITH_TIMEOUT(watch.finished.size(), 1, 60'000);
        QTest::qWait(200);
        QCOMPARE(watch.done.size(), progressBefore); // nothing reported after the stop
        QCOMPARE(watch.finished.size(), deleteJob ? 0 : 1);
        if (!deleteJob) {
            QCOMPARE(watch.finished[0].status, Status::Cancelled);
            delete job;
        }
        QCOMPARE(listing(), m_before);
    }
};

QTEST_GUILESS_MAIN(CopyJobTest)
#include "tst_copyjob.moc"
