#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>

class QProgressDialog;
class QWidget;

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

// How far a copy of `total` bytes has come after `done`, in thousandths, for a progress bar
// that counts in ints while documents may be larger than an int can count.
int progressPerMille(qint64 done, qint64 total);

// Opens documents one at a time: after the reminder and a two-second wait, or, in copy mode,
// as a copy named with the new size beside the original. A request while one is pending is
// ignored. Destroying the opener cancels what is pending; nothing calls back afterwards.
// Failures are told in a message over `window`; nothing of the user's is overwritten.
class DocumentOpener : public QObject
{
    Q_OBJECT
public:
    DocumentOpener(QWidget* window, platform::Desktop& desktop);
    ~DocumentOpener() override;

    void open(const OpenRequest& request);
    bool isBusy() const;

signals:
    // The reminder to save under a new name should show now.
    void reminderWanted();

private:
    void finishWait();
    void finishCopy(const platform::CopyResult& result);
    void launch(const QString& path);
    void tell(const QString& text);

    QWidget* m_window;
    platform::Desktop& m_desktop;
    QTimer m_clockCheck;
    qint64 m_waitStart = 0;
    QString m_waiting; // the document opened when the wait ends
    CopyJob* m_copy = nullptr;
    QPointer<QProgressDialog> m_progress;
    QString m_copyName; // the original's name, for messages about the copy
};

} // namespace documents
