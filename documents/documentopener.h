#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

namespace platform {
class Desktop;
struct CopyResult;
} // namespace platform

namespace documents {

class CopyJob;

// What the user asked to open: a document, and whether as a copy with a new size.
struct OpenRequest
{
    QString document;
    bool copyMode = false;
    // The new size in copy mode; 0 when a field is empty or 0, and then no copy is made.
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Opens documents one at a time: after the reminder and a wait, or, in copy mode, as a copy
// named with the new size beside the original. A request while one is pending is ignored.
// Destroying the opener cancels what is pending; nothing calls back afterwards. What happens
// is told by signals, for the window to show; nothing of the user's is overwritten.
class DocumentOpener : public QObject
{
    Q_OBJECT
public:
    // Long enough for the reminder, alone on screen, to be read before the document's
    // application comes up and takes the focus.
    static constexpr int ReminderWaitMilliseconds = 2000;

    explicit DocumentOpener(platform::Desktop& desktop, QObject* parent = nullptr,
                            int waitMilliseconds = ReminderWaitMilliseconds);

    void open(const OpenRequest& request);
    bool isBusy() const;

public slots:
    // Drops the copy under way; nothing is opened and no copy is left.
    void cancelCopy();

signals:
    // The reminder to save under a new name should show now.
    void reminderWanted();
    void copyStarted(const QString& originalName, const QString& copyName);
    void copyProgress(qint64 done, qint64 total);
    // The copy has its name, has failed or was cancelled.
    void copyEnded();
    // A full sentence for the user: why a document could not be opened or copied.
    void failed(const QString& message);

private:
    void startWait(const QString& document);
    void finishCopy(const platform::CopyResult& result);
    void launch(const QString& path);

    platform::Desktop& m_desktop;
    QTimer m_reminderWait;
    QString m_documentAfterWait;
    CopyJob* m_copy = nullptr;
    QString m_originalName; // of the document being copied, for a failure message
};

} // namespace documents
