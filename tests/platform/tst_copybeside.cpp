#include "platform/copybeside.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using platform::CopyResult;
using Status = CopyResult::Status;
using Method = CopyResult::Method;
using Listing = QMap<QString, QByteArray>;
constexpr qint64 MiB = 1 << 20;

namespace {

// Bytes that differ from chunk to chunk, so a chunk written twice or at the wrong place shows.
QByteArray bytes(qint64 size)
{
    QByteArray data(size, Qt::Uninitialized);
    char* out = data.data();
    for (qint64 i = 0; i < size; ++i)
        out[i] = char((i * 2654435761u) >> 13);
    return data;
}

void write(const QString& path, const QByteArray& data, int mode = 0644)
{
    QFile f(path);
    QVERIFY(f.open(QFile::WriteOnly) && f.write(data) == data.size());
    f.close();
    QCOMPARE(::chmod(QFile::encodeName(path), mode), 0);
}

// Every entry of a folder, hidden ones too: permission bits and contents.
Listing listing(const QString& dir)
{
    Listing all;
    for (const auto& e : std::filesystem::directory_iterator(dir.toStdString())) {
        const QString path = QString::fromStdString(e.path().string());
        struct stat st{};
        ::lstat(QFile::encodeName(path), &st);
        QFile f(path);
        all[e.path().filename().c_str()] = QByteArray::number(st.st_mode, 8) + ':' +
            (S_ISREG(st.st_mode) && f.open(QFile::ReadOnly) ? f.readAll() : QByteArray());
    }
    return all;
}

platform::detail::CopyWays ways(const QString& text)
{
    return {text.contains("unnamed"), text.contains("clone"), text.contains("range")};
}

// The exit code, 0 for success; what the program said goes to `error`.
int run(const QString& program, const QStringList& args, QString* error = nullptr)
{
    QProcess p;
    p.start(program, args);
    const bool ran = p.waitForFinished();
    if (error)
        *error = p.readAllStandardError().trimmed();
    return ran && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A file system mounted by mount(8) for the length of a test, unmounted whatever happens.
class Mount
{
public:
    Mount(const QStringList& args, const QString& dir) : m_dir(dir)
    {
        m_ok = run("mount", args + QStringList{dir}, &m_error) == 0;
    }
    ~Mount()
    {
        if (m_ok && ::umount2(QFile::encodeName(m_dir), 0) != 0)
            ::umount2(QFile::encodeName(m_dir), MNT_DETACH);
    }
    bool m_ok = false;
    QString m_dir, m_error;
};

#define NEED_ROOT()                                                                     \
    if (::geteuid() != 0)                                                               \
        QSKIP("Mounting file systems needs root; run as root to test full, read-only, "  \
              "cross-file-system and btrfs copies.")
#define MOUNT(name, args, dir)                                                          \
    Mount name(args, dir);                                                              \
    if (!name.m_ok)                                                                     \
        QSKIP(qPrintable("mount failed: " + name.m_error));

} // namespace

class CopyBesideTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QString m_dir, m_doc;
    Listing m_before;

    void makeDocument(const QString& dir, qint64 size, int mode = 0644)
    {
        m_dir = dir;
        m_doc = dir + "/doc 50x70.pdf";
        write(m_doc, bytes(size), mode);
        m_before = listing(dir);
    }
    QString at(const QString& name) const { return m_dir + '/' + name; }

private slots:
    void init()
    {
        m_tmp = QTemporaryDir();
        QVERIFY(m_tmp.isValid());
    }

    void copies_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("ways");
        QTest::addColumn<Method>("method");
        QTest::newRow("empty file") << 0ll << 0644 << "unnamed range" << Method::CopyRange;
        QTest::newRow("read-only original") << 1ll << 0444 << "unnamed range" << Method::CopyRange;
        QTest::newRow("several chunks") << 20 * MiB + 3 << 0755 << "unnamed range" << Method::CopyRange;
        QTest::newRow("hidden name") << 3 * MiB + 1 << 0600 << "hidden range" << Method::CopyRange;
        QTest::newRow("through a buffer") << 3 * MiB + 1 << 0640 << "unnamed" << Method::ReadWrite;
        QTest::newRow("hidden, through a buffer") << 0ll << 0604 << "hidden" << Method::ReadWrite;
    }
    void copies()
    {
        QFETCH(qint64, size);
        QFETCH(int, mode);
        QFETCH(QString, ways);
        makeDocument(m_tmp.path(), size, mode);
        qint64 lastDone = -1, lastTotal = -1;
        const CopyResult r = platform::detail::copyBeside(
            m_doc, "doc 60x80.pdf",
            [&](qint64 done, qint64 total) { return lastDone = done, lastTotal = total, true; },
            ::ways(ways));
        QCOMPARE(r.status, Status::Copied);
        QCOMPARE(r.path, at("doc 60x80.pdf"));
        QCOMPARE(r.reason, QString());
        QTEST(r.method, "method");
        QCOMPARE(lastDone, size);
        QCOMPARE(lastTotal, size);
        Listing expected = m_before;
        expected["doc 60x80.pdf"] = m_before["doc 50x70.pdf"];
        QCOMPARE(listing(m_dir), expected);
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        const QString none;
        QTest::newRow("name taken") << "doc 50x70.pdf" << "taken.pdf" << Status::NameTaken << "taken.pdf" << none;
        QTest::newRow("name taken by a dangling link") << "doc 50x70.pdf" << "dangling" << Status::NameTaken << "dangling" << none;
        QTest::newRow("the original's own name") << "doc 50x70.pdf" << "doc 50x70.pdf" << Status::NameTaken << "doc 50x70.pdf" << none;
        QTest::newRow("missing original") << "gone.pdf" << "new.pdf" << Status::Failed << none << "The file no longer exists.";
        QTest::newRow("folder as original") << "sub" << "new" << Status::Failed << none << "This is a folder, not a file.";
        QTest::newRow("pipe as original") << "pipe" << "new" << Status::Failed << none << "This is not a document file.";
        QTest::newRow("name too long") << "doc 50x70.pdf" << QString(256, 'n') << Status::Failed << none << "The name is too long for the file system.";
        QTest::newRow("name with a slash") << "doc 50x70.pdf" << "sub/new.pdf" << Status::Failed << none << "The new name is not a valid file name.";
        QTest::newRow("empty name") << "doc 50x70.pdf" << "" << Status::Failed << none << "The new name is not a valid file name.";
        QTest::newRow("parent folder") << "doc 50x70.pdf" << ".." << Status::Failed << none << "The new name is not a valid file name.";
    }
    void refuses()
    {
        QFETCH(QString, source);
        QFETCH(QString, newName);
        QFETCH(QString, path);
        m_dir = m_tmp.path();
        write(at("doc 50x70.pdf"), "original");
        write(at("taken.pdf"), "the user's");
        QVERIFY(QDir(m_dir).mkdir("sub"));
        QVERIFY(QFile::link(at("nowhere"), at("dangling")));
        QCOMPARE(::mkfifo(QFile::encodeName(at("pipe")), 0644), 0);
        const Listing before = listing(m_dir);
        int calls = 0;
        const CopyResult r = platform::copyBeside(at(source), newName,
                                                  [&](qint64, qint64) { return ++calls, true; });
        QTEST(r.status, "status");
        QCOMPARE(r.path, path.isEmpty() ? path : at(path));
        QTEST(r.reason, "reason");
        QCOMPARE(calls, 0);
        QCOMPARE(listing(m_dir), before);
    }

    // Events from the progress callback: half-way, or at the last call just before naming.
    void interrupted_data()
    {
        QTest::addColumn<QString>("ways");
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("last");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("reason");
        for (const QString w : {"unnamed range", "hidden range"}) {
            auto row = [&](const char* what, bool last, Status s, const char* reason) {
                QTest::addRow("%s, %s%s", qPrintable(w), what, last ? ", at the end" : "")
                    << w << what << last << s << reason;
            };
            row("cancel", false, Status::Cancelled, "");
            row("cancel", true, Status::Cancelled, "");
            row("name appears", false, Status::NameTaken, "");
            row("name appears", true, Status::NameTaken, "");
            row("original removed", false, Status::Failed, "The file no longer exists.");
            row("original replaced", false, Status::Failed, "The file changed while it was being copied.");
        }
    }
    void interrupted()
    {
        QFETCH(QString, ways);
        QFETCH(QString, event);
        QFETCH(bool, last);
        makeDocument(m_tmp.path(), 8 * MiB + 5);
        Listing expected = m_before;
        int ends = 0;
        bool happened = false;
        const CopyResult r = platform::detail::copyBeside(
            m_doc, "new.pdf",
            [&](qint64 done, qint64 total) {
                ends += done == total;
                if (happened || (last ? ends < 2 : done == 0 || done == total))
                    return true;
                happened = true;
                if (event == "cancel")
                    return false;
                if (event == "name appears")
                    write(at("new.pdf"), "the user's"), expected["new.pdf"] = "100644:the user's";
                if (event == "original removed")
                    QFile::remove(m_doc), expected.remove("doc 50x70.pdf");
                if (event == "original replaced")
                    write(at("x"), "v2"), ::rename(QFile::encodeName(at("x")), QFile::encodeName(m_doc)), expected["doc 50x70.pdf"] = "100644:v2";
                return true;
            },
            ::ways(ways));
        QVERIFY(happened);
        QTEST(r.status, "status");
        QTEST(r.reason, "reason");
        QCOMPARE(r.path, r.status == Status::NameTaken ? at("new.pdf") : QString());
        QCOMPARE(listing(m_dir), expected);
    }

    void disks_data()
    {
        QTest::addColumn<QString>("disk");
        QTest::addColumn<QString>("ways");
        QTest::addColumn<QString>("reason");
        for (const QString w : {"unnamed clone range", "hidden clone range", "unnamed"}) {
            QTest::addRow("full tmpfs, %s", qPrintable(w)) << "full" << w << "The disk is full.";
            QTest::addRow("read-only tmpfs, %s", qPrintable(w)) << "read-only" << w << "The disk is read-only.";
            QTest::addRow("read-only bind mount, %s", qPrintable(w)) << "bind" << w << "The disk is read-only.";
        }
    }
    void disks()
    {
        QFETCH(QString, disk);
        QFETCH(QString, ways);
        NEED_ROOT();
        const QString dir = m_tmp.path() + "/mnt", plain = m_tmp.path() + "/plain";
        QVERIFY(QDir().mkpath(dir) && QDir().mkpath(plain));
        const bool bind = disk == "bind";
        m_dir = dir, m_doc = dir + "/doc 50x70.pdf";
        if (bind) // 40 KiB: the original fits into the 64 KiB tmpfs, a copy beside it does not
            write(plain + "/doc 50x70.pdf", bytes(40 << 10));
        MOUNT(mounted, (bind ? QStringList{"--bind", "-o", "ro", plain}
                             : QStringList{"-t", "tmpfs", "-o", "size=64k", "tmpfs"}), dir);
        if (!bind)
            write(m_doc, bytes(40 << 10));
        if (disk == "read-only")
            QCOMPARE(run("mount", {"-o", "remount,ro", dir}), 0);
        m_before = listing(dir);
        const CopyResult r = platform::detail::copyBeside(m_doc, "new.pdf", {}, ::ways(ways));
        QCOMPARE(r.status, Status::Failed);
        QTEST(r.reason, "reason");
        QCOMPARE(listing(dir), m_before);
    }

    void killed_data()
    {
        QTest::addColumn<QString>("ways");
        QTest::newRow("unnamed") << "unnamed range";
        QTest::newRow("hidden name") << "hidden range";
    }
    void killed()
    {
        QFETCH(QString, ways);
        makeDocument(m_tmp.path(), 16 * MiB);
        int pipeFds[2];
        QCOMPARE(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            platform::detail::copyBeside(m_doc, "new.pdf", [&](qint64 done, qint64) {
                if (done > 0)
                    (void)!::write(pipeFds[1], "x", 1);
                ::usleep(50'000);
                return true;
            }, ::ways(ways));
            ::_exit(0);
        }
        char c;
        QCOMPARE(::read(pipeFds[0], &c, 1), 1); // the child is half-way
        ::kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        ::close(pipeFds[0]), ::close(pipeFds[1]);
        QVERIFY(WIFSIGNALED(status));
        Listing after = listing(m_dir);
        QVERIFY(!after.contains("new.pdf"));
        // Only a hidden draft can outlive a crash; an unnamed one goes with the process.
        for (const QString& name : after.keys())
            if (ways.startsWith("hidden") && name.startsWith(".pallisto-"))
                after.remove(name);
        QCOMPARE(after, m_before);
    }

    void together_data()
    {
        QTest::addColumn<QString>("ways");
        QTest::addColumn<QString>("second");
        for (const QString w : {"unnamed range", "hidden range", "hidden"}) {
            QTest::addRow("%s, own names", qPrintable(w)) << w << "b.pdf";
            QTest::addRow("%s, one name", qPrintable(w)) << w << "a.pdf";
        }
    }
    void together()
    {
        QFETCH(QString, ways);
        QFETCH(QString, second);
        makeDocument(m_tmp.path(), 8 * MiB);
        CopyResult a, b;
        auto slow = [](qint64, qint64) { return ::usleep(1000), true; }; // keeps both running at once
        std::thread ta([&] { a = platform::detail::copyBeside(m_doc, "a.pdf", slow, ::ways(ways)); });
        std::thread tb([&] { b = platform::detail::copyBeside(m_doc, second, slow, ::ways(ways)); });
        ta.join(), tb.join();
        const bool oneName = second == "a.pdf";
        QCOMPARE(int(a.status == Status::Copied) + int(b.status == Status::Copied), oneName ? 1 : 2);
        QCOMPARE(int(a.status == Status::NameTaken) + int(b.status == Status::NameTaken), oneName ? 1 : 0);
        Listing expected = m_before;
        expected["a.pdf"] = expected[second] = m_before["doc 50x70.pdf"];
        QCOMPARE(listing(m_dir), expected);
    }

    // A file bound from tmpfs into an ext4 folder: the kernel copies between them
    // neither by cloning nor by copy_file_range, so our own buffer does.
    void acrossFileSystems()
    {
        NEED_ROOT();
        const QString other = m_tmp.path() + "/other";
        QVERIFY(QDir().mkpath(other));
        MOUNT(tmpfs, (QStringList{"-t", "tmpfs", "tmpfs"}), other);
        write(other + "/doc", bytes(3 * MiB + 1));
        makeDocument(m_tmp.path(), 0);
        MOUNT(bound, (QStringList{"--bind", other + "/doc"}), m_doc);
        const CopyResult r = platform::copyBeside(m_doc, "new.pdf");
        QCOMPARE(r.status, Status::Copied);
        QCOMPARE(r.method, Method::ReadWrite);
        QCOMPARE(listing(m_dir).value("new.pdf"), listing(other).value("doc"));
    }

    void sharesBlocksOnBtrfs()
    {
        NEED_ROOT();
        const QString image = m_tmp.path() + "/btrfs.img", dir = m_tmp.path() + "/mnt";
        QVERIFY(QDir().mkpath(dir));
        QFile sparse(image);
        QVERIFY(sparse.open(QFile::WriteOnly) && sparse.resize(1ll << 30));
        sparse.close();
        if (run("mkfs.btrfs", {"-q", image}) != 0)
            QSKIP("mkfs.btrfs is missing or failed (install btrfs-progs)");
        MOUNT(mounted, (QStringList{"-o", "loop", image}), dir);
        makeDocument(dir, 4 * MiB + 1);
        ::sync();
        const CopyResult r = platform::copyBeside(m_doc, "new.pdf");
        QCOMPARE(r.status, Status::Copied);
        QCOMPARE(r.method, Method::Clone);
        QCOMPARE(listing(dir).value("new.pdf"), m_before["doc 50x70.pdf"]);
        // The kernel itself says the copy's blocks are shared.
        QFile copy(r.path);
        QVERIFY(copy.open(QFile::ReadOnly));
        std::vector<char> buffer(sizeof(fiemap) + 32 * sizeof(fiemap_extent));
        auto* map = reinterpret_cast<fiemap*>(buffer.data());
        map->fm_length = FIEMAP_MAX_OFFSET, map->fm_flags = FIEMAP_FLAG_SYNC, map->fm_extent_count = 32;
        QCOMPARE(::ioctl(copy.handle(), FS_IOC_FIEMAP, map), 0);
        QVERIFY(map->fm_mapped_extents > 0);
        for (unsigned i = 0; i < map->fm_mapped_extents; ++i)
            QVERIFY(map->fm_extents[i].fe_flags & FIEMAP_EXTENT_SHARED);
    }
};

QTEST_GUILESS_MAIN(CopyBesideTest)
#include "tst_copybeside.moc"
