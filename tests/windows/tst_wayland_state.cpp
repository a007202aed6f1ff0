#include "tests/support/fakedesktop.h"
#include "tests/support/support.h"
#include "windows/aboutwindow.h"
#include "windows/mainwindow.h"

#include <QTest>

class TestWaylandState : public QObject
{
    Q_OBJECT
private slots:
    void maximisedWindowsTakeTheScreen() // and get their limits back, under a real compositor
    {
        if (ranUnder(DisplayServer::Weston))
            return;
        FakeDesktop desktop;
        windows::MainWindow main(desktop);
        for (QWidget* window : QWidgetList{&main, new windows::AboutWindow(&main)}) {
            window->showMaximized(); // both keep a fixed width otherwise
            QTRY_VERIFY(window->width() > window->minimumWidth());
            window->showNormal();
            QTRY_COMPARE(window->maximumWidth(), window->width());
        }
    }
};

QTEST_MAIN(TestWaylandState)
#include "tst_wayland_state.moc"
