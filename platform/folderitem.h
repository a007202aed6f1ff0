#pragma once

#include <QString>

namespace platform {

// The outcome of a file operation: success, or the reason it failed in words a
// user can read.
struct FileResult
{
    bool ok = true;
    QString reason;

    explicit operator bool() const { return ok; }
    static FileResult success() { return {}; }
    static FileResult failure(QString why) { return {false, std::move(why)}; }
};

// A handle on a file or folder by its path. The file need not exist.
// No operation overwrites an existing file.
class FolderItem
{
public:
    FolderItem() = default; // refers to nothing
    // An absolute path, or a bare name, which lies in defaultFolder().
    explicit FolderItem(const QString& path);

    // A folder private to the app (under the app's local data location),
    // created on demand. Never the user's home or the working directory.
    static QString defaultFolder();

    bool isNull() const { return m_path.isEmpty(); }
    bool exists() const;
    bool isFolder() const;

    // The last component of the path.
    QString Name() const;
    // Renames the file on disk; the item then refers to the new name.
    // Fails when another file already has that name.
    FileResult setName(const QString& newName);

    FolderItem Parent() const;
    // The absolute path; a folder's path ends with the separator, so a child's
    // name can be appended directly.
    QString AbsolutePath() const;

    // Copies this file into `folder` under the same name.
    FileResult CopyFileTo(const FolderItem& folder) const;
    // Moves this file into `folder` under the same name, also across file
    // systems; the item then refers to the moved file.
    FileResult MoveFileTo(const FolderItem& folder);
    // Removes the file, or the folder with everything in it.
    FileResult Delete();
    FileResult CreateAsFolder();

    bool operator==(const FolderItem&) const = default;

private:
    QString m_path; // absolute, cleaned, without a trailing separator
};

} // namespace platform
