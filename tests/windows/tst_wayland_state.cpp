#include "tests/support/fakedesktop.h"
#include "windows/aboutwindow.h"
#include "windows/mainwindow.h"

#include <QScreen>
#include <QTest>
#include <QWindow>

// Qt's own title bar on Wayland maximises through the window handle, whatever the window's
// limits; the window has to take the compositor's size then, and its limits back afterwards.
class TestWaylandState : public QObject
{
    Q_OBJECT
private slots:
    void maximisedWindowTakesTheScreen_data()
    {
        QTest::addColumn<bool>("about");
        QTest::newRow("main window") << false;
        QTest::newRow("about window") << true;
    }
    void maximisedWindowTakesTheScreen()
    {
        QFETCH(bool, about);
        FakeDesktop desktop;
        windows::MainWindow main(desktop);
        QWidget* window = about ? static_cast<QWidget*>(new windows::AboutWindow(&main)) : &main;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize normal = window->size();
        const QSize limit = window->maximumSize();
        window->windowHandle()->setWindowStates(Qt::WindowMaximized);
        QTRY_VERIFY(window->width() > normal.width());
        // Wayland bounds the compositor's size by these limits, where offscreen ignores them.
        const QSize screen = window->screen()->availableSize();
        QVERIFY(window->maximumWidth() >= screen.width());
        QVERIFY(window->maximumHeight() >= screen.height());
        window->windowHandle()->setWindowStates(Qt::WindowNoState);
        QTRY_COMPARE(window->size(), normal);
        QCOMPARE(window->maximumSize(), limit);
    }
};

QTEST_MAIN(TestWaylandState)
#include "tst_wayland_state.moc"
