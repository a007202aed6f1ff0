#pragma once

#include <QString>
#include <utility>

namespace platform {

// The outcome of a file operation: success, or the reason it failed in words a
// user can read, such as "The disk is full". Callers put the reason into a
// message that names the file.
struct FileResult
{
    bool ok = true;
    QString reason;

    explicit operator bool() const { return ok; }
    static FileResult success() { return {}; }
    static FileResult failure(QString why) { return {false, std::move(why)}; }
};

// A handle on a file or folder by its path. The file need not exist.
//
// No operation overwrites an existing file, and none deletes more than the one
// item it is asked to: a handle may well point at a user's folder, so removing
// a folder's contents is left to code that knows what they are.
class FolderItem
{
public:
    FolderItem() = default; // refers to nothing
    // An absolute path, or a bare name (no separator), which lies in
    // defaultFolder(). Any other relative path, ".", ".." and the empty text
    // give an item that refers to nothing; its operations fail.
    explicit FolderItem(const QString& path);

    // A folder private to the app (under the app's local data location), created
    // on demand. Never the user's home, the data folder shared by all apps or the
    // working directory, so fixed names such as "TempFolder" and "temp_file"
    // resolved in it can never name a user's file.
    static QString defaultFolder();

    bool isNull() const { return m_path.isEmpty(); }
    // Whether something is on disk under this path (a dangling link counts).
    bool exists() const;
    bool isFolder() const;

    // The last component of the path.
    QString Name() const;
    // Renames the file or folder on disk within its folder; the item then refers
    // to the new name. Fails when another file already has that name, or when
    // the new name is empty or holds a separator. The same name is a success.
    FileResult setName(const QString& newName);

    // The folder that holds this item; a null item for the root and a null item.
    FolderItem Parent() const;
    // The absolute path; an existing folder's path ends with the separator, so a
    // child's name can be appended directly.
    QString AbsolutePath() const;

    // Copies this file into `folder` under the same name. Folders are not
    // copied. On failure no partial copy is left behind.
    FileResult CopyFileTo(const FolderItem& folder) const;
    // Moves this file into `folder` under the same name; the item then refers to
    // the moved file. Across file systems the file is copied and the original is
    // removed only once the copy is complete and on disk; if the original cannot
    // be removed, the copy is removed again and the move fails. Moving a file
    // into the folder it is already in is a success that does nothing.
    FileResult MoveFileTo(const FolderItem& folder);
    // Removes the file (a link itself, not what it points at), or the folder when
    // it is empty. Never recursive: a folder with anything in it stays, and the
    // result says so.
    FileResult Delete();
    // Creates this item as a folder inside its existing parent. A folder already
    // there is a success; a file with this name is a failure.
    FileResult CreateAsFolder();

    bool operator==(const FolderItem&) const = default;

private:
    QString m_path; // absolute, cleaned, without a trailing separator ("/" for the root)
};

} // namespace platform
