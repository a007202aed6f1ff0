#include "app/filetypes1.h"
#include "app/menubar1.h"
#include "tests/support/fakedesktop.h"
#include "windows/window1.h"

#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>

using Accessor = QAction* (Window1::*)() const;
Q_DECLARE_METATYPE(Accessor)

class TestMenuBar1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_window = new Window1(m_desktop, MenuBar1::instance());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QCOMPARE(m_window->menuWidget(), MenuBar1::instance());
    }

    void cleanupTestCase()
    {
        delete m_window;
        // The window lets the one menu bar go instead of deleting it.
        QVERIFY(MenuBar1::exists());
        QVERIFY(!MenuBar1::instance()->parent());
        MenuBar1::release();
        QVERIFY(!MenuBar1::exists());
    }

    void menuTable_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<int>("role");
        QTest::addColumn<Accessor>("accessor");

        const int none = QAction::NoRole;
        int position = 0;
        auto row = [&position](const QString& name, const char* caption, const char* shortcut,
                               int role, Accessor accessor) {
            QTest::newRow(name.toUtf8().constData())
                << position++ << name << QString::fromUtf8(caption) << QString::fromLatin1(shortcut)
                << role << accessor;
        };
        row("FileMenu", "&File", "", none, &Window1::FileMenu);
        row("FileQuit", "&Quit", "Ctrl+Q", QAction::QuitRole, &Window1::FileQuit);
        row(QStringLiteral("FileAboutPallisto\u2026"), "About Pallisto\u2026", "",
            QAction::AboutRole, &Window1::FileAboutPallisto);
        row("EditMenu", "&Edit", "", none, &Window1::EditMenu);
        row("EditUndo", "&Undo", "Ctrl+Z", none, &Window1::EditUndo);
        row("UntitledMenu1", "", "", none, &Window1::UntitledMenu1);
        row("EditCut", "Cu&t", "Ctrl+X", none, &Window1::EditCut);
        row("EditCopy", "&Copy", "Ctrl+C", none, &Window1::EditCopy);
        row("EditPaste", "&Paste", "Ctrl+V", none, &Window1::EditPaste);
        row("EditClear", "&Delete", "", none, &Window1::EditClear);
        row("UntitledMenu0", "", "", none, &Window1::UntitledMenu0);
        row("EditSelectAll", "Select &All", "Ctrl+A", none, &Window1::EditSelectAll);
    }

    // The rows are in the order the menus show them: each menu, then its items.
    // A row without a caption is a separator.
    void menuTable()
    {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(int, role);
        QFETCH(Accessor, accessor);

        const QList<QAction*> shown = shownInOrder();
        QCOMPARE(shown.size(), 12);
        QAction* item = shown.at(position);
        QCOMPARE(item->objectName(), name);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), QKeySequence::fromString(shortcut, QKeySequence::PortableText));
        QCOMPARE(item->isSeparator(), caption.isEmpty());
        QCOMPARE(int(item->menuRole()), role);
        QVERIFY(item->isEnabled());
        QCOMPARE((m_window->*accessor)(), item);
    }

    void editCommandsActOnTheFocusedField_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("expected");
        QTest::newRow("delete, undo")
            << QStringList{"EditSelectAll", "EditClear", "EditUndo"} << "1234";
        QTest::newRow("cut, paste twice")
            << QStringList{"EditSelectAll", "EditCut", "EditPaste", "EditPaste"} << "12341234";
        QTest::newRow("delete without a selection") << QStringList{"EditClear"} << "234";
    }

    void editCommandsActOnTheFocusedField()
    {
        QFETCH(QStringList, commands);
        QFETCH(QString, expected);
        auto* field = m_window->findChild<QLineEdit*>(QStringLiteral("propx"));
        field->setText(QStringLiteral("1234"));
        field->setCursorPosition(0);
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        for (const QString& command : commands)
            MenuBar1::instance()->findChild<QAction*>(command)->trigger();
        QCOMPARE(field->text(), expected);
    }

    void fileTypes_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("isPng");
        QTest::newRow("no extension") << "README" << false;
        QTest::newRow("upper-case png") << "POSTER 50X70.PNG" << true;
        QTest::newRow("png inside the name only") << "png.pdf" << false;
    }

    // ALL_FILES takes every file, whatever its type and creator codes; a
    // narrower type shows that the matching can refuse.
    void fileTypes()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, isPng);
        FileTypes1::create();
        QCOMPARE(FileTypes1::ALL_FILES()->Name, QStringLiteral("ALL_FILES"));
        QVERIFY(FileTypes1::ALL_FILES()->matches(fileName));
        QVERIFY(FileTypes1::ALL_FILES()->matches(fileName, "PNGf", "8BIM"));
        FileTypes1::release();
        QVERIFY(!FileTypes1::ALL_FILES());

        QCOMPARE((FileType{"PNG", {"png"}, "????", "????"}.matches(fileName)), isPng);
    }

private:
    QList<QAction*> shownInOrder() const
    {
        QList<QAction*> shown;
        for (QAction* menuAction : MenuBar1::instance()->actions()) {
            shown << menuAction;
            if (menuAction->menu())
                shown << menuAction->menu()->actions();
        }
        return shown;
    }

    FakeDesktop m_desktop;
    QPointer<Window1> m_window;
};

QTEST_MAIN(TestMenuBar1)
#include "tst_menubar1.moc"
