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
    std::unique_ptr<FakeDesktop> m_desktop;
    std::unique_ptr<DocumentOpener> m_opener;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray contents(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        for (const QString name : {"poster 50x70.pdf", "notes.pdf", "poster 1x1.pdf"}) {
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(name.toUtf8()) > 0);
        }
        m_opener.reset();
        m_desktop = std::make_unique<FakeDesktop>();
        m_opener = std::make_unique<DocumentOpener>(*m_desktop, nullptr, Wait);
    }

    void opens_data()
    {
        QTest::addColumn<OpenRequest>("request");
        QTest::addColumn<QString>("opened");
        const QString poster = "poster 50x70.pdf";
        QTest::newRow("plain") << OpenRequest{path(poster), false, 60, 80} << poster;
        QTest::newRow("copy") << OpenRequest{path(poster), true, 60, 80} << "poster 60x80.pdf";
        QTest::newRow("name taken") << OpenRequest{path(poster), true, 1, 1} << "poster 1x1.pdf";
        QTest::newRow("Alt, no width") << OpenRequest{path(poster), true, 0, 80} << poster;
        QTest::newRow("Alt, no height") << OpenRequest{path(poster), true, 60, 0} << poster;
        QTest::newRow("Alt, no size in the name") << OpenRequest{path("notes.pdf"), true, 6, 8} << "notes.pdf";
    }
    void opens()
    {
        QFETCH(OpenRequest, request);
        QFETCH(QString, opened);
        const bool reminded = path(opened) == request.document; // a copy opens without the reminder
        const QString document = QFileInfo(request.document).fileName();
        // A copy holds the document; a file already under the copy's name stays as it is.
        const QByteArray content = contents(QFile::exists(path(opened)) ? opened : document);
        QSignalSpy reminders(m_opener.get(), &DocumentOpener::reminderWanted);
        QSignalSpy started(m_opener.get(), &DocumentOpener::copyStarted);
        QSignalSpy ended(m_opener.get(), &DocumentOpener::copyEnded);
        m_opener->open(request);
        m_opener->open({path("notes.pdf")}); // busy: ignored
        QVERIFY(m_desktop->launched.isEmpty());
        QTRY_VERIFY(!m_opener->isBusy());
        QCOMPARE(m_desktop->launched, QStringList{path(opened)});
        QCOMPARE(contents(opened), content);
        QCOMPARE(reminders.count(), int(reminded));
        QCOMPARE(started.value(0), (reminded ? QVariantList() : QVariantList{document, opened}));
        QCOMPARE(ended.count(), started.count());
    }

    // Failures are told, copy failures with a beep; a cancelled copy, or an opener gone while it
    // waits or copies, opens and tells nothing.
    void ends_data()
    {
        QTest::addColumn<OpenRequest>("request");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("message");
        const QString gone = "The file no longer exists.";
        QTest::newRow("copy of a gone file") << OpenRequest{path("gone 5x7.pdf"), true, 6, 8} << "" << ""
                                             << "Could not make a copy of \"gone 5x7.pdf\": " + gone;
        QTest::newRow("broken link") << OpenRequest{path("link 5x7.pdf")} << "" << ""
                                     << "\"link 5x7.pdf\" could not be opened: " + gone;
        QTest::newRow("refused") << OpenRequest{path("notes.pdf")} << "No application opens it." << ""
                                 << "\"notes.pdf\" could not be opened: No application opens it.";
        const OpenRequest copy{path("big 5x7.pdf"), true, 6, 8};
        QTest::newRow("copy cancelled") << copy << "" << "cancel" << "";
        QTest::newRow("gone while copying") << copy << "" << "destroy" << "";
        QTest::newRow("gone while waiting") << OpenRequest{copy.document} << "" << "destroy" << "";
    }
    void ends()
    {
        QFETCH(OpenRequest, request);
        QFETCH(QString, refusal);
        QFETCH(QString, stop);
        QFile big(path("big 5x7.pdf")); // still copying when stopped
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(256 << 20));
        QVERIFY(QFile::link(path("moved 5x7.pdf"), path("link 5x7.pdf")));
        m_desktop->refusal = refusal;
        QSignalSpy failed(m_opener.get(), &DocumentOpener::failed);
        QSignalSpy ended(m_opener.get(), &DocumentOpener::copyEnded);
        m_opener->open(request);
        if (stop == "cancel")
            m_opener->cancelCopy();
        if (stop == "destroy")
            m_opener.reset();
        QTest::qWait(3 * Wait);
        QTEST(failed.value(0).value(0).toString(), "message");
        QCOMPARE(m_desktop->beeps, int(request.copyMode && stop.isEmpty()));
        QCOMPARE(m_desktop->launched, refusal.isEmpty() ? QStringList() : QStringList{request.document});
        QCOMPARE(ended.count(), int(request.copyMode && stop != "destroy"));
    }
};

QTEST_GUILESS_MAIN(TestDocumentOpener)
#include "tst_documentopener.moc"
