#pragma once

#include <QMetaType>
#include <QString>
#include <functional>
#include <optional>

namespace platform {

// The ways of filling in a copy, fastest first: shared blocks, a copy inside the
// kernel, our own buffer. Each falls back to the next where the file system refuses it.
enum class CopyWay { Clone, CopyRange, ReadWrite };

struct CopyResult
{
    enum class Status { Copied, NameTaken, Failed, Cancelled };

    Status status = Status::Failed;
    QString path;   // Copied: the new file; NameTaken: the existing file under the new name (the user's, to be opened as it is)
    QString reason; // Failed: a sentence a user can read, ending with a full stop, e.g. "The disk is full."
    // The way the contents were filled in, the last one where a way gave up part-way;
    // empty when no contents were copied. Tells tests and benchmarks what was taken.
    std::optional<CopyWay> way;
    // Copied: the file we made, so that taking it back removes that file and no other.
    quint64 device = 0;
    quint64 inode = 0;
};

// Called now and then from the copying thread, the last time just before the copy
// gets its name; return false to cancel.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;

// Copies the file at `source` into its own folder under `newName` (a bare file name).
//
// The copy appears under its name only when it is complete and on disk (its folder
// too), and never replaces anything: when a file of that name exists before or
// appears during the copy, that file is the result (NameTaken) and ours is dropped.
// Holes of a sparse original stay holes. An original that changes while it is read
// fails the copy. On failure or cancel nothing of ours is left; after a crash
// neither, except on file systems without unnamed files, where a hidden
// ".pallisto-<pid>-<n>.part" may stay. The original is only read. Safe on any
// thread; touches no GUI.
CopyResult copyBeside(const QString& source, const QString& newName,
                      const CopyProgress& progress = {});

// Removes a copy that copyBeside made (Copied) and that is no longer wanted, but only
// while its name still holds that very file: whatever took the name since is not
// ours to remove. True when no copy of ours is left under the name.
bool takeBack(const CopyResult& copy);

namespace detail {

// Lets tests reach the fallbacks on file systems that would not need them.
struct CopyOptions
{
    bool unnamedDraft = true; // an unnamed file (O_TMPFILE) rather than a hidden name
    CopyWay firstWay = CopyWay::Clone;
    // Stands in for copy_file_range, which some file systems end early (0 before the
    // end); a test machine's file systems never do. Bytes copied, or -1 and errno.
    std::function<qint64(int in, int out, qint64 offset, qint64 length)> copyRange;
    // Stands in for pread: a failing disk, or a signal during a read, can't be had at will.
    std::function<qint64(int in, char* buffer, qint64 length, qint64 offset)> read;
};

CopyResult copyBeside(const QString& source, const QString& newName,
                      const CopyProgress& progress, const CopyOptions& options);

} // namespace detail

} // namespace platform

Q_DECLARE_METATYPE(platform::CopyResult)
