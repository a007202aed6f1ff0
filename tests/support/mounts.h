#pragma once

#include <QString>

// A file system mounted on a folder for the length of a test and unmounted however
// the test ends. Mounting needs root: check ok(), and skip with whyNot() otherwise.
class Mount
{
    Q_DISABLE_COPY(Mount)
    QString m_dir, m_whyNot;

public:
    // FullTmpfs holds 64 KiB. Ext4 and Btrfs live in a sparse image beside the folder.
    enum class Kind { Tmpfs, FullTmpfs, Ext4, Btrfs };
    Mount(Kind kind, const QString& dir);
    ~Mount();
    bool ok() const { return m_whyNot.isEmpty(); }
    QString whyNot() const { return m_whyNot; }
    bool makeReadOnly() const;
};

#define MOUNT_OR_SKIP(name, kind, dir)                                                          \
    const Mount name(kind, dir); if (!name.ok()) QSKIP(qPrintable(name.whyNot()))
