#include "tests/support/contrast.h"
#include "tests/support/fakedesktop.h"
#include "windows/mainwindow.h"
#include "windows/renamereminder.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cmath>

using windows::RenameReminder;

namespace {

const QString Message = QStringLiteral("Don't forget to change the name of the file!!");
const char* const ChildVariable = "PALLISTO_REMINDER_TEST_CHILD";

QPalette paletteOf(QColor window, QColor text)
{
    QPalette palette = QApplication::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::WindowText, text);
    }
    return palette;
}

// Under a Wayland compositor: the main window with two documents listed, a Calculate, then
// "Open file" showing the reminder; what came of it on stdout.
int showOnWayland(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QList<QUrl> files;
    for (const char* name : {"a 50x70.pdf", "b 21x30.pdf"}) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        files << QUrl::fromLocalFile(file.fileName());
    }
    FakeDesktop desktop;
    windows::MainWindow main(desktop);
    main.show();
    const bool mainExposed = QTest::qWaitForWindowExposed(&main);
    main.listFiles(files);
    main.findChild<QLineEdit*>("widthField")->setText("70");
    main.findChild<QLineEdit*>("heightField")->setText("100");
    main.calculate();
    desktop.pointer = main.geometry().topLeft() + QPoint(110, 200);
    main.openChosen({});
    auto* reminder = main.findChild<RenameReminder*>();
    const bool exposed = reminder && QTest::qWaitForWindowExposed(reminder);
    QTest::qWait(100); // the compositor's placement, if it moved the popup
    const QPoint offset = reminder ? reminder->geometry().topLeft() - main.geometry().topLeft()
                                   : QPoint();
    const QWindow* handle = reminder ? reminder->windowHandle() : nullptr;
    printf("platform %s\nresult %s\nexposed %d %d\ntransient %d\noffset %d,%d\n",
           qPrintable(QGuiApplication::platformName()),
           qPrintable(main.findChild<QLabel*>("resultLabel")->text().replace('\n', ' ')),
           mainExposed, exposed, handle && handle->transientParent() == main.windowHandle(),
           offset.x(), offset.y());
    return 0;
}

// Under X11: a button with the reminder over it, then with an ordinary window over it, each
// clicked through the X server; how many clicks the button got each time, on stdout.
int clickThroughOnX11(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget main;
    main.setGeometry(400, 50, 220, 519);
    auto* button = new QPushButton("Below", &main);
    button->setGeometry(10, 60, 200, 40);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 2;
    const QPoint target = button->mapToGlobal(button->rect().center());
    auto clicks = [&](QWidget* above) {
        QSignalSpy clicked(button, &QPushButton::clicked);
        if (!QTest::qWaitForWindowExposed(above) || !above->geometry().contains(target))
            return -1;
        QTest::qWait(200); // the server has the window's input shape
        QProcess::execute("xdotool", {"mousemove", QString::number(target.x()),
                                      QString::number(target.y()), "click", "1"});
        QTest::qWait(500);
        return int(clicked.count());
    };
    auto* reminder = new RenameReminder(&main);
    reminder->showAt(target);
    printf("through the reminder %d\n", clicks(reminder));
    reminder->close();
    QWidget ordinary(&main, Qt::ToolTip | Qt::FramelessWindowHint);
    ordinary.setGeometry(QRect(target - QPoint(50, 20), QSize(100, 40)));
    ordinary.show();
    printf("through an ordinary window %d\n", clicks(&ordinary));
    return 0;
}

} // namespace

class ReminderTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<QWidget> m_main; // stands in for the main window under the reminder
    const QPalette m_palette = QApplication::palette();

    QWidget* mainWindowAt(QPoint topLeft)
    {
        m_main = std::make_unique<QWidget>();
        m_main->setGeometry(QRect(topLeft, QSize(220, 519)));
        m_main->show();
        return m_main.get();
    }

    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    struct Stop // a server or compositor, however the test leaves
    {
        QProcess& process;
        ~Stop()
        {
            process.kill();
            process.waitForFinished(5000);
        }
    };

    // This test program again, as a client of the display in `env`: what it printed.
    static std::pair<QString, QString> runChild(const QString& mode, QProcessEnvironment env)
    {
        env.insert(ChildVariable, mode);
        env.remove("QT_LOGGING_RULES"); // every warning counts here
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        if (!child.waitForFinished(30000))
            child.kill();
        return {QString::fromLocal8Bit(child.readAllStandardOutput()),
                QString::fromLocal8Bit(child.readAllStandardError())};
    }

private slots:
    void cleanup()
    {
        m_main.reset();
        QApplication::setPalette(m_palette);
    }

    void placement_data()
    {
        QTest::addColumn<QPoint>("mainTopLeft");
        QTest::addColumn<int>("pointerBelowTop");
        QTest::addColumn<QPoint>("expected");
        const QRect area = screenArea();
        const int right = area.right() + 1 - 350, bottom = area.bottom() + 1 - 91;
        QTest::newRow("left corrected to 0") << QPoint(30, 100) << 200 << QPoint(0, 255);
        QTest::newRow("centred at the pointer") << QPoint(400, 50) << 10 << QPoint(335, 15);
        QTest::newRow("top corrected to 0") << QPoint(400, 20) << 5 << QPoint(335, 0);
        QTest::newRow("pointer above the window") << QPoint(200, 300) << -100 << QPoint(135, 155);
        QTest::newRow("just fits at the right") << QPoint(right + 65, 50) << 10 << QPoint(right, 15);
        QTest::newRow("one pixel past the right")
            << QPoint(right + 66, 50) << 10 << QPoint(right, 15);
        QTest::newRow("window at the right edge")
            << QPoint(area.right() - 220, 50) << 10 << QPoint(right, 15);
        QTest::newRow("pointer at the bottom")
            << QPoint(100, area.bottom() - 300) << 290 << QPoint(35, bottom);
        QTest::newRow("just fits at the bottom") << QPoint(100, 0) << bottom + 45 << QPoint(35, bottom);
        QTest::newRow("window off the bottom right")
            << QPoint(area.right() + 500, area.bottom() + 500) << 40 << QPoint(right, bottom);
    }
    void placement()
    {
        QFETCH(QPoint, mainTopLeft);
        QFETCH(int, pointerBelowTop);
        QFETCH(QPoint, expected);
        QWidget* main = mainWindowAt(mainTopLeft);
        auto* reminder = new RenameReminder(main);
        reminder->showAt(mainTopLeft + QPoint(110, pointerBelowTop));
        QVERIFY(reminder->isVisible());
        QCOMPARE(reminder->geometry(), QRect(expected, QSize(350, 91)));
        QVERIFY(screenArea().contains(reminder->geometry()));
    }

    void secondShowKeepsPlaceAndTime()
    {
        QWidget* main = mainWindowAt({400, 50});
        auto* reminder = new RenameReminder(main);
        reminder->showAt({510, 400});
        const QTimer* lifetime = reminder->findChild<QTimer*>();
        QVERIFY(lifetime && lifetime->isActive());
        QTest::qWait(30);
        const int remaining = lifetime->remainingTime();
        main->move(100, 200);
        reminder->showAt({210, 500});
        QCOMPARE(reminder->pos(), QPoint(335, 355));
        QVERIFY(reminder->isVisible());
        QVERIFY2(lifetime->isActive() && lifetime->remainingTime() <= remaining, "time restarted");
    }

    void closesAfterItsTime()
    {
        QWidget* main = mainWindowAt({400, 50});
        QPointer reminder = new RenameReminder(main);
        reminder->showAt({510, 100});
        QTimer* lifetime = reminder->findChild<QTimer*>();
        // Still up when the opener hands the document over, two seconds after showing it.
        QVERIFY(lifetime->isSingleShot() && lifetime->remainingTime() > 2000);
        QVERIFY(QMetaObject::invokeMethod(lifetime, "timeout"));
        QVERIFY(!reminder || !reminder->isVisible());
        QTRY_VERIFY(!reminder); // deleted, so the main window makes a fresh one next time
        QVERIFY(main->isVisible());
    }

    void leavesTheFocus()
    {
        QWidget* main = mainWindowAt({400, 50});
        main->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), main);
        auto* reminder = new RenameReminder(main);
        reminder->showAt({510, 100});
        QVERIFY(QTest::qWaitForWindowExposed(reminder));
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), main);
    }

    // Under Xvfb with a real X pointer: a click on the reminder reaches the button below it,
    // while an ordinary window in the same place would take it.
    void clicksPassThrough()
    {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs Xvfb and xdotool");
        QProcess server;
        Stop stop{server};
        server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        QDeadlineTimer deadline(10000);
        while (!server.canReadLine() && server.state() != QProcess::NotRunning && !deadline.hasExpired())
            server.waitForReadyRead(100);
        const QByteArray display = server.readLine().trimmed();
        if (display.isEmpty())
            QSKIP(qPrintable("Xvfb did not start: " + server.readAllStandardError().right(300)));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", ":" + display);
        const auto [out, err] = runChild("x11-click", env);
        QCOMPARE(out, QStringLiteral("through the reminder 1\nthrough an ordinary window 0\n"));
    }

    void readable_data()
    {
        QTest::addColumn<QPalette>("before"); // the palette when the reminder is made
        QTest::addColumn<QPalette>("palette"); // the palette it is seen under
        QTest::addColumn<bool>("darkOnLight");
        const QPalette light = paletteOf(QColor(239, 239, 239), Qt::black);
        const QPalette dark = paletteOf(QColor(0x35, 0x35, 0x35), QColor(0xee, 0xee, 0xee));
        QTest::newRow("light") << light << light << true;
        QTest::newRow("dark") << dark << dark << false;
        QTest::newRow("white on black") << light << paletteOf(Qt::black, Qt::white) << false;
        QTest::newRow("dark after light") << light << dark << false;
        QTest::newRow("light after dark") << dark << light << true;
    }
    void readable()
    {
        QFETCH(QPalette, before);
        QFETCH(QPalette, palette);
        QFETCH(bool, darkOnLight);
        QApplication::setPalette(before);
        QWidget* main = mainWindowAt({400, 50});
        auto* reminder = new RenameReminder(main);
        reminder->showAt({510, 100});
        QApplication::setPalette(palette);
        QVERIFY(QTest::qWaitForWindowExposed(reminder));

        const QImage shot = reminder->grab().toImage();
        const QColor background = shot.pixelColor(10, 45); // left of the text box
        QCOMPARE(background, palette.color(QPalette::Window));
        QColor text = background;
        const QRect box = reminder->findChild<QLabel*>()->geometry();
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (contrast(shot.pixelColor(x, y), background) > contrast(text, background))
                    text = shot.pixelColor(x, y);
        const double ratio = contrast(text, background);
        QVERIFY2(ratio >= 4.5, qPrintable(QString("contrast %1:1").arg(ratio)));
        QCOMPARE(contrast(text, Qt::white) > contrast(background, Qt::white), darkOnLight); // darker
        // The edge keeps the box apart from a main window of the same colour.
        QVERIFY(contrast(shot.pixelColor(0, 45), background) > 1.5);
        QVERIFY(contrast(shot.pixelColor(175, 90), background) > 1.5);
    }

    // What is drawn of the text lies inside its box, bold and wrapped, with the desktop's general
    // font and with one far wider, where 24 px would need three lines.
    void textFits_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("general font") << QString();
        QTest::newRow("wide font") << "DejaVu Sans Mono";
    }
    void textFits()
    {
        QFETCH(QString, family);
        const QFont general = QApplication::font();
        if (!family.isEmpty())
            QApplication::setFont(QFont(family));
        auto* reminder = new RenameReminder(mainWindowAt({400, 50}));
        QApplication::setFont(general);
        const QLabel* text = reminder->findChild<QLabel*>();
        QCOMPARE(text->text(), Message);
        QVERIFY(text->font().bold());

        const QImage shot = reminder->grab().toImage();
        const QColor background = shot.pixelColor(10, 45);
        const QRect box = text->geometry();
        QRect ink;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (QRect(1, 1, shot.width() - 2, shot.height() - 2).contains(x, y) &&
                    contrast(shot.pixelColor(x, y), background) > 2)
                    ink |= QRect(x, y, 1, 1);
        QVERIFY2(ink.height() > text->font().pixelSize() * 3 / 2, "not wrapped");
        QVERIFY2(box.adjusted(1, 1, -1, -1).contains(ink), "the text is clipped");
    }

    // A window of the app's own, which screen readers list and can read.
    void listedToScreenReaders()
    {
        QWidget* main = mainWindowAt({400, 50});
        auto* reminder = new RenameReminder(main);
        reminder->showAt({510, 100});
        QVERIFY(reminder->isWindow());
        QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
        QAccessibleInterface* listed = nullptr;
        for (int i = 0; i < app->childCount(); ++i)
            if (app->child(i)->object() == reminder)
                listed = app->child(i);
        QVERIFY2(listed, "not among the app's windows");
        QCOMPARE(listed->text(QAccessible::Name), QStringLiteral("Reminder"));
        QCOMPARE(listed->text(QAccessible::Description), Message);
    }

    // On Wayland the reminder can only be placed relative to the main window: it has to be
    // the main window's popup, at the same offset as elsewhere, and quiet.
    void wayland()
    {
        const QString weston = QStandardPaths::findExecutable("weston");
        if (weston.isEmpty())
            QSKIP("weston is not installed");
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           "/platforms/libqwayland-generic.so"))
            QSKIP("Qt's Wayland plugin (qt6-wayland) is not installed");
        QTemporaryDir runtime;
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ExeOwner));
        const QString socket = QStringLiteral("pallisto-%1").arg(QCoreApplication::applicationPid());
        QProcess compositor;
        Stop stop{compositor};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        compositor.setProcessEnvironment(env);
        compositor.start(weston, {"--backend=headless-backend.so", "--use-pixman",
                                  "--socket=" + socket, "--width=1280", "--height=1024",
                                  "--no-config"});
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(runtime.filePath(socket)) && compositor.state() != QProcess::NotRunning &&
               !deadline.hasExpired())
            QTest::qWait(50);
        if (!QFile::exists(runtime.filePath(socket)))
            QSKIP(qPrintable("weston did not start: " + compositor.readAllStandardError().right(300)));

        env.insert("QT_QPA_PLATFORM", "wayland");
        // Under the sanitizers: the Wayland client libraries keep a few allocations to the end,
        // which are not the app's and would otherwise fill its stderr.
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        env.insert("WAYLAND_DISPLAY", socket);
        const auto [out, err] = runChild("wayland", env);
        QCOMPARE(out, QStringLiteral("platform wayland\nresult 333.33% 333.33%\nexposed 1 1\n"
                                     "transient 1\noffset -65,155\n"));
        QCOMPARE(err, QString());
    }
};

int main(int argc, char** argv)
{
    const QString child = qEnvironmentVariable(ChildVariable);
    if (child == QLatin1String("wayland"))
        return showOnWayland(argc, argv);
    if (child == QLatin1String("x11-click"))
        return clickThroughOnX11(argc, argv);
    QApplication app(argc, argv);
    ReminderTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_renamereminder.moc"
