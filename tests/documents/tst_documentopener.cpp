#include "documents/documentopener.h"
#include "tests/support/fakedesktop.h"

#include <QtTest>

using documents::DocumentOpener;
using documents::OpenRequest;
Q_DECLARE_METATYPE(OpenRequest)

// The opener with real copies in a real folder, a fake desktop and a short reminder wait.
class TestDocumentOpener : public QObject
{
    Q_OBJECT
    static constexpr int Wait = 100;
    QTemporaryDir m_dir;
    FakeDesktop m_desktop;
    std::unique_ptr<DocumentOpener> m_opener;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList folder() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QByteArray contents(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        for (const QString name : {"poster 50x70.pdf", "notes.pdf", "poster 1x2.pdf"}) {
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(name.toUtf8()) > 0);
        }
        m_desktop.launched.clear();
        m_desktop.beeps = 0;
        m_opener = std::make_unique<DocumentOpener>(m_desktop, nullptr, Wait);
    }

    void opens_data()
    {
        QTest::addColumn<OpenRequest>("request");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<bool>("reminded"); // and waited for
        const QString poster = "poster 50x70.pdf";
        QTest::newRow("plain") << OpenRequest{path(poster), false, 60, 80} << poster << true;
        QTest::newRow("copy") << OpenRequest{path(poster), true, 60, 80} << "poster 60x80.pdf" << false;
        QTest::newRow("copy, name taken: that file") << OpenRequest{path(poster), true, 1, 2} << "poster 1x2.pdf" << false;
        QTest::newRow("Alt, no width") << OpenRequest{path(poster), true, 0, 80} << poster << true;
        QTest::newRow("Alt, no height") << OpenRequest{path(poster), true, 60, 0} << poster << true;
        QTest::newRow("Alt, no size in the name") << OpenRequest{path("notes.pdf"), true, 60, 80} << "notes.pdf" << true;
    }
    void opens()
    {
        QFETCH(OpenRequest, request);
        QFETCH(QString, opened);
        QFETCH(bool, reminded);
        const QString document = QFileInfo(request.document).fileName();
        const QStringList before = folder();
        // A copy holds the document; a file already under the copy's name stays as it is.
        const QByteArray content = contents(before.contains(opened) ? opened : document);
        QSignalSpy reminders(m_opener.get(), &DocumentOpener::reminderWanted);
        QSignalSpy started(m_opener.get(), &DocumentOpener::copyStarted);
        QSignalSpy ended(m_opener.get(), &DocumentOpener::copyEnded);
        QElapsedTimer clock;
        clock.start();
        m_opener->open(request);
        m_opener->open({path("notes.pdf")}); // busy: ignored
        QVERIFY(m_desktop.launched.isEmpty());
        QTRY_VERIFY(!m_opener->isBusy());
        QVERIFY(!reminded || clock.elapsed() >= Wait);
        QCOMPARE(m_desktop.launched, QStringList{path(opened)});
        QCOMPARE(contents(opened), content);
        QCOMPARE(folder().size(), before.size() + int(!before.contains(opened)));
        QCOMPARE(reminders.count(), int(reminded));
        const QList<QVariantList> copy{{document, opened}};
        QCOMPARE(QList<QVariantList>(started), reminded ? QList<QVariantList>() : copy);
        QCOMPARE(ended.count(), started.count());
    }

    void failures_data()
    {
        QTest::addColumn<OpenRequest>("request");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("message");
        const QString gone = "The file no longer exists.", refused = "No application on this computer opens it.";
        QTest::newRow("copy of a gone file, with a beep") << OpenRequest{path("gone 5x7.pdf"), true, 6, 8} << ""
                                                          << "Could not make a copy of \"gone 5x7.pdf\": " + gone;
        QTest::newRow("gone") << OpenRequest{path("gone 5x7.pdf")} << "" << "\"gone 5x7.pdf\" could not be opened: " + gone;
        QTest::newRow("broken link") << OpenRequest{path("link 5x7.pdf")} << "" << "\"link 5x7.pdf\" could not be opened: " + gone;
        QTest::newRow("refused") << OpenRequest{path("notes.pdf")} << refused << "\"notes.pdf\" could not be opened: " + refused;
    }
    void failures()
    {
        QFETCH(OpenRequest, request);
        QFETCH(QString, refusal);
        QVERIFY(QFile::link(path("moved 5x7.pdf"), path("link 5x7.pdf")));
        m_desktop.refusal = refusal;
        QSignalSpy failed(m_opener.get(), &DocumentOpener::failed);
        m_opener->open(request);
        QTRY_COMPARE(failed.count(), 1);
        QTEST(failed[0][0].toString(), "message");
        QCOMPARE(m_desktop.beeps, int(request.copyMode));
        QCOMPARE(m_desktop.launched, refusal.isEmpty() ? QStringList() : QStringList{request.document});
        m_desktop.refusal.clear();
    }

    // Cancelling a copy, or the opener going while it waits or copies, opens and tells nothing.
    void stopping_data()
    {
        QTest::addColumn<bool>("copyMode");
        QTest::addColumn<bool>("destroy");
        QTest::newRow("copy cancelled") << true << false;
        QTest::newRow("gone while copying") << true << true;
        QTest::newRow("gone while waiting") << false << true;
    }
    void stopping()
    {
        QFETCH(bool, copyMode);
        QFETCH(bool, destroy);
        QFile big(path("big 5x7.pdf"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(256 << 20));
        const QStringList before = folder();
        QSignalSpy ended(m_opener.get(), &DocumentOpener::copyEnded);
        QSignalSpy failed(m_opener.get(), &DocumentOpener::failed);
        m_opener->open({path("big 5x7.pdf"), copyMode, 6, 8});
        destroy ? m_opener.reset() : m_opener->cancelCopy();
        QTest::qWait(3 * Wait);
        QVERIFY(m_desktop.launched.isEmpty());
        QCOMPARE(ended.count(), int(!destroy));
        QCOMPARE(failed.count(), 0);
        if (!destroy)
            QCOMPARE(folder(), before);
    }
};

QTEST_GUILESS_MAIN(TestDocumentOpener)
#include "tst_documentopener.moc"
