#include "documents/documentopener.h"
#include "tests/support/fakedesktop.h"
#include "windows/openfeedback.h"

#include <QtTest>
#include <QtWidgets>

// What the opener tells, shown over a window: its signals sent by hand (a copy that failed: the
// progress goes, the reason shows in a window-modal warning), Cancel to a real copy.
class TestOpenFeedback : public QObject
{
    Q_OBJECT
    FakeDesktop m_desktop;
    QWidget m_window;
    documents::DocumentOpener m_opener{m_desktop};
    windows::OpenFeedback m_feedback{m_opener, &m_window};

private slots:
    void copyProgressThenFailure_data()
    {
        QTest::addColumn<qint64>("total");
        QTest::addColumn<double>("share"); // done
        QTest::newRow("empty document") << 0LL << 0.0;
        QTest::newRow("a third of 5 GiB") << (5LL << 30) << 1.0 / 3;
        QTest::newRow("all, still being named: full, not reset") << 4096LL << 1.0;
    }
    void copyProgressThenFailure()
    {
        QFETCH(qint64, total);
        QFETCH(double, share);
        emit m_opener.copyStarted("poster 50x70.pdf", "poster 60x80.pdf");
        auto* progress = m_window.findChild<QProgressDialog*>();
        QCOMPARE(progress->labelText(), "Copying \"poster 50x70.pdf\" to \"poster 60x80.pdf\"…");
        emit m_opener.copyProgress(qint64(total * share), total);
        QCOMPARE(progress->value(), int(progress->maximum() * share));
        emit m_opener.copyEnded();
        emit m_opener.failed("It failed.");
        QTRY_VERIFY(!m_window.findChild<QProgressDialog*>());
        const std::unique_ptr<QMessageBox> box(m_window.findChild<QMessageBox*>());
        QVERIFY(box && box->isVisible() && box->windowModality() == Qt::WindowModal);
        QCOMPARE((QStringList{box->windowTitle(), box->text()}), (QStringList{qApp->applicationDisplayName(), "It failed."}));
    }

    void cancelOpensNothing()
    {
        QTemporaryFile big(QDir::tempPath() + "/XXXXXX 5x7.pdf");
        QVERIFY(big.open() && big.resize(256 << 20));
        m_opener.open({big.fileName(), true, 6, 8});
        m_window.findChild<QProgressDialog*>()->findChild<QPushButton*>()->click();
        QTRY_VERIFY(!m_opener.isBusy() && m_desktop.launched.isEmpty());
    }
};

QTEST_MAIN(TestOpenFeedback)
#include "tst_openfeedback.moc"
