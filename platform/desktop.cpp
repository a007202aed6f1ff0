#include "platform/desktop.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

#ifdef Q_OS_LINUX
// xdg-open's documented exit statuses, as the end of "could not be opened: ".
QString exitReason(int status)
{
    switch (status) {
    case 2:
        return QtDesktop::tr("The file no longer exists.");
    case 3:
        return QtDesktop::tr("No application on this computer opens it.");
    case 4:
        return QtDesktop::tr("The application that opens it failed.");
    default:
        return QtDesktop::tr("The desktop's opener failed with status %1.").arg(status);
    }
}
#endif

} // namespace

QtDesktop::QtDesktop(int graceMilliseconds, QObject* parent)
    : Desktop(parent), m_graceMilliseconds(graceMilliseconds)
{
}

QtDesktop::~QtDesktop()
{
    // xdg-open's generic path waits for the application to exit. Quitting must neither
    // wait for that nor leave QProcess to complain on stderr; killing the launcher alone
    // leaves the application it started running.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect(this);
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
}

void QtDesktop::launch(const QString& path)
{
#ifdef Q_OS_LINUX
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        failLater(path, tr("xdg-open, which hands files to their applications, is not installed."));
        return;
    }
    auto* process = new QProcess(this);
    process->setProgram(opener);
    process->setArguments({path});
    // The launcher and the application it starts talk on these; none of it is ours to show.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::errorOccurred, this, [this, process, path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash also ends in finished()
        emit launchFailed(path, tr("xdg-open, which hands files to their applications, could not be started."));
        process->deleteLater();
    });
    QElapsedTimer handedOff;
    handedOff.start();
    connect(process, &QProcess::finished, this,
            [this, process, path, handedOff](int status, QProcess::ExitStatus how) {
                process->deleteLater();
                if (handedOff.hasExpired(m_graceMilliseconds))
                    return;
                if (how == QProcess::CrashExit)
                    emit launchFailed(path, tr("The desktop's opener stopped unexpectedly."));
                else if (status != 0)
                    emit launchFailed(path, exitReason(status));
            });
    process->start();
#else
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        failLater(path, tr("No application on this computer opens it."));
#endif
}

void QtDesktop::failLater(const QString& path, const QString& reason)
{
    // Callers are told that launch() returns before any failure arrives.
    QMetaObject::invokeMethod(
        this, [this, path, reason] { emit launchFailed(path, reason); }, Qt::QueuedConnection);
}

QPoint QtDesktop::pointerPosition() const
{
    return QCursor::pos();
}

void QtDesktop::beep()
{
    QApplication::beep();
}

} // namespace platform
