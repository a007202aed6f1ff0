#include "tests/support/mounts.h"

#include <QDir>
#include <QProcess>
#include <sys/mount.h>
#include <unistd.h>

// Why the program failed; empty when it succeeded.
static QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    const bool succeeded = process.waitForFinished(60'000) &&
                           process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return succeeded ? QString() : program + ": " + process.errorString() + " " + process.readAllStandardError().trimmed();
}

Mount::Mount(Kind kind, const QString& dir) : m_dir(dir)
{
    if (::geteuid() != 0 || !QDir().mkpath(dir))
        m_whyNot = "Mounting a file system on " + dir + " needs root.";
    QStringList args{"-t", "tmpfs", "-o", kind == Kind::FullTmpfs ? "size=64k" : "size=4g", "tmpfs", dir};
    if (ok() && (kind == Kind::Ext4 || kind == Kind::Btrfs)) {
        const QString image = dir + ".img";
        QFile file(image);
        const bool btrfs = kind == Kind::Btrfs;
        m_whyNot = file.open(QFile::WriteOnly) && file.resize(256 << 20)
                       ? run(btrfs ? "mkfs.btrfs" : "mkfs.ext4", {btrfs ? "-f" : "-F", "-q", image})
                       : image + ": " + file.errorString();
        args = QStringList{"-o", "loop", image, dir};
    }
    if (ok())
        m_whyNot = run("mount", args);
}

Mount::~Mount()
{
    const QByteArray dir = QFile::encodeName(m_dir);
    if (ok() && ::umount2(dir.constData(), 0) != 0)
        ::umount2(dir.constData(), MNT_DETACH); // still busy: gone once the last handle closes
}

bool Mount::makeReadOnly() const
{
    return run("mount", {"-o", "remount,ro", m_dir}).isEmpty();
}
