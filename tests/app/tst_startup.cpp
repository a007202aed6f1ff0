#include "app/app.h"
#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "app/startup.h"
#include "windows/window1.h"
#include "windows/window2.h"

#include <QTest>
#include <QTimer>

namespace {

// Watches the start-up through the application's event filter. Once the main
// window is shown it records what exists, asks for About twice and quits.
class Driver final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == "Window1" && !started) {
            started = true;
            QTimer::singleShot(0, this, [this] { drive(); });
        }
        return false;
    }

    bool started = false;
    int namedControls = 0;
    bool menuBarShared = false;
    bool allFiles = false;
    bool oneAboutWindow = false;

private:
    void drive()
    {
        Window1* main = Window1::instance();
        for (const char* name :
             {"filename_list", "propx", "propy", "StaticText1", "StaticText2", "StaticText3",
              "PushButton1", "PushButton2", "Separator1", "GroupBox1", "StaticText4", "percents"})
            namedControls += main->findChild<QWidget*>(name) ? 1 : 0;
        menuBarShared = App::instance()->MenuBar() == MenuBar1::instance() &&
                        main->menuWidget() == MenuBar1::instance();
        allFiles = FileTypes1::ALL_FILES() != nullptr;

        main->FileAboutPallisto()->trigger();
        Window2* about = Window2::instance();
        main->FileAboutPallisto()->trigger();
        oneAboutWindow = about && Window2::instance() == about;

        main->FileQuit()->trigger();
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void quitEndsTheRun()
    {
        Driver driver;
        char name[] = "pallisto";
        char* argv[] = {name, nullptr};
        int argc = 1;

        QCOMPARE(pallisto::runApplication(argc, argv, &driver), 0);
        QVERIFY(driver.started);
        QCOMPARE(driver.namedControls, 12);
        QVERIFY(driver.menuBarShared);
        QVERIFY(driver.allFiles);
        QVERIFY(driver.oneAboutWindow);

        // Everything the run made is gone again.
        QVERIFY(!Window1::instance());
        QVERIFY(!Window2::instance());
        QVERIFY(!MenuBar1::exists());
        QVERIFY(!FileTypes1::ALL_FILES());
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
