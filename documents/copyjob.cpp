#include "documents/copyjob.h"

#include <QElapsedTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace documents {

namespace {
constexpr qint64 ProgressInterval = 50; // ms: smooth for a bar, cheap for the event loop
}

CopyJob::CopyJob(const QString& source, const QString& newName, QObject* parent,
                 CopyFunction copy)
    : QObject(parent)
{
    qRegisterMetaType<platform::CopyResult>();
    // The reports are posted to this object, so Qt drops any still pending when it is
    // deleted; the destructor waits for the worker, so none is posted after that.
    m_future = QtConcurrent::run([this, source, newName, copy = std::move(copy)] {
        QElapsedTimer sinceReport;
        const auto reportProgress = [this, &sinceReport](qint64 done, qint64 total) {
            if (m_cancelled)
                return false;
            if (!sinceReport.isValid() || sinceReport.elapsed() >= ProgressInterval) {
                sinceReport.start();
                QMetaObject::invokeMethod(
                    this,
                    [this, done, total] {
                        if (!m_cancelled)
                            emit progress(done, total);
                    },
                    Qt::QueuedConnection);
            }
            return true;
        };
        const platform::CopyResult result = copy(source, newName, reportProgress);
        QMetaObject::invokeMethod(
            this, [this, result] { report(result); }, Qt::QueuedConnection);
        return result;
    });
}

CopyJob::~CopyJob()
{
    cancel();
    m_future.waitForFinished();
    // A copy named after the last look at the flag, whose report is dropped with us.
    if (!m_reported)
        platform::takeBack(m_future.result());
}

void CopyJob::cancel()
{
    m_cancelled = true;
}

void CopyJob::report(platform::CopyResult result)
{
    m_reported = true;
    // The worker may have named the copy before it saw the cancel.
    if (m_cancelled && platform::takeBack(result))
        result = {platform::CopyResult::Status::Cancelled, {}, {}, result.way, 0, 0};
    emit finished(result);
}

} // namespace documents
