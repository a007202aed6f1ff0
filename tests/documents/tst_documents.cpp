#include "documents/documentlistbox.h"
#include "documents/documentopener.h"
#include "tests/support/fakedesktop.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>
#include <unistd.h>

// The main window's controls, shown, and the fake desktop their actions work on.
struct Window
{
    QWidget window;
    documents::DocumentListBox* list = new documents::DocumentListBox(&window);
    QLineEdit* propx = new QLineEdit(&window);
    QLineEdit* propy = new QLineEdit(&window);
    QLabel* StaticText2 = new QLabel("x", &window);
    QLabel* percents = new QLabel("prev", &window);
    QPushButton* calculate = new QPushButton("Calculate", &window);
    QPushButton* open = new QPushButton("Open file", &window);
    documents::Controls c{&window, list, propx, propy, StaticText2, percents, calculate, open};
    FakeDesktop desktop;
    Window()
    {
        list->setGeometry(0, 0, 200, 200);
        window.show();
    }
};

static bool write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Enter, move, then drop (offering all, only "move" or "link") or "leave", Shift proposing a
// move; true if all steps were taken, never as a move.
static bool sendDrag(QWidget* viewport, const QMimeData& mime, const QString& how = "drop")
{
    const bool drop = how != "leave";
    const Qt::DropActions actions = how == "move" ? Qt::MoveAction
                                    : how == "link"
                                        ? Qt::LinkAction
                                        : Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    const QPoint p = viewport->rect().center();
    QDragEnterEvent enter(p, actions, &mime, Qt::LeftButton, Qt::ShiftModifier);
    QDragMoveEvent move(p, actions, &mime, Qt::LeftButton, Qt::ShiftModifier);
    QDropEvent dropped(p, actions, &mime, Qt::LeftButton, Qt::ShiftModifier);
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &enter);
    QApplication::sendEvent(viewport, &move);
    QApplication::sendEvent(viewport, drop ? static_cast<QEvent*>(&dropped) : &leave);
    return enter.isAccepted() && move.isAccepted() && move.dropAction() != Qt::MoveAction &&
           (!drop || (dropped.isAccepted() && dropped.dropAction() != Qt::MoveAction));
}

class TestDocuments : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Items by '|': a file name, "dir:", "url:", "text:" or "bytes:" (raw uri-list, %D: folder).
    std::unique_ptr<QMimeData> mimeOf(const QString& items)
    {
        auto mime = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& item : items.split('|', Qt::SkipEmptyParts)) {
            const QString kind = item.section(':', 0, 0), rest = item.section(':', 1);
            if (kind == "text")
                mime->setText(rest);
            else if (kind == "bytes")
                mime->setData("text/uri-list", QString(rest).replace("%D", m_dir.path()).toUtf8());
            else if (kind == "url")
                urls << QUrl(rest);
            else if ((kind == "dir" && QDir(m_dir.path()).mkdir(rest)) ||
                     write(m_dir.filePath(item), "original"))
                urls << QUrl::fromLocalFile(m_dir.filePath(kind == "dir" ? rest : item));
        }
        if (!urls.isEmpty())
            mime->setUrls(urls);
        return mime;
    }

private slots:
    // Steps by "; ": drop, move (only offered), link, leave or paste (Ctrl+V), then items.
    void drop_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("after"); // "rows = files", each joined by ','
        auto row = [](const char* tag, QString steps, QString after) {
            QTest::newRow(tag) << steps << after;
        };
        const QString old = "10x10 = old 10x10.pdf";
        row("tokens in order, upper case lowered",
            "drop poster 50x70.pdf|notes.txt|flyer 30X40.indd",
            "50x70,30x40 = poster 50x70.pdf,flyer 30X40.indd");
        row("duplicates", "drop a 50x70.pdf|b 50x70.pdf", "50x70,50x70 = a 50x70.pdf,b 50x70.pdf");
        row("only token-less names", "drop notes.txt|report.docx", " = ");
        row("unicode and spaces", "drop Plakát für Zoë  0050x0070 ✓.pdf",
            "0050x0070 = Plakát für Zoë  0050x0070 ✓.pdf");
        row("folder, percent, hash, question mark", "drop dir:Al 2x3|1%4x5 #6x7?.pdf|%78%31x2.pdf",
            "2x3,4x5,31x2 = Al 2x3,1%4x5 #6x7?.pdf,%78%31x2.pdf");
        row("remote url or other machine after a file",
            "drop d 3x4.png|url:https://e.com/e 5x6.png|url:file://elsewhere/i 2x2.pdf",
            "3x4 = d 3x4.png");
        row("bytes from another application", // comment, CR LF, LF, localhost, other host
            "drop bytes:#c\r\nfile://%D/a%2050x70\nfile:%D/%31%78%32\r\nfile://localhost%D/"
            "%2533x4\nfile://h/g%201x6",
            "50x70,1x2,33x4 = a 50x70,1x2,%33x4");
        row("remote url first", "drop url:https://e.com/e 5x6.png|d 3x4.png", old + " refused");
        row("plain text", "drop text:p 50x70.pdf", old + " refused");
        row("move only", "move f 7x8.pdf", " = old 10x10.pdf filling refused");
        row("link", "link g 9x9.pdf", "9x9 = g 9x9.pdf");
        row("drag leaves", "leave n 2x2.pdf", " = old 10x10.pdf filling");
        row("text drag after one that left", "leave n 2x2.pdf; leave text:x",
            " = old 10x10.pdf refused");
        row("paste files", "paste p 2x3.pdf|q.txt|r 4x5.pdf", "2x3,4x5 = p 2x3.pdf,r 4x5.pdf");
        row("paste text", "paste text:s 6x7.pdf", old);
        row("paste remote url", "paste url:https://e.com/t 6x7.pdf", old);
    }

    void drop()
    {
        QFETCH(QString, steps);
        Window w;
        QWidget* viewport = w.list->viewport();
        QVERIFY(sendDrag(viewport, *mimeOf("old 10x10.pdf")));
        bool refused = false;
        for (const QString& step : steps.split("; ")) {
            const QString verb = step.section(' ', 0, 0), items = step.section(' ', 1);
            if (verb == "paste") {
                QApplication::clipboard()->setMimeData(mimeOf(items).release());
                w.list->setFocus();
                QTest::keyClick(w.list, Qt::Key_V, Qt::ControlModifier);
            } else {
                refused |= !sendDrag(viewport, *mimeOf(items), verb);
            }
        }
        QStringList rows, files;
        for (int i = 0; i < w.list->count(); ++i)
            rows << w.list->item(i)->text();
        for (const platform::FolderItem& item : w.list->file_list())
            files << item.Name();
        QTEST(rows.join(',') + " = " + files.join(',') +
                  (w.list->filling_data() ? " filling" : "") + (refused ? " refused" : ""),
              "after");
        if (!rows.isEmpty()) { // the last row's tooltip: its name and folder
            const QPoint pos = w.list->visualItemRect(w.list->item(rows.size() - 1)).center();
            QHelpEvent help(QEvent::ToolTip, pos, viewport->mapToGlobal(pos));
            QApplication::sendEvent(viewport, &help);
            QCOMPARE(QToolTip::text(),
                     files.last() + '\n' + QDir::toNativeSeparators(m_dir.path()));
        }
    }

    // Keys by ' ': a character typed or a key name; "DEL" delivers the delete character.
    void keyFilter_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* tag, QString keys, QString result) {
            QTest::newRow(tag) << keys << result;
        };
        row("digits pass, others refused", "x 7 Space 0 . a - X + 9", "709");
        row("backspace", "7 0 Backspace", "7");
        row("arrows and home", "1 2 Left 3 Home 4 Right 5", "41532");
        row("delete character refused", "1 2 Home DEL", "12");
        row("delete without character", "1 2 Home Delete", "2");
        row("return and tab", "1 2 Return Tab", "12 returned left");
        row("Ctrl+A, Ctrl+C, Ctrl+V", "1 2 3 Ctrl+A Ctrl+C End Ctrl+V", "123123");
        row("Ctrl+Z", "1 2 Ctrl+A 3 Ctrl+Z", "12");
        row("pasted text unfiltered", "1 Ctrl+V", "1a-b");
    }

    void keyFilter()
    {
        QFETCH(QString, keys);
        Window w;
        documents::MainWindowActions actions(w.c, w.desktop, [] {});
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        for (QLineEdit* field : {w.propx, w.propy}) {
            QApplication::clipboard()->setText("a-b");
            field->setFocus();
            int returns = 0;
            connect(field, &QLineEdit::returnPressed, [&] { ++returns; });
            for (const QString& key : keys.split(' ')) {
                QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, {}, "\x7f");
                const QKeyCombination k = QKeySequence(key)[0];
                if (key == "DEL")
                    QApplication::sendEvent(field, &del);
                else if (key.size() == 1)
                    QTest::keyClicks(field, key);
                else
                    QTest::keyClick(field, k.key(), k.keyboardModifiers());
            }
            QTEST(field->text() + (returns ? " returned" : "") + (field->hasFocus() ? "" : " left"),
                  "expected");
        }
    }

    void calculate_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("shown"); // "prev": refused with a beep, nothing changed
        auto row = [](const char* tag, QString rows, QString x, QString y, int sel, QString shown) {
            QTest::newRow(tag) << rows << x << y << sel << shown;
        };
        const QString four = "50x70|21x30|120x80|14x20";
        row("equal ratio, first of a tie", four, "70", "100", 1, "333.33%\n333.33%");
        row("closest ratio", "30x40|36x51", "50", "70", 1, "138.89%\n137.25%");
        row("fraction in a field dropped", four, "70.9", "100", 1, "333.33%\n333.33%");
        row("no row of the orientation", "120x80|90x60", "60", "90", -1, "---\n---");
        row("no rows", "", "70", "100", -1, "prev");
        row("propx empty, kept exactly by the swap", four, "", " 0a7", 3, "prev");
        row("propy empty", four, "70", "", 3, "prev");
        row("propx zero", four, "000", "100", 3, "prev");
        row("propy zero", four, "70", "0", 3, "prev");
        row("propx without number", four, "abc", "100", 3, "prev");
    }

    void calculate()
    {
        QFETCH(QString, rows);
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(int, selected);
        QFETCH(QString, shown);
        Window w;
        documents::MainWindowActions actions(w.c, w.desktop, [] {});
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        sendDrag(w.list->viewport(), *mimeOf(rows)); // a file named after each token
        w.list->setCurrentRow(w.list->count() - 1);
        w.propx->setText(x);
        w.propy->setText(y);
        w.propx->setFocus();
        // Calculate twice, then the "x" twice: it swaps the fields and calculates nothing.
        const QString fields[] = {x + '|' + y, x + '|' + y, y + '|' + x, x + '|' + y};
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(i < 2 ? static_cast<QWidget*>(w.calculate) : w.StaticText2,
                              Qt::LeftButton);
            QCOMPARE(w.propx->text() + '|' + w.propy->text(), fields[i]);
            QCOMPARE(w.desktop.beeps, shown == "prev" ? std::min(i + 1, 2) : 0);
            QCOMPARE(w.percents->text(), shown);
            QCOMPARE(w.list->selectedItems(),
                     selected < 0 ? QList<QListWidgetItem*>{} : QList{w.list->item(selected)});
            QCOMPARE(w.list->hasFocus(), shown != "prev" && selected >= 0);
        }
    }

    // Setup: alt, dclick, nosel, below (the rows), moved (click on row 0), multi (row 0 too),
    // removed, readonly, refused (by the desktop), stale, taken (new name exists), shm, long.
    void open_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("opened");  // "" for nothing
        QTest::addColumn<QString>("message"); // how the message starts; "" for none
        QTest::addColumn<QString>("size");    // "propx propy"
        QTest::addColumn<int>("rows");        // the document is the last
        const QString poster = "poster 50x70.pdf", copy = "poster 60x80.pdf";
        const QString copyFailed = "Could not make a copy of \"",
                      openFailed = "\"" + poster + "\" could not be opened: ";
        auto row = [&](const QString& tag, const QString& setup, const QString& opened,
                       const QString& message = {}, const QString& size = "60 80", int rows = 1) {
            QTest::newRow(qPrintable(tag)) << setup << opened << message << size << rows;
        };
        for (const QString how : {"Open file", "double-click"}) {
            const QString on = how == "Open file" ? "" : "dclick ";
            row(how + ", reminder", on, poster);
            row(how + ", width empty", on + "alt", poster, "", " 80");
            row(how + ", height empty", on + "alt", poster, "", "60 ");
            row(how + ", width reads -1", on + "alt", poster, "", "-1 80");
            row(how + ", new name", on + "alt", copy);
            row(how + ", same name", on + "alt", "Copy of " + poster, "", "50 70");
            row(how + ", new name taken", on + "alt taken", copy);
            row(how + ", stale scratch", on + "alt stale", copy);
        }
        row("nothing selected", "nosel", "", "", "60 80", 2);
        row("nothing selected, Alt", "alt nosel", "", "", "60 80", 2);
        row("below the last row", "dclick below", "", "", "60 80", 2);
        row("below the last row, Alt", "alt dclick below", "", "", "60 80", 2);
        row("highest selected row", "multi", poster, "", "60 80", 3);
        row("scrolled list", "dclick", poster, "", "60 80", 40);
        row("the pointer's row, not the clicked one", "dclick moved", poster, "", "60 80", 3);
        row("across file systems", "alt shm", copy);
        row("copy of a removed document", "alt removed", "", copyFailed + poster);
        row("read-only folder", "alt readonly", "", copyFailed + poster);
        row("open a removed document", "removed", "", openFailed);
        row("no application opens it", "refused", poster, openFailed);
        row("new name over 255 bytes", "alt long", "", copyFailed + "aaa", "1000000000 1000000000");
    }

    void open()
    {
        QFETCH(QString, setup);
        QFETCH(QString, opened);
        QFETCH(QString, message);
        QFETCH(QString, size);
        QFETCH(int, rows);
        auto has = [&](const char* word) { return setup.split(' ').contains(QLatin1String(word)); };
        if (has("readonly") && ::geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir privateDir((has("shm") ? "/dev/shm" : QDir::tempPath()) + "/pallisto-XXXXXX");
        if (has("shm") &&
            QStorageInfo(privateDir.path()).device() == QStorageInfo(m_dir.path()).device())
            QSKIP("needs /dev/shm on another file system than the temporary folder");
        qputenv("XDG_DATA_HOME", privateDir.path().toUtf8());
        const QString docs = m_dir.path(), scratch = platform::FolderItem::defaultFolder();
        QVERIFY(QDir(docs).removeRecursively() && QDir().mkpath(docs));

        Window w;
        w.list->setFrameStyle(QFrame::Box); // thicker than a row: the viewport is not the list
        w.list->setLineWidth(25);
        w.desktop.tick = 1'000'000; // a wait of "at least" two seconds would end one read early
        int reminders = 0;
        qint64 clockAtReminder = 0;
        bool servedDuringWait = false; // the wait lets the windows paint
        documents::DocumentOpener opener(w.c, w.desktop, [&] {
            ++reminders;
            clockAtReminder = w.desktop.now;
            QTimer::singleShot(0, [&] { servedDuringWait = w.desktop.launched.isEmpty(); });
        });
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QString name = has("long") ? QString(240, 'a') + " 1x1.pdf" : "poster 50x70.pdf";
        QStringList names;
        for (int i = 0; i < rows - 1; ++i)
            names << QString("other %1 10x20.pdf").arg(i);
        QVERIFY(sendDrag(w.list->viewport(), *mimeOf(names.join('|') + '|' + name)));
        if (has("taken"))
            QVERIFY(write(docs + '/' + opened, "theirs"));
        if (has("stale"))
            QVERIFY(QDir().mkpath(scratch + "/TempFolder/inner") &&
                    write(scratch + "/temp_file", "") &&
                    write(scratch + "/TempFolder/" + name, "") &&
                    write(scratch + "/TempFolder/inner/x", ""));
        if (has("removed"))
            QVERIFY(QFile::remove(docs + '/' + name));
        if (has("readonly"))
            QVERIFY(QFile::setPermissions(docs, QFile::ReadOwner | QFile::ExeOwner));
        auto contents = [&] {
            QStringList files;
            for (const QString& file : QDir(docs).entryList(QDir::Files)) {
                QFile f(docs + '/' + file);
                files << file + " = " + (f.open(QIODevice::ReadOnly) ? f.readAll() : "?");
            }
            return files;
        };
        QStringList expected = contents();
        if (!opened.isEmpty() && !has("taken") && opened != name)
            expected << opened + " = original";
        expected.sort();
        w.propx->setText(size.section(' ', 0, 0));
        w.propy->setText(size.section(' ', 1));
        const Qt::KeyboardModifiers held = has("alt") ? Qt::AltModifier : Qt::NoModifier;
        if (has("refused"))
            w.desktop.refusal = "No application on this computer opens it.";

        QWidget* viewport = w.list->viewport();
        if (has("dclick")) {
            w.list->scrollToBottom();
            QPoint p = has("below") ? QPoint(10, viewport->height() - 3)
                                    : w.list->visualItemRect(w.list->item(rows - 1)).center();
            w.desktop.pointer = viewport->mapToGlobal(p);
            if (has("moved")) // the pointer is read after the click: the click tells nothing
                p = w.list->visualItemRect(w.list->item(0)).center();
            QTest::mouseClick(viewport, Qt::LeftButton, held, p);
            QTest::mouseDClick(viewport, Qt::LeftButton, held, p);
        } else {
            w.list->setSelectionMode(QAbstractItemView::MultiSelection);
            w.list->clearSelection();
            for (int selected : has("nosel") ? QList<int>{} : QList<int>{0, rows - 1})
                w.list->item(selected)->setSelected(true);
            QTest::mouseClick(w.open, Qt::LeftButton, held);
        }
        QFile::setPermissions(docs, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(w.desktop.launched,
                 opened.isEmpty() ? QStringList{} : QStringList{docs + '/' + opened});
        const bool reminderMode = !has("alt") && !has("nosel") && !has("below");
        QCOMPARE(reminders, reminderMode ? 1 : 0);
        QCOMPARE(servedDuringWait, reminderMode);
        if (reminderMode)
            QVERIFY2(w.desktop.now - clockAtReminder > 2'000'000 + w.desktop.tick,
                     "opened too early");
        QCoreApplication::processEvents(); // the desktop's refusal comes later
        auto* box = w.window.findChild<QMessageBox*>();
        QCOMPARE(box ? box->text().left(message.size()) : QString(), message);
        QCOMPARE(w.desktop.beeps, message.startsWith("Could not") ? 1 : 0);
        QCOMPARE(contents(), expected); // nothing lost or changed, the copy as the original
        QVERIFY(!QFileInfo::exists(scratch + "/TempFolder") &&
                !QFileInfo::exists(scratch + "/temp_file"));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
