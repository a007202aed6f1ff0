#pragma once

#include <QMetaType>
#include <QString>
#include <functional>

namespace platform {

struct CopyResult
{
    enum class Status { Copied, NameTaken, Failed, Cancelled };
    // How the contents were filled in: shared blocks, a copy inside the kernel, or
    // through our own buffer. Tells tests and benchmarks which way was taken.
    enum class Method { None, Clone, CopyRange, ReadWrite };

    Status status = Status::Failed;
    QString path;   // Copied: the new file; NameTaken: the existing file under the new name (the user's, to be opened as it is)
    QString reason; // Failed: a sentence a user can read, ending with a full stop, e.g. "The disk is full."
    Method method = Method::None;
};

// Called now and then from the copying thread, the last time just before the copy
// gets its name; return false to cancel.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;

// Copies the file at `source` into its own folder under `newName` (a bare file name).
//
// The copy appears under its name only when it is complete and on disk, and never
// replaces anything: when a file of that name exists before or appears during the
// copy, that file is the result (NameTaken) and ours is dropped. On failure or
// cancel nothing of ours is left; after a crash neither, except on file systems
// without unnamed files, where a hidden ".pallisto-<pid>-<n>.part" may stay. The
// original is only read. Safe on any thread; touches no GUI.
CopyResult copyBeside(const QString& source, const QString& newName,
                      const CopyProgress& progress = {});

namespace detail {

// The ways copyBeside may take, each falling back to the next where the file system
// refuses it. Tests turn some off to reach the fallbacks on file systems that would
// not need them.
struct CopyWays
{
    bool unnamed = true; // an unnamed file (O_TMPFILE) rather than a hidden name
    bool clone = true;   // shared blocks
    bool copyRange = true;
};

CopyResult copyBeside(const QString& source, const QString& newName,
                      const CopyProgress& progress, CopyWays ways);

} // namespace detail

} // namespace platform

Q_DECLARE_METATYPE(platform::CopyResult)
