#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

namespace platform {

// What the app asks of the desktop beyond its own windows; tests pass a fake.
class Desktop : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Hands the file to the desktop, which opens it in its own application. Returns at once;
    // when the desktop refuses it, launchFailed is emitted later (on this object's thread).
    virtual void launch(const QString& path) = 0;
    virtual QPoint pointerPosition() const = 0; // global pointer position
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
    // xdg-open's generic mode only exits when the application it started does. A failure
    // reported this long after the hand-off is the application's own later trouble (or its
    // exit status), not a refusal to open, and is not told.
    static constexpr int FailureGraceMilliseconds = 5000;

    explicit QtDesktop(int graceMilliseconds = FailureGraceMilliseconds, QObject* parent = nullptr);
    // Stops the xdg-open launchers still waiting; the applications they started stay open.
    ~QtDesktop() override;

    // `path` is handed on as given: the list holds absolute paths, and cleaning one by its
    // text would resolve "link/.." wrongly when the link leads elsewhere.
    void launch(const QString& path) override;
    QPoint pointerPosition() const override;
    void beep() override;

private:
    void failLater(const QString& path, const QString& reason);

    int m_graceMilliseconds;
};

} // namespace platform
