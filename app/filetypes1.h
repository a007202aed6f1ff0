#pragma once

#include <QString>
#include <QStringList>

// A kind of file the document list accepts, by extension and by classic Mac
// type and creator codes. "????" stands for any type or creator; no extensions
// stands for any extension, or none.
struct FileType
{
    QString Name;
    QStringList Extensions; // without the dot, compared ignoring case
    QString MacType;
    QString MacCreator;

    // Whether a file of this name (and, where the system has them, type and
    // creator codes) is of this kind.
    bool matches(const QString& fileName, const QString& macType = {},
                 const QString& macCreator = {}) const;
};

// The app's one file-type set: ALL_FILES, which every file matches. It exists
// from start-up to shut-down.
namespace FileTypes1 {

void create();
void release();
// Null before create() and after release().
const FileType* ALL_FILES();

} // namespace FileTypes1
