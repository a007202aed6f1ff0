#include "documents/copymaker.h"

#include "dimensions/dimensions.h"

#include <QDir>
#include <QFileInfo>

namespace documents {

namespace {

using platform::FileResult;
using platform::FolderItem;

// Bare names, so both lie in the app's private folder and never name a user's file.
const QString ScratchFolderName = QStringLiteral("TempFolder");
const QString ScratchFileName = QStringLiteral("temp_file");

// The path without the separator a folder's path ends with, so that a link is
// seen as the link itself.
QString plainPath(const FolderItem& item)
{
    QString path = item.AbsolutePath();
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// The item called `name` in `folder`; a folder's path ends with the separator
// only while it exists, so the separator is added when it is missing.
FolderItem child(const FolderItem& folder, const QString& name)
{
    return FolderItem(plainPath(folder) + QLatin1Char('/') + name);
}

// Removes `path` and, for a folder, everything in it, deepest first. Only ever
// called on our scratch folder in the private folder, so everything in it is
// ours; a link is removed, never followed.
FileResult removeAll(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return FileResult::success();
    if (info.isDir() && !info.isSymLink()) {
        const QFileInfoList children = QDir(path).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        for (const QFileInfo& entry : children) {
            if (FileResult removed = removeAll(entry.absoluteFilePath()); !removed)
                return removed;
        }
    }
    return FolderItem(path).Delete();
}

// Copies into the scratch folder, renames there and moves the copy out. The
// scratch folder exists and is empty on entry.
CopyOutcome stage(const FolderItem& document, const FolderItem& scratch, const QString& newName)
{
    if (FileResult copied = document.CopyFileTo(scratch); !copied)
        return {{}, copied};
    FolderItem copy = child(scratch, document.Name());
    if (FileResult renamed = copy.setName(newName); !renamed)
        return {{}, renamed};

    const FolderItem folder = document.Parent();
    const FolderItem target = child(folder, newName);
    // A file of that name is the user's: open it as it is and drop our copy.
    if (target.exists())
        return {target, FileResult::success()};
    if (FileResult moved = copy.MoveFileTo(folder); !moved)
        return {{}, moved};
    return {target, FileResult::success()};
}

} // namespace

QString CopyName(const QString& oldName, std::int32_t x, std::int32_t y)
{
    QString name = QString::fromStdString(dimensions::renamedForSize(oldName.toStdString(), x, y));
    if (!name.isEmpty() && name.compare(oldName, Qt::CaseInsensitive) == 0)
        name.prepend(QStringLiteral("Copy of "));
    return name;
}

CopyOutcome MakeCopy(const FolderItem& document, const QString& newName)
{
    FolderItem scratch(ScratchFolderName);
    // An earlier run that stopped half-way may have left its copy there.
    if (FileResult cleared = removeAll(plainPath(scratch)); !cleared)
        return {{}, cleared};
    if (FileResult created = scratch.CreateAsFolder(); !created)
        return {{}, created};

    // Nothing depends on this file being gone, so its outcome does not matter.
    FolderItem scratchFile(ScratchFileName);
    if (scratchFile.exists())
        scratchFile.Delete();

    CopyOutcome outcome = stage(document, scratch, newName);
    // Best effort: whatever stays behind is cleared by the next copy.
    removeAll(plainPath(scratch));
    return outcome;
}

} // namespace documents
