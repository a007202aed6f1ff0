#include "documents/documentopener.h"

#include "documents/copyjob.h"
#include "documents/copyname.h"
#include "platform/copybeside.h"
#include "platform/desktop.h"

#include <QFileInfo>
#include <utility>

namespace documents {

namespace {

QString nameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

DocumentOpener::DocumentOpener(platform::Desktop& desktop, QObject* parent, int waitMilliseconds)
    : QObject(parent), m_desktop(desktop)
{
    // A coarse timer may fire up to 5 % early, cutting the reminder short.
    m_reminderWait.setTimerType(Qt::PreciseTimer);
    m_reminderWait.setSingleShot(true);
    m_reminderWait.setInterval(waitMilliseconds);
    connect(&m_reminderWait, &QTimer::timeout, this,
            [this] { launch(std::exchange(m_documentAfterWait, QString())); });
    connect(&m_desktop, &platform::Desktop::launchFailed, this,
            [this](const QString& path, const QString& reason) {
                emit failed(tr("\"%1\" could not be opened: %2").arg(nameOf(path), reason));
            });
}

bool DocumentOpener::isBusy() const
{
    return m_reminderWait.isActive() || m_copy != nullptr;
}

void DocumentOpener::open(const OpenRequest& request)
{
    if (isBusy() || request.document.isEmpty())
        return;
    const QString name = nameOf(request.document);
    const QString copyName = request.copyMode && request.width > 0 && request.height > 0
                                 ? copyNameFor(name, request.width, request.height)
                                 : QString();
    // Without a new size there is nothing to copy to: the original opens, and needs the
    // reminder as much as any plain opening.
    if (copyName.isEmpty()) {
        startWait(request.document);
        return;
    }
    m_originalName = name;
    m_copy = new CopyJob(request.document, copyName, this);
    connect(m_copy, &CopyJob::progress, this, &DocumentOpener::copyProgress);
    connect(m_copy, &CopyJob::finished, this, &DocumentOpener::finishCopy);
    emit copyStarted(name, copyName);
}

void DocumentOpener::cancelCopy()
{
    if (m_copy)
        m_copy->cancel();
}

void DocumentOpener::startWait(const QString& document)
{
    emit reminderWanted();
    m_documentAfterWait = document;
    m_reminderWait.start();
}

void DocumentOpener::finishCopy(const platform::CopyResult& result)
{
    std::exchange(m_copy, nullptr)->deleteLater();
    emit copyEnded();
    using Status = platform::CopyResult::Status;
    switch (result.status) {
    case Status::Copied:
    case Status::NameTaken:
        launch(result.path);
        break;
    case Status::Failed:
        m_desktop.beep();
        emit failed(tr("Could not make a copy of \"%1\": %2").arg(m_originalName, result.reason));
        break;
    case Status::Cancelled:
        break;
    }
}

void DocumentOpener::launch(const QString& path)
{
    // A broken link counts as gone: the desktop could only fail on it later.
    if (!QFileInfo::exists(path)) {
        emit failed(tr("\"%1\" could not be opened: The file no longer exists.").arg(nameOf(path)));
        return;
    }
    m_desktop.launch(path);
}

} // namespace documents
