#include "platform/folderitem.h"

#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using platform::FileResult;
using platform::FolderItem;
// Runs one operation against the fixture: the main folder and one on another file system.
using Op = std::function<FileResult(const QString& dir, const QString& other)>;
Q_DECLARE_METATYPE(Op)

namespace {

void write(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every name under `dir` with its contents, to show that nothing was lost or changed.
QMap<QString, QByteArray> tree(const QString& dir)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        all.insert(path.mid(dir.size()), it.fileInfo().isDir() ? "<folder>" : read(path));
    }
    return all;
}

unsigned mode(const QString& path)
{
    struct stat st
    {
    };
    return ::stat(qPrintable(path), &st) == 0 ? st.st_mode & 0777 : 0;
}

bool sameDevice(const QString& a, const QString& b)
{
    struct stat sa
    {
    };
    struct stat sb
    {
    };
    return ::stat(qPrintable(a), &sa) == 0 && ::stat(qPrintable(b), &sb) == 0 &&
           sa.st_dev == sb.st_dev;
}

} // namespace

class FolderItemTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dataHome;
    QTemporaryDir* m_dir = nullptr;
    QTemporaryDir* m_other = nullptr; // on tmpfs, where a second file system is at hand

    QString dir() const { return m_dir->path(); }
    QString other() const { return m_other->path(); }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        QCoreApplication::setApplicationName("Pallisto");
    }

    // A/doc.pdf, and a file of the same name in B and on the other file system.
    void init()
    {
        m_dir = new QTemporaryDir;
        m_other = new QTemporaryDir("/dev/shm/pallisto-test-XXXXXX");
        for (const char* sub : {"/A", "/B", "/C"})
            QVERIFY(QDir().mkdir(dir() + sub));
        write(dir() + "/A/doc.pdf", "original");
        ::chmod(qPrintable(dir() + "/A/doc.pdf"), 0640); // not what a new file gets
        write(dir() + "/A/taken.pdf", "taken");
        write(dir() + "/B/doc.pdf", "theirs");
        write(dir() + "/C/inner.txt", "inner");
        if (m_other->isValid())
            write(other() + "/doc.pdf", "theirs too");
    }
    void cleanup()
    {
        delete m_dir;
        delete m_other;
    }

    void transfers_data()
    {
        QTest::addColumn<Op>("op");
        QTest::addColumn<QString>("landsAt"); // relative to the main folder, or "@" for the other
        QTest::addColumn<bool>("originalStays");
        QTest::addColumn<bool>("acrossFileSystems");
        auto to = [](const QString& path) { return FolderItem(path); };
        QTest::newRow("copy") << Op([=](auto d, auto) {
            return FolderItem(d + "/A/doc.pdf").CopyFileTo(to(d + "/C"));
        }) << "/C/doc.pdf" << true
                              << false;
        QTest::newRow("move") << Op([=](auto d, auto) {
            FolderItem item(d + "/A/doc.pdf");
            const FileResult r = item.MoveFileTo(to(d + "/C"));
            return item.AbsolutePath() == d + "/C/doc.pdf" ? r : FileResult::failure("stale item");
        }) << "/C/doc.pdf" << false
                              << false;
        QTest::newRow("move to another file system") << Op([=](auto d, auto o) {
            QFile::rename(o + "/doc.pdf", o + "/kept.pdf");
            return FolderItem(d + "/A/doc.pdf").MoveFileTo(to(o));
        }) << "@/doc.pdf" << false << true;
        QTest::newRow("rename") << Op([=](auto d, auto) {
            FolderItem item(d + "/A/doc.pdf");
            const FileResult r = item.setName("new 60x80.pdf");
            return item.Name() == "new 60x80.pdf" ? r : FileResult::failure("stale item");
        }) << "/A/new 60x80.pdf" << false
                                << false;
    }
    void transfers()
    {
        QFETCH(Op, op);
        QFETCH(QString, landsAt);
        QFETCH(bool, originalStays);
        QFETCH(bool, acrossFileSystems);
        if (acrossFileSystems && (!m_other->isValid() || sameDevice(dir(), other())))
            QSKIP("/dev/shm is not a second file system here");
        const FileResult result = op(dir(), other());
        QVERIFY2(result.ok, qPrintable(result.reason));
        const QString landed = landsAt.startsWith('@') ? other() + landsAt.mid(1) : dir() + landsAt;
        QCOMPARE(read(landed), QByteArray("original"));
        QCOMPARE(mode(landed), 0640u);
        QCOMPARE(QFile::exists(dir() + "/A/doc.pdf"), originalStays);
    }

    // Each failure names its reason and leaves every file as it was.
    void failures_data()
    {
        QTest::addColumn<Op>("op");
        QTest::addColumn<QString>("reason");
        const QString exists = "A file with this name already exists";
        const QString gone = "The file no longer exists";
        const QString tooLong = "The name is too long for the file system";
        const QString longName(256, 'a');
        QTest::newRow("copy onto an existing file") << Op([](auto d, auto) {
            return FolderItem(d + "/A/doc.pdf").CopyFileTo(FolderItem(d + "/B"));
        }) << exists;
        QTest::newRow("move onto an existing file") << Op([](auto d, auto) {
            FolderItem item(d + "/A/doc.pdf");
            return item.MoveFileTo(FolderItem(d + "/B"));
        }) << exists;
        QTest::newRow("move onto an existing file on another file system")
            << Op([](auto d, auto o) {
                   FolderItem item(d + "/A/doc.pdf");
                   return item.MoveFileTo(FolderItem(o));
               })
            << exists;
        QTest::newRow("rename onto an existing file")
            << Op([](auto d, auto) { return FolderItem(d + "/A/doc.pdf").setName("taken.pdf"); })
            << exists;
        QTest::newRow("copy a missing file") << Op([](auto d, auto) {
            return FolderItem(d + "/A/gone.pdf").CopyFileTo(FolderItem(d + "/B"));
        }) << gone;
        QTest::newRow("move a missing file") << Op([](auto d, auto) {
            FolderItem item(d + "/A/gone.pdf");
            return item.MoveFileTo(FolderItem(d + "/C"));
        }) << gone;
        QTest::newRow("rename a missing file")
            << Op([](auto d, auto) { return FolderItem(d + "/A/gone.pdf").setName("x.pdf"); })
            << gone;
        QTest::newRow("delete a missing file")
            << Op([](auto d, auto) { return FolderItem(d + "/A/gone.pdf").Delete(); }) << gone;
        QTest::newRow("rename to a name over 255 bytes")
            << Op([=](auto d, auto) { return FolderItem(d + "/A/doc.pdf").setName(longName); })
            << tooLong;
        QTest::newRow("folder with a name over 255 bytes")
            << Op([=](auto d, auto) { return FolderItem(d + "/" + longName).CreateAsFolder(); })
            << tooLong;
        QTest::newRow("folder under a file")
            << Op([](auto d, auto) { return FolderItem(d + "/A/doc.pdf/sub").CreateAsFolder(); })
            << "A part of the path is not a folder";
        QTest::newRow("folder where a file is")
            << Op([](auto d, auto) { return FolderItem(d + "/A/doc.pdf").CreateAsFolder(); })
            << exists;
        QTest::newRow("copy into a file") << Op([](auto d, auto) {
            return FolderItem(d + "/A/taken.pdf").CopyFileTo(FolderItem(d + "/B/doc.pdf"));
        }) << "The destination is not a folder";
        QTest::newRow("delete a folder with contents")
            << Op([](auto d, auto) { return FolderItem(d + "/C").Delete(); })
            << "The folder is not empty";
        // The copy to the other file system is complete before the original turns
        // out to be irremovable; the copy must go again.
        QTest::newRow("move a file that cannot leave its folder") << Op([](auto d, auto) {
            FolderItem item("/proc/version");
            return item.MoveFileTo(FolderItem(d + "/C"));
        }) << "The folder is read-only";
        QTest::newRow("relative path")
            << Op([](auto, auto) { return FolderItem("A/doc.pdf").CreateAsFolder(); })
            << "No file was given";
    }
    void failures()
    {
        QFETCH(Op, op);
        QFETCH(QString, reason);
        if (!m_other->isValid())
            QSKIP("no folder on /dev/shm");
        const auto before = tree(dir());
        const auto otherBefore = tree(other());
        const FileResult result = op(dir(), other());
        QVERIFY(!result.ok);
        QCOMPARE(result.reason, reason);
        QCOMPARE(tree(dir()), before);
        QCOMPARE(tree(other()), otherBefore);
    }

    void readOnlyFolder()
    {
        if (::geteuid() == 0)
            QSKIP("running as root, which ignores read-only permissions");
        QFile::setPermissions(dir() + "/C", QFile::ReadOwner | QFile::ExeOwner);
        const FileResult result =
            FolderItem(dir() + "/A/doc.pdf").CopyFileTo(FolderItem(dir() + "/C"));
        QFile::setPermissions(dir() + "/C", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(result.reason, QString("The folder is read-only"));
    }

    // Delete removes the one item: a link goes, the folder it points at stays whole.
    void deleteTakesOnlyTheItem_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("file") << "/A/doc.pdf";
        QTest::newRow("empty folder") << "/B/empty";
        QTest::newRow("link to a folder with contents") << "/B/link";
    }
    void deleteTakesOnlyTheItem()
    {
        QFETCH(QString, item);
        QVERIFY(FolderItem(dir() + "/B/empty").CreateAsFolder().ok);
        QVERIFY(QFile::link(dir() + "/C", dir() + "/B/link"));
        auto expected = tree(dir());
        expected.remove(item);
        const FileResult result = FolderItem(dir() + item).Delete();
        QVERIFY2(result.ok, qPrintable(result.reason));
        QCOMPARE(tree(dir()), expected);
    }

    void folderPathEndsWithSeparator()
    {
        const FolderItem doc(dir() + "/A/doc.pdf");
        QCOMPARE(doc.AbsolutePath(), dir() + "/A/doc.pdf");
        QCOMPARE(doc.Parent().AbsolutePath(), dir() + "/A/");
        QCOMPARE(FolderItem(doc.Parent().AbsolutePath() + doc.Name()), doc);
        QCOMPARE(FolderItem(dir() + "/C/").AbsolutePath(), dir() + "/C/");
    }

    void bareNamesLieInThePrivateFolder()
    {
        QDir(m_dataHome.path()).removeRecursively();
        QVERIFY(QDir::setCurrent(dir()));
        FolderItem scratch("TempFolder");
        const QString folder = FolderItem::defaultFolder();
        QVERIFY(QFileInfo(folder).isDir()); // made on demand
        QVERIFY(folder.startsWith(m_dataHome.path() + "/"));
        QVERIFY(folder != QDir::homePath() && folder != QDir::currentPath());
        QCOMPARE(scratch.Parent().AbsolutePath(), folder + "/");
        QVERIFY(scratch.CreateAsFolder().ok);
        QVERIFY(QFileInfo(folder + "/TempFolder").isDir());
        QVERIFY(!QFileInfo::exists(dir() + "/TempFolder"));
    }
};

QTEST_GUILESS_MAIN(FolderItemTest)
#include "tst_folderitem.moc"
