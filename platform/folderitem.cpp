#include "platform/folderitem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

const char* const kNoItem = "No file was given";
const char* const kGone = "The file no longer exists";
const char* const kFolderGone = "The folder no longer exists";
const char* const kExists = "A file with this name already exists";
const char* const kNotAFile = "This is a folder, not a file";
const char* const kNotAFolder = "The destination is not a folder";

// Whether the failed call read the file's contents or changed a folder; the same
// errno means something different to the user in the two cases.
enum class Access
{
    Read,
    Write
};

QString reasonFor(int err, Access access)
{
    switch (err) {
    case ENOENT:
        return kGone;
    case EACCES:
    case EPERM:
        return access == Access::Read ? "The file cannot be read" : "The folder is read-only";
    case EROFS:
        return "The disk is read-only";
    case ENAMETOOLONG:
        return "The name is too long for the file system";
    case ENOSPC:
    case EDQUOT:
        return "The disk is full";
    case EEXIST:
    case ENOTEMPTY:
        return kExists;
    case ENOTDIR:
        return "A part of the path is not a folder";
    case EISDIR:
        return "A folder with this name already exists";
    case EIO:
        return "The disk could not be read or written";
    case ELOOP:
        return "The path has too many symbolic links";
    case EBUSY:
    case ETXTBSY:
        return "The file is in use";
    case EMFILE:
    case ENFILE:
        return "Too many files are open";
    case EINVAL:
        return "A folder cannot be moved into itself";
    default:
        return QString::fromLocal8Bit(std::strerror(err));
    }
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// lstat: a dangling link still occupies its name.
bool occupied(const QByteArray& path)
{
    struct stat st
    {
    };
    return ::lstat(path.constData(), &st) == 0;
}

// Renames without ever replacing `to`. Returns 0 or the errno.
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
#ifdef __linux__
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
#endif
    // The file system cannot refuse an existing target by itself, so look first.
    // Only a file created between the look and the rename could still be replaced.
    if (occupied(to))
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

bool writeAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Copies the contents and permissions of `from` into a new file `to`, which must
// not exist yet. For a move, the times are kept as well and the copy is flushed to
// disk, because the original is removed next. Returns an empty text, or the reason;
// a failed copy leaves nothing behind.
QString copyFile(const QByteArray& from, const QByteArray& to, bool forMove)
{
    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return reasonFor(errno, Access::Read);
    struct stat st
    {
    };
    if (::fstat(in, &st) != 0) {
        const int err = errno;
        ::close(in);
        return reasonFor(err, Access::Read);
    }
    // O_EXCL never overwrites, and never writes through a link left under that name.
    const int out = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return reasonFor(err, Access::Write);
    }

    QString why;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = reasonFor(errno, Access::Read);
            break;
        }
        if (n == 0)
            break;
        if (!writeAll(out, buffer.data(), n)) {
            why = reasonFor(errno, Access::Write);
            break;
        }
    }
    if (why.isEmpty() && ::fchmod(out, st.st_mode & 0777) != 0)
        why = reasonFor(errno, Access::Write);
    if (why.isEmpty() && forMove) {
#ifdef __APPLE__
        const struct timespec times[2] = {st.st_atimespec, st.st_mtimespec};
#else
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
#endif
        ::futimens(out, times); // a copy with fresh times is still a good copy
        if (::fsync(out) != 0)
            why = reasonFor(errno, Access::Write);
    }
    ::close(in);
    // Some file systems report a full disk only when the file is closed.
    if (::close(out) != 0 && why.isEmpty())
        why = reasonFor(errno, Access::Write);
    if (!why.isEmpty())
        ::unlink(to.constData());
    return why;
}

bool sameFolder(const QString& a, const QString& b)
{
    struct stat sa
    {
    };
    struct stat sb
    {
    };
    return ::stat(native(a).constData(), &sa) == 0 && ::stat(native(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

QString childPath(const QString& folder, const QString& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

} // namespace

FolderItem::FolderItem(const QString& path)
{
    const QString p = QDir::fromNativeSeparators(path);
    if (p.isEmpty() || p.contains(QChar(0)))
        return;
    if (!p.contains('/')) {
        if (p != QLatin1String(".") && p != QLatin1String(".."))
            m_path = childPath(defaultFolder(), p);
        return;
    }
    // A relative path would depend on the working directory: refer to nothing.
    if (QDir::isAbsolutePath(p))
        m_path = QDir::cleanPath(p);
}

QString FolderItem::defaultFolder()
{
    const QString shared =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString folder =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    // Without an application or organization name Qt hands out the shared data
    // folder or worse; a folder of our own is needed all the same.
    if (folder.isEmpty() || folder == shared || folder == QDir::cleanPath(QDir::homePath()) ||
        folder == QLatin1String("/") || folder == QLatin1String(".")) {
        folder = shared.isEmpty() || shared == QLatin1String(".")
                     ? QDir::tempPath() + "/Pallisto-" + QString::number(::getuid())
                     : shared + "/Pallisto";
    }
    QDir().mkpath(folder);
    return folder;
}

bool FolderItem::exists() const
{
    return !isNull() && occupied(native(m_path));
}

bool FolderItem::isFolder() const
{
    return !isNull() && QFileInfo(m_path).isDir();
}

QString FolderItem::Name() const
{
    return QFileInfo(m_path).fileName();
}

FileResult FolderItem::setName(const QString& newName)
{
    if (isNull())
        return FileResult::failure(kNoItem);
    if (newName.isEmpty())
        return FileResult::failure("The name is empty");
    if (newName.contains('/') || newName.contains(QChar(0)))
        return FileResult::failure("A name cannot contain the character /");
    if (newName == QLatin1String(".") || newName == QLatin1String(".."))
        return FileResult::failure("This name is not allowed");
    if (!exists())
        return FileResult::failure(kGone);
    if (newName == Name())
        return FileResult::success();

    const QString target = childPath(QFileInfo(m_path).path(), newName);
    if (const int err = renameNoReplace(native(m_path), native(target)))
        return FileResult::failure(reasonFor(err, Access::Write));
    m_path = target;
    return FileResult::success();
}

FolderItem FolderItem::Parent() const
{
    if (isNull() || m_path == QLatin1String("/"))
        return {};
    return FolderItem(QFileInfo(m_path).path());
}

QString FolderItem::AbsolutePath() const
{
    if (isFolder() && m_path != QLatin1String("/"))
        return m_path + '/';
    return m_path;
}

// The checks shared by copy and move; on success `target` is the path in `folder`.
static FileResult checkTransfer(const FolderItem& item, const FolderItem& folder, QString& target)
{
    if (item.isNull())
        return FileResult::failure(kNoItem);
    if (!item.exists())
        return FileResult::failure(kGone);
    if (item.isFolder())
        return FileResult::failure(kNotAFile);
    if (folder.isNull())
        return FileResult::failure("No destination folder was given");
    if (!folder.exists())
        return FileResult::failure(kFolderGone);
    if (!folder.isFolder())
        return FileResult::failure(kNotAFolder);
    target = childPath(folder.AbsolutePath(), item.Name());
    return FileResult::success();
}

FileResult FolderItem::CopyFileTo(const FolderItem& folder) const
{
    QString target;
    if (FileResult checked = checkTransfer(*this, folder, target); !checked)
        return checked;
    const QString why = copyFile(native(m_path), native(target), false);
    return why.isEmpty() ? FileResult::success() : FileResult::failure(why);
}

FileResult FolderItem::MoveFileTo(const FolderItem& folder)
{
    QString target;
    if (FileResult checked = checkTransfer(*this, folder, target); !checked)
        return checked;
    if (sameFolder(Parent().m_path, folder.m_path))
        return FileResult::success();

    const QByteArray from = native(m_path);
    const QByteArray to = native(target);
    const int err = renameNoReplace(from, to);
    if (err != 0 && err != EXDEV)
        return FileResult::failure(reasonFor(err, Access::Write));
    if (err == EXDEV) {
        if (const QString why = copyFile(from, to, true); !why.isEmpty())
            return FileResult::failure(why);
        // Someone else may have removed the original meanwhile; then the copy is
        // the only one left and must stay.
        if (::unlink(from.constData()) != 0 && errno != ENOENT) {
            const int unlinkErr = errno;
            ::unlink(to.constData());
            return FileResult::failure(reasonFor(unlinkErr, Access::Write));
        }
    }
    m_path = target;
    return FileResult::success();
}

FileResult FolderItem::Delete()
{
    if (isNull())
        return FileResult::failure(kNoItem);
    const QByteArray path = native(m_path);
    struct stat st
    {
    };
    if (::lstat(path.constData(), &st) != 0)
        return FileResult::failure(reasonFor(errno, Access::Write));
    if (S_ISDIR(st.st_mode)) {
        if (::rmdir(path.constData()) == 0)
            return FileResult::success();
        if (errno == ENOTEMPTY || errno == EEXIST)
            return FileResult::failure("The folder is not empty");
        return FileResult::failure(reasonFor(errno, Access::Write));
    }
    if (::unlink(path.constData()) != 0)
        return FileResult::failure(reasonFor(errno, Access::Write));
    return FileResult::success();
}

FileResult FolderItem::CreateAsFolder()
{
    if (isNull())
        return FileResult::failure(kNoItem);
    if (::mkdir(native(m_path).constData(), 0777) == 0)
        return FileResult::success();
    const int err = errno;
    if (err == EEXIST)
        return isFolder() ? FileResult::success() : FileResult::failure(kExists);
    if (err == ENOENT)
        return FileResult::failure("The folder that should hold it does not exist");
    return FileResult::failure(reasonFor(err, Access::Write));
}

} // namespace platform
