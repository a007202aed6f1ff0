#include "documents/documentlistbox.h"
#include "documents/documentopener.h"
#include "platform/folderitem.h"
#include "tests/support/fakedesktop.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace documents;

// "Open file" and the double-click on real widgets and real folders; only the
// desktop hand-off, Alt, the pointer, the clock and the beep are fake.
class TestDocumentOpener : public QObject
{
    Q_OBJECT

private slots:
    void open_data();
    void open();

private:
    QByteArray read(const QString& name) const
    {
        QFile file(m_docs.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }
    void write(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    void drop(const QStringList& paths, QWidget* viewport)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        mime.setUrls(urls);
        const QPoint p = viewport->rect().center();
        QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDragMoveEvent move(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        QDropEvent dropped(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
        for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &dropped})
            QCoreApplication::sendEvent(viewport, event);
    }

    QTemporaryDir m_docs;
};

void TestDocumentOpener::open_data()
{
    // setup words: alt (held), dclick, nosel, below (double-click under the rows),
    // moved (pointer on `row`, click on row 0), multi (rows 0 and `row` selected), removed,
    // readonly, refused (by the desktop), stale (scratch left over), taken (new name exists), shm.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("propx");
    QTest::addColumn<QString>("propy");
    QTest::addColumn<QString>("opened");  // "" for nothing
    QTest::addColumn<QString>("message"); // how the message starts; "" for none
    const QString poster = "poster 50x70.pdf", copy = "poster 60x80.pdf";
    const QString copyFailed = "Could not make a copy of \"" + poster + "\": ";
    const QString openFailed = "\"" + poster + "\" could not be opened: ";
    auto row = [](const QString& tag, const QString& setup, const QString& opened,
                  const QString& x = "60", const QString& y = "80", int rows = 1, int index = 0,
                  const QString& name = "poster 50x70.pdf", const QString& message = {}) {
        QTest::newRow(qPrintable(tag))
            << setup << rows << index << name << x << y << opened << message;
    };
    for (const QString how : {"Open file", "double-click"}) {
        const QString on = how == "Open file" ? "" : "dclick ";
        row(how + ", reminder", on, poster);
        row(how + ", width empty", on + "alt", poster, "");
        row(how + ", height empty", on + "alt", poster, "60", "");
        row(how + ", width reads -1", on + "alt", poster, "-1");
        row(how + ", new name", on + "alt", copy);
        row(how + ", same name", on + "alt", "Copy of " + poster, "50", "70");
        row(how + ", new name taken", on + "alt taken", copy);
        row(how + ", stale scratch", on + "alt stale", copy);
    }
    row("nothing selected", "nosel", "", "60", "80", 2);
    row("nothing selected, Alt", "alt nosel", "", "60", "80", 2);
    row("below the last row", "dclick below", "", "60", "80", 2);
    row("below the last row, Alt", "alt dclick below", "", "60", "80", 2);
    row("highest selected row", "multi", poster, "60", "80", 3, 2);
    row("scrolled list", "dclick", poster, "60", "80", 40, 38);
    row("the pointer's row, not the clicked one", "dclick moved", poster, "60", "80", 3, 2);
    row("across file systems", "alt shm", copy);
    row("copy of a removed document", "alt removed", "", "60", "80", 1, 0, poster, copyFailed);
    row("read-only folder", "alt readonly", "", "60", "80", 1, 0, poster, copyFailed);
    row("open a removed document", "removed", "", "60", "80", 1, 0, poster, openFailed);
    row("no application opens it", "refused", poster, "60", "80", 1, 0, poster, openFailed);
    // 248 bytes; the new size takes it past the 255 a file name may have.
    const QString longName = QString(240, 'a') + " 1x1.pdf";
    row("new name too long", "alt", "", "1000000000", "1000000000", 1, 0, longName,
        "Could not make a copy of \"" + longName + "\": ");
}

void TestDocumentOpener::open()
{
    QFETCH(QString, setup);
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, opened);
    QFETCH(QString, message);
    auto has = [&](const char* word) { return setup.split(' ').contains(QLatin1String(word)); };
    if (has("readonly") && ::geteuid() == 0)
        QSKIP("root writes into read-only folders; the other failures are made real otherwise");
    QTemporaryDir privateDir((has("shm") ? "/dev/shm" : QDir::tempPath()) + "/pallisto-XXXXXX");
    if (has("shm") &&
        QStorageInfo(privateDir.path()).device() == QStorageInfo(m_docs.path()).device())
        QSKIP("needs /dev/shm on another file system than the temporary folder");
    qputenv("XDG_DATA_HOME", privateDir.path().toUtf8());
    QVERIFY(m_docs.isValid() && QDir(m_docs.path()).removeRecursively() &&
            QDir().mkpath(m_docs.path()));
    const QString scratch = platform::FolderItem::defaultFolder() + "/TempFolder";
    const QString tempFile = platform::FolderItem::defaultFolder() + "/temp_file";

    QWidget window;
    auto* list = new DocumentListBox(&window);
    list->setGeometry(0, 0, 200, 200);
    list->setFrameStyle(QFrame::Box); // a frame thicker than a row: the viewport is not the list
    list->setLineWidth(25);
    Controls controls{&window, list, new QLineEdit(&window), new QLineEdit(&window)};
    controls.PushButton2 = new QPushButton("Open file", &window);
    controls.PushButton2->move(0, 160);
    FakeDesktop fake;
    fake.tick = 1'000'000; // a wait of "at least" two seconds would end one read early
    int reminders = 0;
    double clockAtReminder = 0;
    bool servedDuringWait = false;
    DocumentOpener opener(controls, fake, [&] {
        ++reminders;
        clockAtReminder = fake.now;
        // Runs before the launch only if the wait lets the windows paint.
        QTimer::singleShot(0, [&] { servedDuringWait = fake.launched.isEmpty(); });
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QStringList paths;
    for (int i = 0; i < rows; ++i) {
        paths << m_docs.filePath(i == row ? name : QString("other %1 10x20.pdf").arg(i));
        write(paths.last(), "original");
    }
    if (has("taken"))
        write(m_docs.filePath(opened), "theirs");
    if (has("stale")) {
        QVERIFY(QDir().mkpath(scratch + "/inner"));
        write(scratch + "/" + name, "stale");
        write(scratch + "/inner/leftover", "stale");
        write(tempFile, "stale");
    }
    drop(paths, list->viewport());
    QCOMPARE(list->file_list().size(), std::size_t(rows));
    const QDateTime mtime = QFileInfo(paths[row]).lastModified();
    if (has("removed"))
        QVERIFY(QFile::remove(paths[row]));
    if (has("readonly"))
        QVERIFY(QFile::setPermissions(m_docs.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QStringList before = QDir(m_docs.path()).entryList(QDir::Files);
    QFETCH(QString, propx);
    QFETCH(QString, propy);
    controls.propx->setText(propx);
    controls.propy->setText(propy);
    fake.altHeld = has("alt");
    fake.launchSucceeds = !has("refused");

    if (has("dclick")) {
        list->scrollToBottom();
        QPoint p = has("below") ? QPoint(10, list->viewport()->height() - 3)
                                : list->visualItemRect(list->item(row)).center();
        fake.mouse = list->viewport()->mapToGlobal(p);
        if (has("moved")) // the pointer is read after the click: the click itself tells nothing
            p = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, p);
    } else {
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        list->clearSelection();
        for (int selected : has("nosel") ? QList<int>{} : QList<int>{0, row})
            list->item(selected)->setSelected(true);
        QTest::mouseClick(controls.PushButton2, Qt::LeftButton);
    }
    QFile::setPermissions(m_docs.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(fake.launched,
             opened.isEmpty() ? QStringList{} : QStringList{m_docs.filePath(opened)});
    const bool reminderMode = !has("alt") && !has("nosel") && !has("below");
    QCOMPARE(reminders, reminderMode ? 1 : 0);
    if (reminderMode) {
        QVERIFY(servedDuringWait);
        QVERIFY2(fake.now - clockAtReminder > 2'000'000 + fake.tick, "opened too early");
    }
    auto* box = window.findChild<QMessageBox*>();
    QCOMPARE(box != nullptr, !message.isEmpty());
    if (box)
        QVERIFY2(box->text().startsWith(message), qPrintable(box->text()));
    QCOMPARE(fake.beeps, message.startsWith("Could not") ? 1 : 0);
    QStringList after = before;
    if (!opened.isEmpty() && !after.contains(opened))
        after << opened;
    after.sort();
    QCOMPARE(QDir(m_docs.path()).entryList(QDir::Files), after);
    if (!has("removed"))
        QCOMPARE(QFileInfo(paths[row]).lastModified(), mtime);
    for (const QString& file : QDir(m_docs.path()).entryList(QDir::Files))
        QCOMPARE(read(file), QByteArray(file == opened && has("taken") ? "theirs" : "original"));
    QVERIFY(!QFileInfo::exists(scratch));
    QCOMPARE(QFileInfo::exists(tempFile), false);
}

QTEST_MAIN(TestDocumentOpener)
#include "tst_documentopener.moc"
