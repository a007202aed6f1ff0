#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QString>

namespace platform {

// What the app asks of the desktop and the machine beyond its own windows; tests pass a fake.
class Desktop : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Hands the file to the desktop, which opens it in its own application. Returns at once;
    // when the desktop refuses it, launchFailed is emitted later (on this object's thread).
    virtual void launch(const QString& path) = 0;
    virtual QPoint pointerPosition() const = 0; // global pointer position
    virtual qint64 microseconds() const = 0;    // monotonic clock
    virtual void beep() = 0;                    // the system alert

signals:
    // `reason` is a sentence ending with a full stop, to follow "\"<name>\" could not be opened: ".
    void launchFailed(const QString& path, const QString& reason);
};

// The real desktop. On Linux a document goes to xdg-open, whose exit status tells
// why the desktop refused it; elsewhere to QDesktopServices.
class QtDesktop final : public Desktop
{
    Q_OBJECT
public:
    explicit QtDesktop(QObject* parent = nullptr);
    // Stops the xdg-open launchers still waiting; the applications they started stay open.
    ~QtDesktop() override;

    void launch(const QString& path) override;
    QPoint pointerPosition() const override;
    qint64 microseconds() const override;
    void beep() override;

private:
    void failLater(const QString& path, const QString& reason);

    QElapsedTimer m_clock;
};

} // namespace platform
