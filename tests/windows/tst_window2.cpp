#include "windows/window2.h"

#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <algorithm>

namespace {

int aboutWindows()
{
    const QWidgetList all = QApplication::topLevelWidgets();
    return int(std::count_if(all.begin(), all.end(),
                             [](QWidget* w) { return qobject_cast<Window2*>(w) != nullptr; }));
}

} // namespace

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

    void windowFlags_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("set");
        QTest::newRow("minimise button") << int(Qt::WindowMinimizeButtonHint) << true;
        QTest::newRow("close button") << int(Qt::WindowCloseButtonHint) << true;
        QTest::newRow("no maximise button") << int(Qt::WindowMaximizeButtonHint) << false;
    }

    void windowFlags()
    {
        QFETCH(int, flag);
        QFETCH(bool, set);
        Window2* about = Window2::Show();
        QCOMPARE(about->windowFlags().testFlag(Qt::WindowType(flag)), set);
    }

    void fixedSizeAndCentred()
    {
        Window2* about = Window2::Show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->windowTitle(), QStringLiteral("About Pallisto\u2026"));
        about->resize(600, 300);
        QCOMPARE(about->size(), QSize(435, 146));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(about->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(about->geometry().center().y() - screen.center().y()) <= 1);
        // The CR pair of the body text shows as an empty line.
        auto* body = about->findChild<QLabel*>(QStringLiteral("StaticText1"));
        QVERIFY(body->text().contains(QStringLiteral("do.\n\nDoing")));
        QVERIFY(about->findChild<QLabel*>(QStringLiteral("StaticText2"))
                    ->text()
                    .startsWith(QStringLiteral("Pallisto 1.0")));
    }

    void askingAgainBringsTheSameWindowToTheFront()
    {
        Window2* about = Window2::Show();
        QVERIFY(QTest::qWaitForWindowActive(about));

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        about->showMinimized();

        QCOMPARE(Window2::Show(), about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QVERIFY(!about->isMinimized());
        QCOMPARE(aboutWindows(), 1);
    }

    void closingLetsAFreshOneOpen()
    {
        QPointer<Window2> first = Window2::Show();
        const QPixmap picture = first->findChild<QLabel*>(QStringLiteral("Canvas1"))->pixmap();
        QVERIFY(!picture.isNull());
        QVERIFY(first->close());
        QTRY_VERIFY(!first); // deleted on close
        QVERIFY(!Window2::instance());

        Window2* second = Window2::Show();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(Window2::instance(), second);
        // The picture is loaded once and shared by every About window.
        QCOMPARE(second->findChild<QLabel*>(QStringLiteral("Canvas1"))->pixmap().cacheKey(),
                 picture.cacheKey());
    }
};

QTEST_MAIN(TestWindow2)
#include "tst_window2.moc"
