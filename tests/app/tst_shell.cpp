#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "tests/support/fakedesktop.h"
#include "windows/warning.h"
#include "windows/window1.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using MenuRow = std::tuple<int, QString, QKeySequence, QAction::MenuRole>;
Q_DECLARE_METATYPE(MenuRow)

class TestShell : public QObject
{
    Q_OBJECT
    FakeDesktop m_desktop;
    std::unique_ptr<Window1> m_window = std::make_unique<Window1>(m_desktop, MenuBar1::instance());
    std::unique_ptr<QWidget> m_plain; // stands in for the main window under the reminder

    QWidget* plainWindowAt(QPoint topLeft)
    {
        m_plain = std::make_unique<QWidget>();
        m_plain->setGeometry(QRect(topLeft, QSize(220, 519)));
        m_plain->show();
        return m_plain.get();
    }

private slots:
    void initTestCase() { m_window->show(); }
    void cleanupTestCase()
    {
        m_window.reset();
        QVERIFY(MenuBar1::exists() && !MenuBar1::instance()->parent()); // let go, not deleted
    }

    void menuTable_data()
    {
        QTest::addColumn<MenuRow>("row");
        auto row = [at = 0](const char* name, const char* caption, const char* keys,
                            QAction::MenuRole role = QAction::NoRole) mutable {
            QTest::newRow(name) << MenuRow{at++, caption, QKeySequence(keys), role};
        };
        row("FileMenu", "&File", "");
        row("FileQuit", "&Quit", "Ctrl+Q", QAction::QuitRole);
        row("FileAboutPallisto…", "About Pallisto…", "", QAction::AboutRole);
        row("EditMenu", "&Edit", "");
        row("EditUndo", "&Undo", "Ctrl+Z");
        row("UntitledMenu1", "", "");
        row("EditCut", "Cu&t", "Ctrl+X");
        row("EditCopy", "&Copy", "Ctrl+C");
        row("EditPaste", "&Paste", "Ctrl+V");
        row("EditClear", "&Delete", "");
        row("UntitledMenu0", "", "");
        row("EditSelectAll", "Select &All", "Ctrl+A");
    }

    // In the order shown: each menu, then its items. No caption makes a separator.
    void menuTable()
    {
        QFETCH(MenuRow, row);
        const auto& [position, caption, shortcut, role] = row;
        QList<QAction*> shown;
        for (QAction* menu : MenuBar1::instance()->actions())
            shown << menu << (menu->menu() ? menu->menu()->actions() : QList<QAction*>());
        QCOMPARE(shown.size(), 12);
        QAction* item = shown.at(position);
        QCOMPARE(item->objectName(), QString(QTest::currentDataTag()));
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
        QCOMPARE(item->isSeparator(), caption.isEmpty());
        QCOMPARE(item->menuRole(), role);
        QVERIFY(item->isEnabled());
    }

    void controls_data()
    {
        QTest::addColumn<QRect>("at519");
        QTest::addColumn<QRect>("at300");
        QTest::newRow("filename_list") << QRect(20, 33, 179, 258) << QRect(20, 33, 179, 39);
        QTest::newRow("propx") << QRect(20, 330, 80, 22) << QRect(20, 111, 80, 22);
        QTest::newRow("propy") << QRect(119, 330, 80, 22) << QRect(119, 111, 80, 22);
        QTest::newRow("StaticText1") << QRect(20, 307, 112, 20) << QRect(20, 88, 112, 20);
        QTest::newRow("StaticText2") << QRect(105, 332, 10, 20) << QRect(105, 113, 10, 20);
        QTest::newRow("StaticText3") << QRect(20, 8, 147, 20) << QRect(20, 8, 147, 20);
        QTest::newRow("PushButton1") << QRect(20, 364, 179, 24) << QRect(20, 145, 179, 24);
        QTest::newRow("PushButton2") << QRect(20, 398, 179, 24) << QRect(20, 179, 179, 24);
        QTest::newRow("Separator1") << QRect(20, 297, 179, 12) << QRect(20, 78, 179, 12);
        QTest::newRow("GroupBox1") << QRect(20, 434, 184, 72) << QRect(20, 215, 184, 72);
        QTest::newRow("StaticText4") << QRect(30, 460, 83, 37) << QRect(30, 241, 83, 37);
        QTest::newRow("percents") << QRect(120, 460, 69, 37) << QRect(120, 241, 69, 37);
    }

    // In the content area's coordinates, which also places the labels inside the group box.
    void controls()
    {
        QFETCH(QRect, at519);
        QFETCH(QRect, at300);
        QWidget* content = m_window->centralWidget();
        auto* control = m_window->findChild<QWidget*>(QTest::currentDataTag());
        QVERIFY(control);
        auto placed = [&] { return QRect(control->mapTo(content, QPoint()), control->size()); };
        const int menu = m_window->menuWidget()->height();
        m_window->resize(220, 40000 + menu);
        QCOMPARE(content->height(), 32000);
        m_window->resize(400, 100); // below the minimum, and wider
        QCOMPARE(m_window->width(), 220);
        QCOMPARE(content->height(), 300);
        QCOMPARE(placed(), at300);
        m_window->resize(220, 519 + menu); // and back, exactly
        QCOMPARE(content->size(), QSize(220, 519));
        QCOMPARE(placed(), at519);
    }

    void editCommandsActOnTheFocusedField_data()
    {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("expected");
        QTest::newRow("delete, cut, undo") << "Clear SelectAll Cut Undo" << QString("234");
        QTest::newRow("cut, paste twice") << "SelectAll Cut Paste Paste" << QString("12341234");
    }

    void editCommandsActOnTheFocusedField()
    {
        QFETCH(QString, commands);
        QFETCH(QString, expected);
        auto* field = m_window->findChild<QLineEdit*>("propx");
        field->setText("1234");
        field->setCursorPosition(0);
        field->activateWindow();
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        for (const QString& command : commands.split(' '))
            MenuBar1::instance()->findChild<QAction*>("Edit" + command)->trigger();
        QCOMPARE(field->text(), expected);
    }

    void allFilesMatchesAnyFile()
    {
        FileTypes1::create();
        for (const char* name : {"README", "POSTER 50X70.PNG", "png.pdf"})
            QVERIFY2(FileTypes1::ALL_FILES()->matches(name, "PNGf", "8BIM"), name);
        const FileType png{"PNG", {"png"}, "????", "????"}; // a narrower type can refuse
        QVERIFY(png.matches("POSTER.PNG") && !png.matches("png.pdf") && !png.matches("README"));
    }

    void returnPressesCalculate_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return in width") << "propx" << Qt::Key_Return;
        QTest::newRow("Enter in height") << "propy" << Qt::Key_Enter;
        QTest::newRow("Return on Open file") << "PushButton2" << Qt::Key_Return;
    }

    void returnPressesCalculate()
    {
        QFETCH(QString, focus);
        QFETCH(Qt::Key, key);
        QSignalSpy calculated(m_window->findChild<QObject*>("PushButton1"), SIGNAL(clicked()));
        QSignalSpy opened(m_window->findChild<QObject*>("PushButton2"), SIGNAL(clicked()));
        QTest::keyClick(m_window->findChild<QWidget*>(focus), key);
        QCOMPARE(calculated.count(), 1);
        QCOMPARE(opened.count(), 0);
    }

    void reminderPlacement_data()
    {
        QTest::addColumn<QPoint>("mainTopLeft");
        QTest::addColumn<int>("pointerBelowTop");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("left corrected to 0") << QPoint(30, 100) << 200 << QPoint(0, 255);
        QTest::newRow("centred at the pointer") << QPoint(400, 50) << 10 << QPoint(335, 15);
        QTest::newRow("top corrected to 0") << QPoint(400, 20) << 5 << QPoint(335, 0);
        QTest::newRow("right edge kept") << QPoint(3000, 2000) << 40 << QPoint(2935, 1995);
    }

    void reminderPlacement()
    {
        QFETCH(QPoint, mainTopLeft);
        QFETCH(int, pointerBelowTop);
        QFETCH(QPoint, expected);
        QWidget* main = plainWindowAt(mainTopLeft);
        m_desktop.mouse = mainTopLeft + QPoint(110, pointerBelowTop);
        QCOMPARE(warning::Show(main, m_desktop)->geometry(), QRect(expected, QSize(350, 91)));
    }

    void reminderIsOneAtATimeAndLeavesTheFocus()
    {
        QWidget* main = plainWindowAt({400, 50});
        main->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), main);
        QPointer<warning> first = warning::Show(main, m_desktop);
        QTimer* timer = first->Timer1();
        QVERIFY(timer->isActive() && timer->isSingleShot());
        QCOMPARE(timer->interval(), 6000);
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), main);

        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QTRY_VERIFY(!first);
        m_desktop.mouse = QPoint(500, 400); // a fresh one, placed from the pointer of now
        warning* next = warning::Show(main, m_desktop);
        QCOMPARE(next->pos(), QPoint(335, 355));

        QTest::qWait(20);
        const int remaining = next->Timer1()->remainingTime();
        main->move(600, 300);
        QCOMPARE(warning::Show(main, m_desktop), next);
        QCOMPARE(next->pos(), QPoint(335, 355));
        QVERIFY2(next->Timer1()->isActive() && next->Timer1()->remainingTime() <= remaining,
                 "time restarted");
        QCOMPARE(main->findChildren<warning*>().size(), 1);
    }

    // Even a font far wider than any desktop's general one, where 24 px would need three lines.
    void reminderTextFits()
    {
        const QFont general = QApplication::font();
        QApplication::setFont(QFont("DejaVu Sans Mono"));
        const QLabel* text = warning::Show(plainWindowAt({400, 50}), m_desktop)->StaticText1();
        QApplication::setFont(general);
        QCOMPARE(text->text(), QStringLiteral("Don't forget to change the name of the file!!"));
        const int flags = int(text->alignment()) | Qt::TextWordWrap;
        const QRect box = text->contentsRect();
        QVERIFY2(box.contains(QFontMetrics(text->font()).boundingRect(box, flags, text->text())),
                 "the text is clipped");
    }

    void resources_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow(":/pallisto/icons/pallisto-48.png") << QSize(48, 48);
        QTest::newRow(":/pallisto/icons/pallisto-128.png") << QSize(128, 128);
    }

    void resources()
    {
        QFETCH(QSize, size);
        const QImage image(QTest::currentDataTag());
        QCOMPARE(image.size(), size);
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0); // no background of its own
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
