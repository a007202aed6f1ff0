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
    using CopyFunction = std::function<platform::CopyResult(
        const QString& source, const QString& newName, const platform::CopyProgress& progress)>;

    // Starts copying at once on a worker thread. Tests pass their own `copy` to hold
    // the worker at a chosen moment.
    CopyJob(const QString& source, const QString& newName, QObject* parent = nullptr,
            CopyFunction copy = &platform::copyBeside);
    ~CopyJob() override; // cancels and waits; emits nothing afterwards, leaves no copy behind
    // The job then finishes with Status::Cancelled, even when the copy already had its
    // name: a copy that `finished` has not reported yet is taken back. Only where it
    // cannot be removed is it reported as it is.
    void cancel();

signals:
    void progress(qint64 done, qint64 total); // on the object's (GUI) thread, at most every ~50 ms
    void finished(const platform::CopyResult& result); // exactly once, on the object's thread

private:
    void report(platform::CopyResult result);

    std::atomic<bool> m_cancelled{false};
    bool m_reported = false;
    QFuture<platform::CopyResult> m_future;
};

} // namespace documents
