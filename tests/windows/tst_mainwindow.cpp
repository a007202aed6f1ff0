#include "documents/documentlist.h"
#include "documents/liststore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/support.h"
#include "windows/mainwindow.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
    FakeDesktop m_desktop;
    QTemporaryDir m_state;
    documents::ListStore m_store{m_state.filePath("list")};
    std::unique_ptr<windows::MainWindow> m_window;

    QAction* action(const char* name) const { return m_window->findChild<QAction*>(name); }
    QListWidget* list() const { return m_window->findChild<QListWidget*>("documentList"); }
    QLineEdit* field(const char* name) const { return m_window->findChild<QLineEdit*>(name); }
    QStringList documents() const { return m_window->findChild<documents::DocumentList*>()->documents(); }
    QString result() const { return m_window->findChild<QLabel*>("resultLabel")->text(); }
    template <typename... T> static void row(const char* name, T... cells)
    {
        (QTest::newRow(name) << ... << cells);
    }

private slots:
    void init()
    {
        m_desktop.beeps = 0;
        QFile::remove(m_store.path());
        m_window = std::make_unique<windows::MainWindow>(m_desktop, m_store, std::nullopt, 50); // short wait
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->listFiles({QUrl("file:///a 50x70"), QUrl("file:///b 21x30"),
                             QUrl("file:///c 14x20"), QUrl("file:///n 1.5x2")}); // need not exist
    }

    // Shortened, the list alone changes; nothing overlaps but a box and its contents; all inside.
    void onlyTheListChangesWithTheWindow()
    {
        QWidget* content = m_window->centralWidget();
        const auto placed = [content] { // the controls of the content and of its box
            QMap<QString, QRect> rects;
            for (QWidget* w : content->findChildren<QWidget*>())
                if (w->parentWidget()->layout() != nullptr)
                    rects[w->objectName()] = QRect(w->mapTo(content, QPoint()), w->size());
            return rects;
        };
        const QMap<QString, QRect> before = placed();
        const QSize size = content->size();
        m_window->resize(m_window->width() + 50, 0);
        QTRY_VERIFY(content->height() < size.height());
        QCOMPARE(content->width(), size.width());
        const int grown = content->height() - size.height();
        const QMap<QString, QRect> after = placed();
        for (const QString& name : after.keys()) {
            const QRect r = after[name], was = before[name];
            const bool below = was.top() > before["documentList"].bottom();
            QCOMPARE(r, name == "documentList" ? was.adjusted(0, 0, 0, grown)
                                               : was.translated(0, below ? grown : 0));
            QVERIFY2(content->rect().contains(r) && !r.isEmpty(), qPrintable(name));
            for (const QRect& o : after) // a separator's box is mostly room around its line
                QVERIFY(!r.intersects(o) || r.contains(o) || o.contains(r) ||
                        (name + after.key(o)).contains("separator"));
        }
        for (const char* name : {"documentsLabel", "separator", "newSizeLabel", "widthField",
                                 "calculateButton", "openButton", "resultGroup"}) // lined up
            QCOMPARE(after[name].left(), after["documentList"].left());
        for (const char* name : {"separator", "heightField", "calculateButton", "openButton"})
            QCOMPARE(after[name].right(), after["documentList"].right());
        QVERIFY(after["resultCaptions"].right() < after["resultLabel"].left()); // values face captions
    }

    void fieldsTakeOnlySizes_data() // typed (keys), or pasted (as dropped)
    {
        for (const char* column : {"typed", "pasted", "after"})
            QTest::addColumn<QString>(column);
        row("digits typed, others refused", "x7 0/.a:-X+9", "", "709");
        row("spaces around pasted digits dropped", "", " 60\n", "60");
        row("typing past the largest refused", "21474836479", "", "2147483647");
    }
    void fieldsTakeOnlySizes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QTest::keyClicks(field("widthField"), typed);
        QApplication::clipboard()->setText(pasted);
        field("widthField")->paste();
        QTEST(field("widthField")->text(), "after");
    }

    // Calculate, pressed by Return in a field, selects the closest row and shows its percentages.
    void calculate_data()
    {
        for (const char* column : {"width", "result"}) // the height is 100
            QTest::addColumn<QString>(column);
        QTest::addColumn<int>("selected");
        row("same ratios: the first wins", "70", "333.33%\n333.33%", 1);
        row("'1.5x2' reads '5x2'", "250", "5000%\n5000%", 3);
        row("a size of 0: a beep", "00", "beep", -1);
    }
    void calculate()
    {
        const QString resting = result();
        QFETCH(QString, width);
        field("widthField")->setText(width);
        field("heightField")->setText("100");
        QTest::keyClick(field("heightField"), Qt::Key_Return);
        QTEST(m_desktop.beeps == 1 && result() == resting ? "beep" : result(), "result");
        QTEST(list()->selectedItems().isEmpty() ? -1 : list()->currentRow(), "selected");
    }

    void openByKeys_data() // the File menu's two ways, wherever the focus is
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("opened"); // after the reminder, when not a copy
        const QKeyCombination open(Qt::CTRL | Qt::Key_O), copy(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
        row("Ctrl+O in the list: the chosen document", 0, "documentList", open, "a 50x70.pdf");
        row("Ctrl+Shift+O in a field: a copy beside", 0, "widthField", copy, "a 20x30.pdf");
        row("no row chosen: nothing", -1, "widthField", open, "");
    }
    void openByKeys()
    {
        QFETCH(int, chosen);
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        QFile(dir.filePath("a 50x70.pdf")).open(QIODevice::WriteOnly);
        m_window->listFiles({QUrl::fromLocalFile(dir.filePath("a 50x70.pdf"))});
        list()->setCurrentRow(chosen);
        QCOMPARE(action("openFile")->isEnabled(), chosen >= 0);
        QCOMPARE(action("openCopy")->isEnabled(), chosen >= 0);
        field("widthField")->setText("20");
        field("heightField")->setText("30");
        QFETCH(QString, focus);
        m_window->findChild<QWidget*>(focus)->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
        auto* reminder = m_window->findChild<QWidget*>("RenameReminder");
        const bool plain = !keys.keyboardModifiers().testFlag(Qt::ShiftModifier);
        QCOMPARE(reminder && reminder->isVisible(), plain && chosen >= 0);
        QVERIFY(m_desktop.launched.isEmpty() || !plain);
        QTRY_COMPARE(m_desktop.launched.join(""), opened.isEmpty() ? "" : dir.filePath(opened));
        QVERIFY(QFile::exists(dir.filePath(opened)));
        m_desktop.launched.clear();
        m_window->listFiles({}); // no row left to open
        QVERIFY(!action("openFile")->isEnabled() && !action("openCopy")->isEnabled());
    }

    void f10OpensTheFileMenu()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(field("widthField"), Qt::Key_F10);
        QTRY_COMPARE(QApplication::activePopupWidget(), m_window->findChild<QWidget*>("fileMenu"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    // Also run on a screen shorter than the design and the usual minimum (see CMakeLists.txt).
    void windowFitsTheScreen()
    {
        QVERIFY(m_window->screen()->availableGeometry().contains(m_window->frameGeometry()));
        auto* group = m_window->findChild<QWidget*>("resultGroup");
        QVERIFY(m_window->rect().contains(QRect(group->mapTo(m_window.get(), QPoint()), group->size())));
    }

    void aStaleNormalStateKeepsTheLimitsLifted() // a configure sent before maximising was asked
    {
        m_window->windowHandle()->setWindowStates(Qt::WindowMaximized);
        m_window->windowHandle()->setWindowStates(Qt::WindowNoState);
        QCOMPARE(m_window->maximumWidth(), QWIDGETSIZE_MAX);
    }

    void buttonsLook() // the swap control a plain x, framed only under the pointer; Calculate the default
    {
        const auto edge = [this](const char* name) {
            const QImage look = m_window->findChild<QWidget*>(name)->grab().toImage();
            return look.pixelColor(1, look.height() / 2); };
        QCOMPARE(edge("swapButton"), m_window->palette().color(QPalette::Window));
        QVERIFY(edge("calculateButton") != edge("openButton"));
    }

    void namesNotUtf8AreToldOf()
    {
        m_window->listFiles({QUrl::fromEncoded("file:///t/caf%E9%2010x20.pdf")});
        QTRY_VERIFY(m_window->findChild<QWidget*>("namesLeftOut")->isVisible());
    }

    // The enabled Edit items follow the focus: a field, then the list.
    void editMenuFollowsTheFocus()
    {
        QApplication::clipboard()->clear();
        const auto enabled = [this] {
            QStringList names;
            for (const char* name : {"undo", "cut", "copy", "paste", "delete", "selectAll"})
                names << (action(name)->isEnabled() ? name : "-");
            return names.join(',');
        };
        field("widthField")->setFocus();
        QTest::keyClicks(field("widthField"), "34");
        QTRY_COMPARE(enabled(), QString("undo,-,-,-,-,selectAll")); // nothing selected or to paste
        QApplication::clipboard()->setText("12");
        field("widthField")->selectAll();
        QTRY_COMPARE(enabled(), QString("undo,cut,copy,paste,delete,selectAll"));
        list()->setFocus();
        QTRY_COMPARE(enabled(), QString("undo,-,-,-,-,-"));
        list()->setCurrentRow(0);
        action("copy")->trigger();
        QCOMPARE(enabled(), QString("undo,-,copy,paste,delete,-"));
        QCOMPARE(QApplication::clipboard()->mimeData()->data("x-special/gnome-copied-files"),
                 "copy\n" + QUrl::fromLocalFile("/a 50x70").toEncoded());
        action("undo")->trigger(); // back to the empty list of the start, with nothing before it
        QCOMPARE(enabled(), QString("-,-,-,paste,-,-"));
        m_window->findChild<QPushButton*>("calculateButton")->setFocus(); // files, but not here
        QTRY_COMPARE(enabled(), QString("-,-,-,-,-,-"));
    }

    // Each change is saved, and the next window shows the documents still there, Undo disabled.
    void theListIsRemembered_data()
    {
        QTest::addColumn<QString>("change");
        for (const char* change : {"drop", "paste", "delete", "undo", "listing", "cancelled scan"})
            QTest::newRow(change) << QString(change);
    }
    void theListIsRemembered()
    {
        QFETCH(QString, change);
        QList<QUrl> urls;
        for (const char* name : {"b 2x2", "a 1x1", "gone 3x3"}) {
            urls << QUrl::fromLocalFile(m_state.filePath(name));
            QVERIFY(QFile(urls.last().toLocalFile()).open(QFile::WriteOnly));
        }
        auto* mime = new QMimeData;
        mime->setUrls(urls);
        QApplication::clipboard()->setMimeData(mime);
        list()->setFocus();
        if (change == "drop")
            QVERIFY(dropOn(*list(), *mime));
        else if (change == "listing" || change == "cancelled scan")
            m_window->listFiles(change == "listing" ? urls : QList{QUrl::fromLocalFile(m_state.path())});
        else
            action("paste")->trigger();
        if (auto* progress = m_window->findChild<QProgressDialog*>("scanProgress"))
            progress->findChild<QPushButton*>()->click();
        list()->setCurrentRow(2);
        if (change == "delete" || change == "undo")
            QTest::keyClick(list(), Qt::Key_Delete);
        if (change == "undo")
            QTest::keyClick(list(), Qt::Key_Z, Qt::ControlModifier);
        QTest::qWait(100); // for a scan to end, had it not been cancelled
        QVERIFY(QFile::remove(urls[2].toLocalFile())); // still there after its row was deleted
        const QStringList shown = documents();
        QCOMPARE(shown.size(), change == "delete" ? 2 : change == "cancelled scan" ? 4 : 3);
        m_window.reset(); // waits for the saves
        m_window = std::make_unique<windows::MainWindow>(m_desktop, m_store);
        QCOMPARE(documents(), change == "cancelled scan" ? QStringList() : shown.mid(0, 2));
        QVERIFY(!action("undo")->isEnabled());
    }

    void aDamagedListIsReadAsFarAsItCan()
    {
        m_window.reset(); // with its saves
        QFile store(m_store.path());
        QVERIFY(store.open(QFile::WriteOnly) && store.write("file://" + QFile::encodeName(store.fileName()) + "\nfile:///x%\n") && store.flush());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged"));
        m_window = std::make_unique<windows::MainWindow>(m_desktop, m_store, m_store.load()); // read ahead
        QCOMPARE(documents(), QStringList{store.fileName()});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
