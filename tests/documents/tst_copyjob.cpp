#include "documents/copyjob.h"

#include <QtTest>
#include <latch>

using platform::CopyResult;

// The real copy, held before it starts or after it named the copy until the test lets it go.
class CopyJobTest : public QObject
{
    Q_OBJECT
private slots:
    void stops_data()
    {
        QTest::addColumn<QString>("stop"); // cancel() or delete, before or after naming
        QTest::addColumn<bool>("afterNaming");
        QTest::addColumn<CopyResult::Status>("status");
        QTest::newRow("runs to the end") << "" << true << CopyResult::Status::Copied;
        QTest::newRow("cancel before naming") << "cancel" << false << CopyResult::Status::Cancelled;
        QTest::newRow("cancel after naming, before the report") << "cancel" << true << CopyResult::Status::Cancelled;
        QTest::newRow("delete before naming") << "delete" << false << CopyResult::Status::Cancelled;
        QTest::newRow("delete after naming, before the report") << "delete" << true << CopyResult::Status::Cancelled;
    }
    void stops()
    {
        QFETCH(QString, stop);
        QFETCH(bool, afterNaming);
        const QTemporaryDir dir;
        QFile doc(dir.filePath("doc 50x70.pdf"));
        QVERIFY(doc.open(QFile::WriteOnly) && doc.write("contents") && doc.flush());
        std::latch named{1}, go{1};
        bool toldToStop = false; // the copy is asked to stop as soon as the job is
        auto* job = new documents::CopyJob(doc.fileName(), "new.pdf", nullptr, [&](const QString& source, const QString& name, const platform::CopyProgress& report) {
            if (!afterNaming)
                go.wait(), toldToStop = !report(0, 8);
            const CopyResult result = platform::copyBeside(source, name, report);
            named.count_down();
            go.wait();
            return result;
        });
        QList<CopyResult> finished;
        qsizetype progress = 0;
        connect(job, &documents::CopyJob::finished, [&](const CopyResult& r) { finished << r; });
        connect(job, &documents::CopyJob::progress, [&](qint64 done, qint64 total) { ++progress; QVERIFY(done <= total && QThread::currentThread() == thread()); });
        if (afterNaming)
            named.wait(); // the progress it reported is still queued
        if (stop == "cancel")
            job->cancel();
        go.count_down();
        if (stop == "delete")
            delete std::exchange(job, nullptr);
        QTest::qWait(100); // time for a second report, which must not come
        QCOMPARE(finished.size(), job ? 1 : 0);
        QCOMPARE(progress > 0, stop.isEmpty());
        QVERIFY(stop == "delete" || toldToStop == (stop == "cancel" && !afterNaming)); // a delete races it
        if (job)
            QTEST(finished.value(0).status, "status");
        delete job;
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), stop.isEmpty() ? 2 : 1);
    }
};

QTEST_GUILESS_MAIN(CopyJobTest)
#include "tst_copyjob.moc"
