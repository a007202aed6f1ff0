#include "app/app.h"
#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "app/startup.h"
#include "windows/window1.h"
#include "windows/aboutwindow.h"

#include <QPointer>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

// Filters the run's events: once the main window shows, checks what start-up built and quits.
class TestStartup : public QObject
{
    Q_OBJECT
    bool m_shown = false;
    QPointer<windows::AboutWindow> m_about;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == Window1::instance() &&
            !std::exchange(m_shown, true))
            QTimer::singleShot(0, this, &TestStartup::checkWhatStartupBuiltAndQuit);
        return false;
    }

    void checkWhatStartupBuiltAndQuit()
    {
        Window1* main = Window1::instance();
        const auto quit = qScopeGuard([main] { main->FileQuit()->trigger(); });
        for (const char* name :
             {"filename_list", "propx", "propy", "StaticText1", "StaticText2", "StaticText3",
              "PushButton1", "PushButton2", "Separator1", "GroupBox1", "StaticText4", "percents"})
            QVERIFY2(main->findChild<QWidget*>(name), name);
        QCOMPARE(main->menuWidget(), App::instance()->MenuBar());
        QVERIFY(main->menuWidget() == MenuBar1::instance() && FileTypes1::ALL_FILES());
        checkAboutIsOneWindow(main);
    }

    // The About command shows one window, brought back when minimised, and a new one
    // once the user closed it.
    void checkAboutIsOneWindow(Window1* main)
    {
        App* app = App::instance();
        QVERIFY(!app->aboutWindow());
        main->FileAboutPallisto()->trigger();
        QPointer<windows::AboutWindow> first = app->aboutWindow();
        QVERIFY(first && first->isVisible());
        first->showMinimized();
        main->FileAboutPallisto()->trigger();
        QCOMPARE(app->aboutWindow(), first.data());
        QVERIFY(!first->isMinimized());
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<windows::AboutWindow*>(w); }),
                 1);
        QVERIFY(first->close());
        QTRY_VERIFY(!first); // deleted on close
        QVERIFY(!app->aboutWindow());
        main->FileAboutPallisto()->trigger();
        m_about = app->aboutWindow();
        QVERIFY(m_about && m_about->isVisible());
    }

private slots:
    void quitEndsTheRun()
    {
        char* argv[] = {const_cast<char*>("pallisto"), nullptr};
        int argc = 1;
        QCOMPARE(pallisto::runApplication(argc, argv, this), 0);
        QVERIFY(m_shown);
        QVERIFY(!Window1::instance() && !m_about && !MenuBar1::exists()); // all gone
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
