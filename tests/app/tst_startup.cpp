#include "app/app.h"
#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "app/startup.h"
#include "windows/window1.h"
#include "windows/window2.h"

#include <QTest>
#include <QTimer>

namespace {

// How the run is ended once the main window is up.
enum class Ending
{
    QuitItem,
    CloseWindows, // the main window first, then the About window
};

// Watches the start-up through the application's event filter; once the main
// window is shown it records what exists, asks for About twice, and ends the run.
class Driver final : public QObject
{
public:
    explicit Driver(Ending ending) : m_ending(ending) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == "Window1" && !m_started) {
            m_started = true;
            QTimer::singleShot(0, this, [this] { drive(); });
        }
        return false;
    }

    bool m_started = false;
    QStringList controls;
    bool menuBarShared = false;
    bool allFilesExist = false;
    QString desktopFileName;
    bool hasIcon = false;
    bool oneAboutWindow = false;
    bool menuBarOutlivedMainWindow = false;

private:
    void drive()
    {
        Window1* main = Window1::instance();
        for (QWidget* control : main->centralWidget()->findChildren<QWidget*>())
            controls << control->objectName();
        menuBarShared = MenuBar1::exists() && App::instance()->MenuBar() == MenuBar1::instance() &&
                        main->menuWidget() == MenuBar1::instance();
        allFilesExist = FileTypes1::ALL_FILES() != nullptr;
        desktopFileName = QGuiApplication::desktopFileName();
        hasIcon = QApplication::windowIcon().availableSizes().contains(QSize(256, 256));

        main->FileAboutPallisto()->trigger();
        Window2* about = Window2::instance();
        main->FileAboutPallisto()->trigger();
        oneAboutWindow = about && Window2::instance() == about;

        if (m_ending == Ending::QuitItem) {
            main->FileQuit()->trigger();
        } else {
            main->close();
            closeAboutOnceMainWindowIsGone();
        }
    }

    void closeAboutOnceMainWindowIsGone()
    {
        if (Window1::instance()) {
            QTimer::singleShot(0, this, [this] { closeAboutOnceMainWindowIsGone(); });
            return;
        }
        menuBarOutlivedMainWindow = MenuBar1::exists();
        Window2::instance()->close();
    }

    Ending m_ending;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void runEndsCleanly_data()
    {
        QTest::addColumn<int>("ending");
        QTest::newRow("quit item") << int(Ending::QuitItem);
        QTest::newRow("closing both windows") << int(Ending::CloseWindows);
    }

    void runEndsCleanly()
    {
        QFETCH(int, ending);
        Driver driver{Ending(ending)};
        char name[] = "pallisto";
        char* argv[] = {name, nullptr};
        int argc = 1;

        QCOMPARE(pallisto::runApplication(argc, argv, &driver), 0);

        QVERIFY(driver.m_started);
        for (const char* control :
             {"filename_list", "propx", "propy", "StaticText1", "StaticText2", "StaticText3",
              "PushButton1", "PushButton2", "Separator1", "GroupBox1", "StaticText4", "percents"})
            QVERIFY2(driver.controls.contains(control), control);
        QVERIFY(driver.menuBarShared);
        QVERIFY(driver.allFilesExist);
        QCOMPARE(driver.desktopFileName, QStringLiteral("org.pallisto.Pallisto"));
        QVERIFY(driver.hasIcon);
        QVERIFY(driver.oneAboutWindow);
        if (Ending(ending) == Ending::CloseWindows)
            QVERIFY(driver.menuBarOutlivedMainWindow);

        // Everything the run made is gone again.
        QVERIFY(!Window1::instance());
        QVERIFY(!Window2::instance());
        QVERIFY(!MenuBar1::exists());
        QVERIFY(!FileTypes1::ALL_FILES());
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
