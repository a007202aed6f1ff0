#include "platform/copybeside.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

using Status = CopyResult::Status;
using detail::CopyOptions;

constexpr char ChangedReason[] = "The file changed while it was being copied.";

// Large enough that the kernel's per-call cost vanishes, small enough that progress
// and cancel come several times a second even on a slow disk.
constexpr qint64 RangeChunk = 8 << 20;
constexpr qint64 BufferChunk = 1 << 20;
// The draft is only ours until it has the original's mode.
constexpr mode_t DraftMode = S_IRUSR | S_IWUSR;

QString reasonFor(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("The disk is full.");
    case EDQUOT:
        return QStringLiteral("Your disk quota is used up.");
    case EROFS:
        return QStringLiteral("The disk is read-only.");
    case EACCES:
    case EPERM:
        return QStringLiteral("The folder is read-only.");
    case ENOENT:
        return QStringLiteral("The file no longer exists.");
    case ENAMETOOLONG:
        return QStringLiteral("The name is too long for the file system.");
    case ENOTDIR:
        return QStringLiteral("A part of the path is not a folder.");
    case EFBIG:
        return QStringLiteral("The file is too large for the disk.");
    case EIO:
        return QStringLiteral("The disk could not be read or written.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many files are open.");
    case ENOMEM:
        return QStringLiteral("There is not enough memory.");
    case ELOOP:
        return QStringLiteral("The path has too many links.");
    default:
        return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
    }
}

CopyResult failed(int error)
{
    CopyResult result;
    result.reason = reasonFor(error);
    return result;
}

CopyResult failed(const char* reason)
{
    CopyResult result;
    result.reason = QString::fromUtf8(reason);
    return result;
}

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

// The copy while it has no name of its own: unnamed, or under a hidden name that
// is removed again unless the copy was renamed.
struct Draft
{
    int dirFd;
    std::unique_ptr<Fd> fd;
    QByteArray hiddenName; // empty for an unnamed file

    ~Draft()
    {
        fd.reset();
        if (!hiddenName.isEmpty())
            ::unlinkat(dirFd, hiddenName.constData(), 0);
    }
};

// Makes the draft; 0 or the error.
int createDraft(Draft& draft, bool unnamed)
{
    if (unnamed) {
        draft.fd = std::make_unique<Fd>(
            ::openat(draft.dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, DraftMode));
        if (draft.fd->valid())
            return 0;
        // Whatever the reason (no unnamed files here, an old kernel), the hidden name
        // either works or fails for a reason that concerns the user too.
    }
    // Unique to this process and call, so parallel copies never meet; a clash with a
    // leftover of an earlier process of the same id takes the next number (no folder
    // holds a leftover under every number).
    static std::atomic<unsigned> counter{0};
    for (;;) {
        const QByteArray name = ".pallisto-" + QByteArray::number(::getpid()) + '-' +
                                QByteArray::number(counter++) + ".part";
        draft.fd = std::make_unique<Fd>(::openat(
            draft.dirFd, name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW,
            DraftMode));
        if (draft.fd->valid()) {
            draft.hiddenName = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
}

bool keepGoing(const CopyProgress& progress, qint64 done, qint64 total)
{
    return !progress || progress(done, total);
}

// 0 for success, else the error.
int errorOf(int returned)
{
    return returned == 0 ? 0 : errno;
}

// Besides 0 and errno values, copying the contents ends with one of these.
constexpr int CancelledByUser = -1;
constexpr int OriginalShrank = -2;

// Fills the draft with what the original holds, a data segment at a time, so that
// its holes stay holes; the caller sets the draft's size, trailing hole included.
class ContentsCopy
{
public:
    ContentsCopy(int in, int out, qint64 size, const CopyProgress& progress,
                 const CopyOptions& options)
        : m_in(in), m_out(out), m_size(size), m_progress(progress), m_options(options),
          m_way(options.firstWay)
    {
    }

    // 0, the error, or one of the codes above.
    int run()
    {
        if (!keepGoing(m_progress, 0, m_size))
            return CancelledByUser;
        if (m_way == CopyWay::Clone) {
            if (::ioctl(m_out, FICLONE, m_in) == 0)
                return 0;
            m_way = CopyWay::CopyRange;
        }
        for (qint64 offset = 0; offset < m_size;) {
            const off_t data = ::lseek(m_in, offset, SEEK_DATA);
            if (data < 0) // ENXIO: nothing but a hole up to the end
                return errno == ENXIO ? 0 : errno;
            const off_t hole = ::lseek(m_in, data, SEEK_HOLE);
            if (hole == -1)
                return errno;
            // A grown original is not copied beyond its first size; the check of
            // the original after the copy fails it anyway.
            const qint64 end = std::min<qint64>(hole, m_size);
            if (const int error = copySegment(data, end))
                return error;
            offset = end;
        }
        return 0;
    }

    CopyWay way() const { return m_way; }

private:
    int copySegment(qint64 from, qint64 to)
    {
        qint64 done = from;
        while (m_way == CopyWay::CopyRange && done < to) {
            const qint64 n = copyRange(done, std::min(to - done, RangeChunk));
            if (n > 0) {
                done += n;
                if (!keepGoing(m_progress, done, m_size))
                    return CancelledByUser;
            } else if (n == 0 || errno != EINTR) {
                // Ended early, refused between these two files, or a real fault: the
                // buffer goes on from here, and meets the fault again if it is one.
                m_way = CopyWay::ReadWrite;
            }
        }
        if (!m_buffer)
            m_buffer = std::make_unique<char[]>(BufferChunk);
        while (done < to) {
            const qint64 n = read(done, std::min(to - done, BufferChunk));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return errno;
            if (n == 0)
                return OriginalShrank;
            for (ssize_t written = 0; written < n;) {
                const ssize_t w =
                    ::pwrite(m_out, m_buffer.get() + written, n - written, done + written);
                if (w < 0 && errno == EINTR)
                    continue;
                if (w < 0)
                    return errno;
                if (w == 0) // no room, though the disk did not say so
                    return ENOSPC;
                written += w;
            }
            done += n;
            if (!keepGoing(m_progress, done, m_size))
                return CancelledByUser;
        }
        return 0;
    }

    qint64 copyRange(qint64 offset, qint64 length)
    {
        if (m_options.copyRange)
            return m_options.copyRange(m_in, m_out, offset, length);
        loff_t inOffset = offset;
        loff_t outOffset = offset;
        return ::copy_file_range(m_in, &inOffset, m_out, &outOffset, static_cast<size_t>(length),
                                 0);
    }

    qint64 read(qint64 offset, qint64 length)
    {
        if (m_options.read)
            return m_options.read(m_in, m_buffer.get(), length, offset);
        return ::pread(m_in, m_buffer.get(), static_cast<size_t>(length), offset);
    }

    const int m_in;
    const int m_out;
    const qint64 m_size;
    const CopyProgress& m_progress;
    const CopyOptions& m_options;
    CopyWay m_way;
    std::unique_ptr<char[]> m_buffer;
};

// Gives the finished draft its name without replacing anything; 0 or the error
// (EEXIST when the name is taken).
int giveName(Draft& draft, const QByteArray& newName)
{
    if (draft.hiddenName.isEmpty()) {
        if (::linkat(draft.fd->get(), "", draft.dirFd, newName.constData(), AT_EMPTY_PATH) == 0)
            return 0;
        // Kernels before 6.10 refuse AT_EMPTY_PATH without a capability; the file's
        // entry under /proc links it just as well, and any other failure recurs there.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(draft.fd->get());
        return errorOf(::linkat(AT_FDCWD, self.constData(), draft.dirFd, newName.constData(),
                                AT_SYMLINK_FOLLOW));
    }

    if (::renameat2(draft.dirFd, draft.hiddenName.constData(), draft.dirFd, newName.constData(),
                    RENAME_NOREPLACE) == 0) {
        draft.hiddenName.clear();
        return 0;
    }
    if (errno != EINVAL)
        return errno;
    // File systems without RENAME_NOREPLACE: a link never replaces either, and the
    // hidden name goes with the draft.
    return errorOf(
        ::linkat(draft.dirFd, draft.hiddenName.constData(), draft.dirFd, newName.constData(), 0));
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Size and times as the kernel keeps them: a write, even one that puts the old
// modification time back, moves the change time.
bool unchanged(const struct stat& before, const struct stat& after)
{
    return before.st_size == after.st_size && sameTime(before.st_mtim, after.st_mtim) &&
           sameTime(before.st_ctim, after.st_ctim);
}

bool validName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

// The folder as text, for the kernel to resolve: cleaning "a/link/../doc" by text
// gives "a", where the kernel goes to the parent of the link's target.
QByteArray folderOf(const QByteArray& source)
{
    const qsizetype slash = source.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : source.left(slash);
}

} // namespace

CopyResult copyBeside(const QString& source, const QString& newName, const CopyProgress& progress)
{
    return detail::copyBeside(source, newName, progress, {});
}

bool takeBack(const CopyResult& copy)
{
    if (copy.status != Status::Copied)
        return true;
    const QByteArray path = QFile::encodeName(copy.path);
    struct stat now;
    if (::lstat(path.constData(), &now) != 0)
        return errno == ENOENT;
    if (now.st_dev != copy.device || now.st_ino != copy.inode)
        return true;
    return ::unlink(path.constData()) == 0;
}

namespace detail {

CopyResult copyBeside(const QString& source, const QString& newName,
                      const CopyProgress& progress, const CopyOptions& options)
{
    if (!validName(newName))
        return failed("The new name is not a valid file name.");
    const QByteArray encodedSource = QFile::encodeName(source);
    const QByteArray fileName = encodedSource.mid(encodedSource.lastIndexOf('/') + 1);
    const QByteArray encodedName = QFile::encodeName(newName);
    const std::unique_ptr<char, decltype(&std::free)> folder(
        ::realpath(folderOf(encodedSource).constData(), nullptr), &std::free);
    if (!folder)
        return failed(errno);
    QString target = QFile::decodeName(folder.get());
    if (!target.endsWith(QLatin1Char('/')))
        target += QLatin1Char('/');
    target += newName;

    const Fd dir(::open(folder.get(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid())
        return failed(errno);

    // A taken name costs nothing: the user's file is the result as it is.
    struct stat existing;
    if (::fstatat(dir.get(), encodedName.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
        return {Status::NameTaken, target, {}, {}};
    if (errno != ENOENT)
        return failed(errno);

    // Non-blocking, so that a pipe under the name cannot hang us before we see it.
    const Fd in(::openat(dir.get(), fileName.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!in.valid())
        return errno == EACCES ? failed("You may not read this file.") : failed(errno);
    struct stat original;
    if (::fstat(in.get(), &original) != 0)
        return failed(errno);
    if (S_ISDIR(original.st_mode))
        return failed("This is a folder, not a file.");
    if (!S_ISREG(original.st_mode))
        return failed("This is not a document file.");

    Draft draft{dir.get(), {}, {}};
    if (const int error = createDraft(draft, options.unnamedDraft))
        return failed(error);
    const int out = draft.fd->get();

    CopyResult result;
    ContentsCopy contents(in.get(), out, original.st_size, progress, options);
    const int error = contents.run();
    result.way = contents.way();
    if (error == CancelledByUser) {
        result.status = Status::Cancelled;
        return result;
    }
    if (error == OriginalShrank)
        return failed(ChangedReason);
    if (error > 0)
        return failed(error);
    // Holes were skipped, so a trailing one is made here.
    if (::ftruncate(out, original.st_size) != 0)
        return failed(errno);
    // File systems without Unix permissions (FAT, some shares) refuse this; the copy
    // is good all the same.
    (void)::fchmod(out, original.st_mode & 0777);
    // EINVAL: a file system that cannot sync, where there is nothing to wait for.
    if (::fsync(out) != 0 && errno != EINVAL)
        return failed(errno);

    // Read through our own handle, a removed or replaced original still copies in
    // full; but the user no longer has that document.
    struct stat after;
    if (::fstat(in.get(), &after) != 0)
        return failed(errno);
    if (after.st_nlink == 0) {
        struct stat now;
        return ::fstatat(dir.get(), fileName.constData(), &now, 0) == 0 ? failed(ChangedReason)
                                                                         : failed(ENOENT);
    }
    if (!unchanged(original, after))
        return failed(ChangedReason);
    if (!keepGoing(progress, after.st_size, after.st_size)) {
        result.status = Status::Cancelled;
        return result;
    }

    struct stat made;
    if (::fstat(out, &made) != 0)
        return failed(errno);
    if (const int naming = giveName(draft, encodedName)) {
        if (naming == EEXIST)
            return {Status::NameTaken, target, {}, {}};
        return failed(naming);
    }
    // The name is an entry of the folder, on disk only once the folder is. Where that fails
    // (a folder the user may write to but not list) the copy is whole and named all the
    // same, and nothing better is left to do.
    const Fd listable(::openat(dir.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    (void)::fsync(listable.get());
    result.status = Status::Copied;
    result.path = target;
    result.device = made.st_dev;
    result.inode = made.st_ino;
    return result;
}

} // namespace detail

} // namespace platform
