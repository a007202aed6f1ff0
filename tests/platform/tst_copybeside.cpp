#include "platform/copybeside.h"
#include "tests/support/mounts.h"

#include <QtTest>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <fcntl.h>
#include <sys/stat.h>

using platform::CopyResult;
using platform::CopyWay;
using Status = CopyResult::Status;
using Kind = Mount::Kind;

// Bytes that differ from chunk to chunk, so a chunk written twice or at the wrong place shows.
static QByteArray bytes(qint64 size, qint64 from = 0)
{
    QByteArray data(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data.data()[i] = char(((i + from) * 2654435761u) >> 13);
    return data;
}

static void write(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QFile::WriteOnly) && f.write(data) == data.size() && ::fchmod(f.handle(), 0751) == 0);
}

// Every entry of a folder, hidden ones too: permission bits and contents.
static QMap<QString, QByteArray> listing(const QString& dir)
{
    QMap<QString, QByteArray> all;
    for (const QFileInfo& e : QDir(dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(e.filePath());
        all[e.fileName()] = QByteArray::number(e.permissions(), 16) + ':' + (e.isFile() && f.open(QFile::ReadOnly) ? f.readAll() : "");
    }
    return all;
}

class CopyBesideTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QString m_dir, m_doc;
    QString at(const QString& name) const { return m_dir + '/' + name; }

private slots:
    void init() // run from the folder, so that bare names work; m_dir is free of links
    {
        m_tmp = QTemporaryDir(), m_dir = QDir(m_tmp.path()).canonicalPath(), m_doc = at("doc 50x70.pdf");
        QVERIFY(QDir::setCurrent(m_dir));
    }

    // Unnamed draft and copy range, or hidden draft and own buffer. Events come from the
    // progress callback: half-way, or at the end (the last call before naming).
    void copies_data()
    {
        QTest::addColumn<bool>("unnamed");
        QTest::addColumn<QString>("event");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("reason");
        for (const bool unnamed : {true, false}) {
            const auto row = [&](const QString& event, Status status, const QString& reason) {
                QTest::addRow("%s, %s", unnamed ? "unnamed" : "hidden", qPrintable(event)) << unnamed << event << status << reason;
            };
            for (const QString event : {"plain", "empty", "copy range ends early", "read interrupted"})
                row(event, Status::Copied, "");
            for (const QString end : {"", " at the end"})
                row("cancel" + end, Status::Cancelled, ""), row("name appears" + end, Status::NameTaken, "");
            row("original removed", Status::Failed, "The file no longer exists.");
            row("read error", Status::Failed, "The disk could not be read or written.");
            for (const QString event : {"original replaced", "original shrinks", "original rewritten", "original's mode changed"})
                row(event, Status::Failed, "The file changed while it was being copied.");
        }
    }
    void copies()
    {
        QFETCH(bool, unnamed);
        QFETCH(QString, event);
        QFETCH(Status, status);
        const qint64 size = event == "empty" ? 0 : (8 << 20) + 5; // two ranges, nine buffers
        write(m_doc, bytes(size));
        platform::detail::CopyOptions options{unnamed, unnamed ? CopyWay::CopyRange : CopyWay::ReadWrite, {}, {}};
        if (event == "copy range ends early") // one short range, then nothing more
            options.copyRange = [calls = 0](int in, int out, qint64 offset, qint64) mutable -> qint64 {
                loff_t inOffset = offset, outOffset = offset;
                return calls++ ? 0 : ::copy_file_range(in, &inOffset, out, &outOffset, 3 << 20, 0); };
        if (event.startsWith("read")) // interrupted first, then reads or fails for good
            options.firstWay = CopyWay::ReadWrite, options.read = [calls = 0, event](int in, char* buffer, qint64 length, qint64 offset) mutable -> qint64 {
                if (++calls == 1 || event == "read error")
                    return errno = calls == 1 ? EINTR : EIO, -1;
                return ::pread(in, buffer, length, offset); };
        auto expected = listing(m_dir); // unless an event below takes it again
        if (status == Status::Copied)
            expected["new.pdf"] = expected["doc 50x70.pdf"];
        QList<qint64> last;
        bool happened = status == Status::Copied; // nothing to make happen
        const auto progress = [&, doc = QFile::encodeName(m_doc)](qint64 done, qint64 total) {
            const bool again = last == QList<qint64>{done, total};
            last = {done, total};
            if (happened || (event.endsWith("at the end") ? !again : done == 0 || done == total))
                return true;
            ::usleep(20'000); // past a tick of the kernel's coarse clock, so that file times move
            QFile original(m_doc);
            happened = event == "original rewritten" ? original.open(QFile::ReadWrite) && original.write("\0", 1) == 1
                     : event == "original shrinks"   ? ::truncate(doc, done / 2) == 0
                     : event == "original's mode changed" ? ::chmod(doc, 0600) == 0
                     : event.startsWith("original") ? original.remove() : true;
            if (event.startsWith("name appears") || event == "original replaced")
                write(event == "original replaced" ? m_doc : at("new.pdf"), "the user's");
            expected = listing(m_dir);
            expected.removeIf([](const auto& entry) { return entry.key().startsWith(".pallisto-"); });
            return !event.startsWith("cancel");
        };
        const CopyResult r = platform::detail::copyBeside(m_doc, "new.pdf", progress, options);
        QCOMPARE(r.status, status);
        QTEST(r.reason, "reason");
        QCOMPARE(r.path, status == Status::Copied || status == Status::NameTaken ? at("new.pdf") : QString());
        if (status == Status::Copied) {
            QCOMPARE(r.way, std::optional(options.copyRange ? CopyWay::ReadWrite : options.firstWay));
            QCOMPARE(last, QList<qint64>({size, size}));
        }
        QCOMPARE(listing(m_dir), expected);
    }

    void descriptorZero() // a program started with its input closed is given 0 for a file it opens
    {
        const int input = ::dup(0);
        write(m_doc, "x"), ::close(0);
        QCOMPARE(platform::copyBeside(m_doc, "new.pdf").status, Status::Copied);
        QVERIFY(::fcntl(0, F_GETFD) == -1 && ::dup2(input, 0) == 0 && ::close(input) == 0); // all closed
    }

    // Beside a link to a folder elsewhere. Copies are named without links; taken back, only ours go.
    void outcomes_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        const QString doc = "doc 50x70.pdf", gone = "The file no longer exists.";
        QTest::newRow("copied beside a bare name") << doc << "new.pdf" << Status::Copied << "new.pdf" << "";
        QTest::newRow("copied through a link, then up") << "lnk/../" + doc << "new.pdf" << Status::Copied << "sub/new.pdf" << "";
        QTest::newRow("name taken") << doc << "taken.pdf" << Status::NameTaken << "taken.pdf" << "";
        QTest::newRow("name taken by a dangling link") << doc << "dangling" << Status::NameTaken << "dangling" << "";
        QTest::newRow("missing original") << "gone.pdf" << "new.pdf" << Status::Failed << "" << gone;
        QTest::newRow("missing folder") << "gone/doc.pdf" << "new.pdf" << Status::Failed << "" << gone;
        QTest::newRow("folder as original") << "sub" << "new" << Status::Failed << "" << "This is a folder, not a file.";
        QTest::newRow("pipe as original") << "pipe" << "new" << Status::Failed << "" << "This is not a document file.";
        QTest::newRow("name too long") << doc << QString(256, 'n') << Status::Failed << "" << "The name is too long for the file system.";
        for (const QString& name : {QString(), QString("."), QString(".."), QString("sub/new.pdf"), QString::fromUtf8("new\0.pdf", 8)})
            QTest::addRow("invalid name '%s'", qPrintable(name)) << doc << name << Status::Failed << "" << "The new name is not a valid file name.";
    }
    void outcomes()
    {
        QFETCH(QString, source);
        QFETCH(QString, newName);
        QFETCH(QString, path);
        QVERIFY(QDir(m_dir).mkpath("sub/target") && QFile::link(at("sub/target"), at("lnk")) && QFile::link(at("nowhere"), at("dangling")));
        write(m_doc, "beside the link"), write(at("taken.pdf"), "the user's"), write(at("sub/doc 50x70.pdf"), "beside the target");
        QCOMPARE(::mkfifo("pipe", 0644), 0);
        const auto before = listing(m_dir);
        const CopyResult r = platform::copyBeside(source, newName);
        QTEST(r.status, "status");
        QCOMPARE(r.path, path.isEmpty() ? path : at(path));
        QTEST(r.reason, "reason");
        const auto folder = listing(QFileInfo(r.path).path());
        QCOMPARE(folder.value("new.pdf"), r.status == Status::Copied ? folder["doc 50x70.pdf"] : QByteArray());
        // Another file on the same disk; our copy, twice.
        QVERIFY(platform::takeBack({Status::Copied, at("taken.pdf"), {}, {}, r.device, ~0ull}) && platform::takeBack(r) && platform::takeBack(r));
        QCOMPARE(listing(m_dir), before);
    }

    // 2 GiB: islands of data, holes between and after them; the full disk holds them once.
    void onFileSystems_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<CopyWay>("firstWay");
        QTest::addColumn<CopyWay>("way");
        QTest::addColumn<QString>("reason");
        QTest::newRow("tmpfs, no clones") << Kind::Tmpfs << CopyWay::Clone << CopyWay::CopyRange << "";
        QTest::newRow("ext4, no clones") << Kind::Ext4 << CopyWay::Clone << CopyWay::CopyRange << "";
        QTest::newRow("ext4, own buffer") << Kind::Ext4 << CopyWay::ReadWrite << CopyWay::ReadWrite << "";
        QTest::newRow("btrfs, clone") << Kind::Btrfs << CopyWay::Clone << CopyWay::Clone << "";
        QTest::newRow("full tmpfs") << Kind::FullTmpfs << CopyWay::Clone << CopyWay::CopyRange << "The disk is full.";
        QTest::newRow("read-only tmpfs") << Kind::Tmpfs << CopyWay::Clone << CopyWay::Clone << "The disk is read-only.";
    }
    void onFileSystems()
    {
        QFETCH(Kind, kind);
        QFETCH(CopyWay, firstWay);
        QFETCH(CopyWay, way);
        QFETCH(QString, reason);
        MOUNT_OR_SKIP(disk, kind, at("disk"));
        const qint64 island = 12 * 1024 + 5, size = 2ll << 30;
        const QList<qint64> offsets{0, (1ll << 30) + 3, size - 2 * island};
        QFile original(at("disk/doc 10x20.img"));
        QVERIFY(original.open(QFile::WriteOnly) && original.resize(size));
        for (const qint64 offset : offsets)
            QVERIFY(original.seek(offset) && original.write(bytes(island, offset)) == island);
        original.close();
        QVERIFY(!reason.contains("read-only") || disk.makeReadOnly());
        const CopyResult r = platform::detail::copyBeside(original.fileName(), "new.img", {}, {true, firstWay, {}, {}});
        QTEST(r.reason, "reason");
        QCOMPARE(QDir(at("disk")).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList({"doc 10x20.img", "new.img"}).first(reason.isEmpty() ? 2 : 1));
        if (!reason.isEmpty())
            return;
        QCOMPARE(r.way, std::optional(way));
        struct stat before, after;
        QVERIFY(::stat(QFile::encodeName(original.fileName()), &before) == 0 && ::stat(QFile::encodeName(r.path), &after) == 0);
        QCOMPARE(after.st_size, size);
        QVERIFY2(after.st_blocks <= before.st_blocks, qPrintable(QString::number(after.st_blocks)));
        QFile copy(r.path);
        QVERIFY(copy.open(QFile::ReadOnly));
        for (const qint64 offset : offsets)
            QVERIFY(copy.seek(offset) && copy.read(island) == bytes(island, offset));
        if (kind == Kind::Tmpfs)
            return; // it keeps no extents to ask about
        std::vector<char> buffer(sizeof(fiemap) + 8 * sizeof(fiemap_extent));
        auto* map = new (buffer.data()) fiemap{0, FIEMAP_MAX_OFFSET, FIEMAP_FLAG_SYNC, 0, 8, 0};
        QVERIFY(::ioctl(copy.handle(), FS_IOC_FIEMAP, map) == 0 && map->fm_mapped_extents > 0);
        for (unsigned i = 0; i < map->fm_mapped_extents; ++i) // shared with the original when cloned
            QCOMPARE(bool(map->fm_extents[i].fe_flags & FIEMAP_EXTENT_SHARED), way == CopyWay::Clone);
    }
};

QTEST_GUILESS_MAIN(CopyBesideTest)
#include "tst_copybeside.moc"
