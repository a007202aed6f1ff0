#include "tests/support/fakedesktop.h"
#include "windows/warning.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

// The reminder box, on real widgets under the offscreen platform. The main window
// is a plain widget moved to known places; the pointer comes from the fake desktop.
class tst_warning : public QObject
{
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void shownTwiceStaysOne();
    void timerFiresOnceAfterSixSeconds();
    void closesWhenTimerFires();
    void wholeTextFitsInItsBox_data();
    void wholeTextFitsInItsBox();
    void leavesFocusWithMainWindow();
    void cleanup();
};

namespace {

// A main window whose content area is at (left, top).
std::unique_ptr<QWidget> mainWindowAt(int left, int top)
{
    auto window = std::make_unique<QWidget>();
    window->setGeometry(left, top, 220, 519);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

} // namespace

void tst_warning::cleanup()
{
    if (warning* open = warning::instance())
        open->Timer1_Action();
    QTRY_VERIFY(!warning::instance());
}

void tst_warning::placement_data()
{
    QTest::addColumn<QPoint>("mainTopLeft");
    QTest::addColumn<int>("pointerBelowTop");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("left corrected to 0") << QPoint(30, 100) << 200 << QPoint(0, 255);
    QTest::newRow("centred at the pointer") << QPoint(400, 50) << 10 << QPoint(335, 15);
    QTest::newRow("top corrected to 0") << QPoint(400, 20) << 5 << QPoint(335, 0);
    QTest::newRow("pointer above the window") << QPoint(100, 300) << -100 << QPoint(35, 155);
    QTest::newRow("beyond the right edge kept") << QPoint(3000, 2000) << 40 << QPoint(2935, 1995);
}

void tst_warning::placement()
{
    QFETCH(QPoint, mainTopLeft);
    QFETCH(int, pointerBelowTop);
    QFETCH(QPoint, expected);
    const auto main = mainWindowAt(mainTopLeft.x(), mainTopLeft.y());
    QVERIFY(main);
    QCOMPARE(main->geometry().topLeft(), mainTopLeft);
    FakeDesktop desktop;
    desktop.mouse = mainTopLeft + QPoint(110, pointerBelowTop);

    warning* reminder = warning::Show(main.get(), desktop);

    QVERIFY(reminder);
    QVERIFY(reminder->isVisible());
    QCOMPARE(reminder->geometry(), QRect(expected, QSize(350, 91)));
}

void tst_warning::shownTwiceStaysOne()
{
    const auto main = mainWindowAt(400, 50);
    QVERIFY(main);
    FakeDesktop desktop;
    desktop.mouse = QPoint(500, 60);
    warning* first = warning::Show(main.get(), desktop);
    QVERIFY(first);
    const QPoint firstPlace = first->pos();
    QTest::qWait(20);
    const int remainingBefore = first->Timer1()->remainingTime();

    main->move(600, 300);
    desktop.mouse = QPoint(700, 500);
    warning* second = warning::Show(main.get(), desktop);

    QCOMPARE(second, first);
    QCOMPARE(warning::instance(), first);
    QCOMPARE(second->pos(), firstPlace);
    QVERIFY(second->Timer1()->isActive());
    QVERIFY2(second->Timer1()->remainingTime() <= remainingBefore, "the six seconds restarted");
    QCOMPARE(main->findChildren<warning*>().size(), 1);
}

void tst_warning::timerFiresOnceAfterSixSeconds()
{
    const auto main = mainWindowAt(400, 50);
    QVERIFY(main);
    FakeDesktop desktop;
    warning* reminder = warning::Show(main.get(), desktop);
    QTimer* timer = reminder->Timer1();
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 6000);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
}

void tst_warning::closesWhenTimerFires()
{
    const auto main = mainWindowAt(400, 50);
    QVERIFY(main);
    FakeDesktop desktop;
    desktop.mouse = QPoint(500, 60);
    QPointer<warning> first = warning::Show(main.get(), desktop);
    QVERIFY(first);

    QVERIFY(QMetaObject::invokeMethod(first->Timer1(), "timeout"));

    QVERIFY(!warning::instance());
    QTRY_VERIFY(first.isNull());
    // The next request makes a fresh reminder, placed from the pointer of now.
    desktop.mouse = QPoint(500, 400);
    warning* next = warning::Show(main.get(), desktop);
    QVERIFY(next);
    QCOMPARE(next->pos(), QPoint(335, 355));
    QVERIFY(next->Timer1()->isActive());
}

void tst_warning::wholeTextFitsInItsBox_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("general font") << QString();
    // Far wider than any desktop's general font: 24 px would need three lines.
    QTest::newRow("wide font") << QStringLiteral("DejaVu Sans Mono");
}

void tst_warning::wholeTextFitsInItsBox()
{
    QFETCH(QString, family);
    const QFont generalFont = QApplication::font();
    if (!family.isEmpty())
        QApplication::setFont(QFont(family));
    const auto main = mainWindowAt(400, 50);
    QVERIFY(main);
    FakeDesktop desktop;
    const QLabel* text = warning::Show(main.get(), desktop)->StaticText1();
    QApplication::setFont(generalFont);

    QCOMPARE(text->text(), QStringLiteral("Don't forget to change the name of the file!!"));
    QCOMPARE(text->geometry(), QRect(20, 14, 311, 57));
    QVERIFY(text->font().bold());
    const QRect needed = QFontMetrics(text->font())
                             .boundingRect(text->contentsRect(),
                                           int(text->alignment()) | Qt::TextWordWrap, text->text());
    QVERIFY2(text->contentsRect().contains(needed), "the text is clipped");
    if (family.isEmpty())
        QCOMPARE(text->font().pixelSize(), 24);
}

void tst_warning::leavesFocusWithMainWindow()
{
    const auto main = mainWindowAt(400, 50);
    QVERIFY(main);
    main->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), main.get());
    FakeDesktop desktop;
    warning::Show(main.get(), desktop);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), main.get());
}

QTEST_MAIN(tst_warning)
#include "tst_warning.moc"
