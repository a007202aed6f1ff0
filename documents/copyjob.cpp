#include "documents/copyjob.h"

#include <QElapsedTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace documents {

namespace {
constexpr qint64 ProgressInterval = 50; // ms: smooth for a bar, cheap for the event loop
}

CopyJob::CopyJob(const QString& source, const QString& newName, QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<platform::CopyResult>();
    // The reports are posted to this object, so Qt drops any still pending when it is
    // deleted; the destructor waits for the worker, so none is posted after that.
    m_future = QtConcurrent::run([this, source, newName] {
        QElapsedTimer sinceReport;
        const auto report = [this, &sinceReport](qint64 done, qint64 total) {
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
        const platform::CopyResult result = platform::copyBeside(source, newName, report);
        QMetaObject::invokeMethod(
            this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
    });
}

CopyJob::~CopyJob()
{
    cancel();
    m_future.waitForFinished();
}

void CopyJob::cancel()
{
    m_cancelled = true;
}

} // namespace documents
