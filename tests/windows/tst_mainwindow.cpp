#include "tests/support/fakedesktop.h"
#include "windows/mainwindow.h"
#include "windows/renamereminder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeDesktop m_desktop;
    std::unique_ptr<windows::MainWindow> m_window;

    template <typename T> T* find(const char* name) const
    {
        T* child = m_window->findChild<T*>(name);
        if (!child)
            qFatal("no %s", name);
        return child;
    }
    QListWidget* list() const { return find<QListWidget>("documentList"); }
    QLineEdit* width() const { return find<QLineEdit>("widthField"); }
    QLineEdit* height() const { return find<QLineEdit>("heightField"); }
    QAction* editItem(const char* name) const { return find<QAction>(name); }

    void listDocuments(const QStringList& names)
    {
        QList<QUrl> urls;
        for (const QString& name : names) {
            QFile file(m_dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("original") == 8);
            urls << QUrl::fromLocalFile(file.fileName());
        }
        m_window->listFiles(urls);
    }

    // A click (twice: a double-click) at a point of a widget, delivered through the window as the
    // platform would, with its modifiers.
    void click(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers, bool twice = false)
    {
        QWindow* window = m_window->windowHandle();
        const QPoint p = widget->mapTo(m_window.get(), at);
        if (twice)
            QTest::mouseDClick(window, Qt::LeftButton, modifiers, p);
        else
            QTest::mouseClick(window, Qt::LeftButton, modifiers, p);
    }

    QPoint rowCentre(int row) const { return list()->visualItemRect(list()->item(row)).center(); }

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression("invokeMethod|No such"));
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        m_desktop.launched.clear();
        m_desktop.beeps = 0;
        m_window = std::make_unique<windows::MainWindow>(m_desktop);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void onlyTheHeightChanges()
    {
        QWidget* content = m_window->centralWidget();
        QCOMPARE(content->size(), QSize(220, 519));
        m_window->resize(400, m_window->height() - 219);
        QCOMPARE(content->size(), QSize(220, 300));
        QCOMPARE(list()->geometry(), QRect(20, 33, 179, 39));
        QCOMPARE(find<QPushButton>("openButton")->geometry(), QRect(20, 179, 179, 24));
        QCOMPARE(find<QLabel>("documentsLabel")->geometry(), QRect(20, 8, 147, 20));
    }

    void swapControlIsReachedByTabAndSwapsWithSpace()
    {
        auto* swap = find<QToolButton>("swapButton");
        QCOMPARE(swap->accessibleName(), QString("Swap width and height"));
        QCOMPARE(swap->text(), QString("x"));
        width()->setText("50");
        width()->setFocus();
        QTest::keyClick(width(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), swap);
        QTest::keyClick(swap, Qt::Key_Space);
        QCOMPARE(width()->text() + "|" + height()->text(), QString("|50"));
        click(swap, swap->rect().center(), {});
        QCOMPARE(width()->text() + "|" + height()->text(), QString("50|"));
        QTest::keyClick(swap, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), height());
    }

    void calculateSelectsAndANewDropResetsTheResult()
    {
        listDocuments({"a 50x70.pdf", "b 21x30.pdf", "c 120x80.pdf"});
        width()->setText("70");
        height()->setText("100");
        height()->setFocus();
        QTest::keyClick(height(), Qt::Key_Return);
        auto* result = find<QLabel>("resultLabel");
        QCOMPARE(result->text(), QString("333.33%\n333.33%"));
        QCOMPARE(list()->selectedItems(), QList<QListWidgetItem*>{list()->item(1)});
        QCOMPARE(QApplication::focusWidget(), list());
        width()->setText("0");
        find<QPushButton>("calculateButton")->click();
        QCOMPARE(m_desktop.beeps, 1);
        QCOMPARE(result->text(), QString("333.33%\n333.33%"));
        listDocuments({"notes.txt"});
        QCOMPARE(result->text(), QString("---\n---"));
    }

    // Which row is clicked and how: the modifiers of the click itself decide the mode.
    void openingTakesTheClicksOwnRowAndModifiers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<bool>("reminded");
        QTest::newRow("double-click") << "double" << 0 << "b 20x30.pdf" << true;
        QTest::newRow("Alt+double-click copies") << "double" << int(Qt::AltModifier)
                                                 << "b 60x80.pdf" << false;
        QTest::newRow("Shift+Alt+double-click copies")
            << "double" << int(Qt::AltModifier | Qt::ShiftModifier) << "b 60x80.pdf" << false;
        QTest::newRow("Open file") << "button" << 0 << "b 20x30.pdf" << true;
        QTest::newRow("Alt+Open file copies") << "button" << int(Qt::AltModifier)
                                              << "b 60x80.pdf" << false;
        QTest::newRow("Ctrl+Open file is no copy") << "button" << int(Qt::ControlModifier)
                                                   << "b 20x30.pdf" << true;
    }

    void openingTakesTheClicksOwnRowAndModifiers()
    {
        QFETCH(QString, how);
        QFETCH(int, modifiers);
        listDocuments({"a 10x10.pdf", "b 20x30.pdf", "c 30x30.pdf"});
        width()->setText("60");
        height()->setText("80");
        list()->setCurrentRow(1);
        if (how == "double")
            click(list()->viewport(), rowCentre(1), Qt::KeyboardModifiers(modifiers), true);
        else
            click(find<QPushButton>("openButton"), {10, 10}, Qt::KeyboardModifiers(modifiers));
        QFETCH(QString, opened);
        QTRY_COMPARE(m_desktop.launched, QStringList{m_dir.filePath(opened)});
        QFETCH(bool, reminded);
        QCOMPARE(m_window->findChild<windows::RenameReminder*>() != nullptr, reminded);
    }

    void doubleClickBelowTheRowsOpensNothing()
    {
        listDocuments({"a 10x10.pdf"});
        click(list()->viewport(), {20, list()->viewport()->height() - 5}, {}, true);
        QTest::qWait(50);
        QVERIFY(m_window->findChild<windows::RenameReminder*>() == nullptr);
        QVERIFY(m_desktop.launched.isEmpty());
    }

    void closingDuringTheWaitOpensNothing()
    {
        listDocuments({"a 10x10.pdf"});
        list()->setCurrentRow(0);
        m_window->openChosen({});
        m_window.reset();
        QTest::qWait(50);
        QVERIFY(m_desktop.launched.isEmpty());
    }

    // Enabled Edit items, with the focus in a field holding selected text and on the list.
    void editMenuFollowsTheFocus()
    {
        listDocuments({"a 10x10.pdf"});
        QApplication::clipboard()->setText("12");
        const auto enabled = [this] {
            QStringList names;
            for (const char* name : {"undo", "cut", "copy", "paste", "delete", "selectAll"})
                if (editItem(name)->isEnabled())
                    names << name;
            return names.join(',');
        };
        width()->setFocus();
        QTest::keyClicks(width(), "34");
        QTRY_COMPARE(enabled(), QString("undo,paste,selectAll"));
        width()->selectAll();
        QCOMPARE(enabled(), QString("undo,cut,copy,paste,delete,selectAll"));
        auto* menu = find<QMenu>("editMenu"); // open, the menu acts on the field all the same
        menu->popup(m_window->mapToGlobal(QPoint(40, 0)));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(enabled(), QString("undo,cut,copy,paste,delete,selectAll"));
        menu->hide();
        editItem("delete")->trigger();
        QCOMPARE(width()->text(), QString());
        editItem("paste")->trigger();
        QCOMPARE(width()->text(), QString("12"));
        editItem("undo")->trigger();
        QCOMPARE(width()->text(), QString());

        list()->setFocus();
        QTRY_COMPARE(enabled(), QString());
        list()->setCurrentRow(0);
        QCOMPARE(enabled(), QString("copy"));
        editItem("copy")->trigger();
        QCOMPARE(QApplication::clipboard()->mimeData()->urls(),
                 QList<QUrl>{QUrl::fromLocalFile(m_dir.filePath("a 10x10.pdf"))});
        QCOMPARE(enabled(), QString("copy,paste"));
        auto* files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile(m_dir.filePath("b 3x4.pdf"))});
        QApplication::clipboard()->setMimeData(files);
        editItem("paste")->trigger();
        QCOMPARE(list()->item(0)->text(), QString("3x4"));
    }

    // Only Return and Enter left over by the controls press "Calculate".
    void keysThatPressCalculate()
    {
        QTest::keyClick(find<QPushButton>("openButton"), Qt::Key_A);
        QTest::keyClick(find<QPushButton>("openButton"), Qt::Key_Escape);
        QCOMPARE(m_desktop.beeps, 0);
        QTest::keyClick(width(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_desktop.beeps, 1); // nothing listed: "Calculate" only beeps
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(m_desktop.beeps, 2);
    }

    // The swap looks like the "x" it always was, and each result line faces its caption.
    void controlsLookAsDesigned()
    {
        const QImage swap = find<QToolButton>("swapButton")->grab().toImage();
        const QColor window = m_window->palette().color(QPalette::Window);
        for (const QPoint edge : {QPoint(0, swap.height() / 2), QPoint(swap.width() / 2, 0)})
            QCOMPARE(swap.pixelColor(edge), window); // no button frame around it
        // "Calculate", which Return presses, is drawn as the default button and "Open file" is not.
        const QImage calculate = find<QPushButton>("calculateButton")->grab().toImage();
        const QImage open = find<QPushButton>("openButton")->grab().toImage();
        QVERIFY(calculate.pixel(1, calculate.height() / 2) != open.pixel(1, open.height() / 2));
        const QRect captions = find<QLabel>("resultCaptions")->geometry();
        const QRect result = find<QLabel>("resultLabel")->geometry();
        QVERIFY(!captions.intersects(result));
        QCOMPARE(captions.top(), result.top());
        QVERIFY(captions.right() < result.left());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
