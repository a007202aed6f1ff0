#include "app/app.h"
#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "app/startup.h"
#include "windows/window1.h"
#include "windows/window2.h"

#include <QScopeGuard>
#include <QTest>
#include <QTimer>

// Filters the run's events: once the main window shows, checks what start-up built and quits.
class TestStartup : public QObject
{
    Q_OBJECT
    bool m_shown = false;

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
        main->FileAboutPallisto()->trigger();
        QVERIFY(Window2::instance());
    }

private slots:
    void quitEndsTheRun()
    {
        char* argv[] = {const_cast<char*>("pallisto"), nullptr};
        int argc = 1;
        QCOMPARE(pallisto::runApplication(argc, argv, this), 0);
        QVERIFY(m_shown);
        QVERIFY(!Window1::instance() && !Window2::instance() && !MenuBar1::exists()); // all gone
    }
};

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
