#include "windows/window2.h"

#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>

class TestWindow2 : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        delete Window2::instance();
        QVERIFY(!Window2::instance());
    }

    void cleanupTestCase() { Window2::ReleaseAboutPicture(); }

    void fixedCentredWindow()
    {
        Window2* about = Window2::Show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QVERIFY(about->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(about->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!about->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        about->resize(600, 300);
        QCOMPARE(about->size(), QSize(435, 146));
        const QPoint offCentre = about->geometry().center() -
                                 QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
        // The CR pair of the body text shows as an empty line.
        QVERIFY(about->findChild<QLabel*>("StaticText1")->text().contains("do.\n\nDoing"));
    }

    void askingAgainBringsTheSameWindowToTheFront()
    {
        Window2* about = Window2::Show();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        about->showMinimized();

        QCOMPARE(Window2::Show(), about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QVERIFY(!about->isMinimized());
    }

    void closingLetsAFreshOneOpenWithTheSamePicture()
    {
        QPointer<Window2> first = Window2::Show();
        const QPixmap picture = first->findChild<QLabel*>("Canvas1")->pixmap();
        QVERIFY(!picture.isNull());
        QVERIFY(first->close());
        QTRY_VERIFY(!first); // deleted on close
        QVERIFY(!Window2::instance());

        Window2* second = Window2::Show();
        QVERIFY(second && second->isVisible());
        QCOMPARE(Window2::instance(), second);
        QCOMPARE(second->findChild<QLabel*>("Canvas1")->pixmap().cacheKey(), picture.cacheKey());
    }
};

QTEST_MAIN(TestWindow2)
#include "tst_window2.moc"
