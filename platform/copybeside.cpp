#include "platform/copybeside.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
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
using Method = CopyResult::Method;
using detail::CopyWays;

// Large enough that the kernel's per-call cost vanishes, small enough that progress
// and cancel come several times a second even on a slow disk.
constexpr qint64 RangeChunk = 8 << 20;
constexpr qint64 BufferChunk = 1 << 20;

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
            ::openat(draft.dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
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
            0600));
        if (draft.fd->valid()) {
            draft.hiddenName = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
}

bool mayGoOn(const CopyProgress& progress, qint64 done, qint64 total)
{
    return !progress || progress(done, total);
}

// Fills `out` with what `in` holds; 0, the error, or -1 when cancelled.
int fill(int in, int out, qint64 total, const CopyProgress& progress, CopyWays ways,
         Method& method)
{
    if (!mayGoOn(progress, 0, total))
        return -1;
    if (ways.clone && ::ioctl(out, FICLONE, in) == 0) {
        method = Method::Clone;
        return 0;
    }

    loff_t done = 0;
    if (ways.copyRange) {
        method = Method::CopyRange;
        for (;;) {
            loff_t inOffset = done;
            loff_t outOffset = done;
            const ssize_t n = ::copy_file_range(in, &inOffset, out, &outOffset,
                                                static_cast<size_t>(RangeChunk), 0);
            if (n > 0) {
                done += n;
                if (!mayGoOn(progress, done, std::max<qint64>(total, done)))
                    return -1;
            } else if (n == 0) {
                return 0;
            } else if (errno != EINTR) {
                // Not between these two files, or a real fault: the buffer goes on from
                // here and meets the fault again, if it is one.
                break;
            }
        }
    }

    method = Method::ReadWrite;
    const auto buffer = std::make_unique<char[]>(BufferChunk);
    for (;;) {
        const ssize_t n = ::pread(in, buffer.get(), BufferChunk, done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        for (ssize_t written = 0; written < n;) {
            const ssize_t w = ::pwrite(out, buffer.get() + written, n - written, done + written);
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                return errno;
            if (w == 0) // no room, though the disk did not say so
                return ENOSPC;
            written += w;
        }
        done += n;
        if (!mayGoOn(progress, done, std::max<qint64>(total, done)))
            return -1;
    }
}

// Gives the finished draft its name without replacing anything; 0 or the error
// (EEXIST when the name is taken).
int name(Draft& draft, const QByteArray& newName)
{
    if (draft.hiddenName.isEmpty()) {
        if (::linkat(draft.fd->get(), "", draft.dirFd, newName.constData(), AT_EMPTY_PATH) == 0)
            return 0;
        // Older kernels refuse AT_EMPTY_PATH without a capability; the file's
        // entry under /proc links it just as well, and any other failure recurs there.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(draft.fd->get());
        return ::linkat(AT_FDCWD, self.constData(), draft.dirFd, newName.constData(),
                        AT_SYMLINK_FOLLOW) == 0
                   ? 0
                   : errno;
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
    return ::linkat(draft.dirFd, draft.hiddenName.constData(), draft.dirFd, newName.constData(), 0)
               == 0
               ? 0
               : errno;
}

bool validName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

} // namespace

CopyResult copyBeside(const QString& source, const QString& newName, const CopyProgress& progress)
{
    return detail::copyBeside(source, newName, progress, {});
}

namespace detail {

CopyResult copyBeside(const QString& source, const QString& newName,
                      const CopyProgress& progress, CopyWays ways)
{
    if (!validName(newName))
        return failed("The new name is not a valid file name.");
    const QFileInfo info(source);
    const QString folder = QDir::cleanPath(info.absolutePath());
    const QString target = folder + QLatin1Char('/') + newName;
    const QByteArray fileName = QFile::encodeName(info.fileName());
    const QByteArray encodedName = QFile::encodeName(newName);

    const Fd dir(::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid())
        return failed(errno);

    // A taken name costs nothing: the user's file is the result as it is.
    struct stat existing;
    if (::fstatat(dir.get(), encodedName.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
        return {Status::NameTaken, target, {}, Method::None};
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
    if (const int error = createDraft(draft, ways.unnamed))
        return failed(error);
    const int out = draft.fd->get();

    CopyResult result;
    const int error = fill(in.get(), out, original.st_size, progress, ways, result.method);
    if (error < 0)
        return {Status::Cancelled, {}, {}, result.method};
    if (error > 0)
        return failed(error);
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
        return ::fstatat(dir.get(), fileName.constData(), &now, 0) == 0
                   ? failed("The file changed while it was being copied.")
                   : failed(ENOENT);
    }
    const qint64 size = after.st_size;
    if (!mayGoOn(progress, size, size))
        return {Status::Cancelled, {}, {}, result.method};

    if (const int naming = name(draft, encodedName)) {
        if (naming == EEXIST)
            return {Status::NameTaken, target, {}, Method::None};
        return failed(naming);
    }
    result.status = Status::Copied;
    result.path = target;
    return result;
}

} // namespace detail

} // namespace platform
