#pragma once

#include "platform/copybeside.h"

#include <QFuture>
#include <QObject>
#include <atomic>

namespace documents {

// One platform::copyBeside run on a pool thread, reporting on the thread the job
// lives in (the GUI's), so that copying a large document never stalls the window.
class CopyJob : public QObject
{
    Q_OBJECT
public:
    // Starts copying at once on a worker thread.
    CopyJob(const QString& source, const QString& newName, QObject* parent = nullptr);
    ~CopyJob() override; // cancels and waits; emits nothing afterwards
    // The job then finishes with Status::Cancelled, unless the copy already had its
    // name: a finished copy is reported as it is, never taken back.
    void cancel();

signals:
    void progress(qint64 done, qint64 total); // on the object's (GUI) thread, at most every ~50 ms
    void finished(const platform::CopyResult& result); // exactly once, on the object's thread

private:
    std::atomic<bool> m_cancelled{false};
    QFuture<void> m_future;
};

} // namespace documents
