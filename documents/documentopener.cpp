#include "documents/documentopener.h"

#include "documents/copyjob.h"
#include "documents/copyname.h"
#include "platform/copybeside.h"
#include "platform/desktop.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <utility>

namespace documents {

namespace {

// The reminder stays alone on screen for more than this before the document opens.
constexpr qint64 ReminderWaitMicroseconds = 2'000'000;
// The clock, not a single timer, ends the wait: a timer may fire early. Short wake-ups keep the
// wait from ending late.
constexpr int ClockCheckMilliseconds = 10;
// A copy that takes longer shows its progress.
constexpr int ProgressDelayMilliseconds = 500;

QString nameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

int progressPerMille(qint64 done, qint64 total)
{
    return total > 0 ? static_cast<int>(done * 1000 / total) : 0;
}

DocumentOpener::DocumentOpener(QWidget* window, platform::Desktop& desktop)
    : QObject(window), m_window(window), m_desktop(desktop)
{
    m_clockCheck.setTimerType(Qt::PreciseTimer);
    m_clockCheck.setInterval(ClockCheckMilliseconds);
    connect(&m_clockCheck, &QTimer::timeout, this, [this] {
        if (m_desktop.microseconds() - m_waitStart > ReminderWaitMicroseconds)
            finishWait();
    });
    connect(&m_desktop, &platform::Desktop::launchFailed, this,
            [this](const QString& path, const QString& reason) {
                tell(tr("\"%1\" could not be opened: %2").arg(nameOf(path), reason));
            });
}

DocumentOpener::~DocumentOpener()
{
    delete m_progress;
}

bool DocumentOpener::isBusy() const
{
    return m_clockCheck.isActive() || m_copy != nullptr;
}

void DocumentOpener::open(const OpenRequest& request)
{
    if (isBusy() || request.document.isEmpty())
        return;
    if (!request.copyMode) {
        emit reminderWanted();
        m_waiting = request.document;
        m_waitStart = m_desktop.microseconds();
        m_clockCheck.start();
        return;
    }
    const QString name = nameOf(request.document);
    const QString copyName = request.width > 0 && request.height > 0
                                 ? copyNameFor(name, request.width, request.height)
                                 : QString();
    if (copyName.isEmpty()) {
        launch(request.document);
        return;
    }
    m_copyName = name;
    m_copy = new CopyJob(request.document, copyName, this);
    connect(m_copy, &CopyJob::finished, this, &DocumentOpener::finishCopy);

    m_progress = new QProgressDialog(tr("Copying \"%1\"…").arg(name), tr("Cancel"), 0, progressPerMille(1, 1),
                                     m_window);
    m_progress->setWindowTitle(QGuiApplication::applicationDisplayName());
    m_progress->setAttribute(Qt::WA_DeleteOnClose);
    m_progress->setMinimumDuration(ProgressDelayMilliseconds);
    m_progress->setValue(0);
    connect(m_progress, &QProgressDialog::canceled, m_copy, &CopyJob::cancel);
    connect(m_copy, &CopyJob::progress, m_progress, [this](qint64 done, qint64 total) {
        m_progress->setValue(progressPerMille(done, total));
    });
}

void DocumentOpener::finishWait()
{
    m_clockCheck.stop();
    launch(std::exchange(m_waiting, QString()));
}

void DocumentOpener::finishCopy(const platform::CopyResult& result)
{
    CopyJob* job = std::exchange(m_copy, nullptr);
    job->deleteLater();
    if (m_progress) {
        m_progress->disconnect(job); // closing the dialog would cancel the finished job
        m_progress->close();
    }
    using Status = platform::CopyResult::Status;
    switch (result.status) {
    case Status::Copied:
    case Status::NameTaken:
        launch(result.path);
        break;
    case Status::Failed:
        m_desktop.beep();
        tell(tr("Could not make a copy of \"%1\": %2").arg(m_copyName, result.reason));
        break;
    case Status::Cancelled:
        break;
    }
}

void DocumentOpener::launch(const QString& path)
{
    // A broken link counts as gone: the desktop could only fail on it later.
    if (!QFileInfo::exists(path)) {
        tell(tr("\"%1\" could not be opened: The file no longer exists.").arg(nameOf(path)));
        return;
    }
    m_desktop.launch(path);
}

void DocumentOpener::tell(const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                                text, QMessageBox::Ok, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open(); // window-modal, and the window keeps painting
}

} // namespace documents
