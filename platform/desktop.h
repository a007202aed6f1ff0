#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QString>

namespace platform {

// What the app asks of the desktop and of the machine beyond its own windows.
// Windows and actions take it through their constructors, so tests can pass a
// fake that records what was opened and controls the keys, the pointer and time.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // Hands the file at `absolutePath` to the desktop, which opens it in its own
    // application. False when the desktop could not take it.
    virtual bool Launch(const QString& absolutePath) = 0;

    // Whether Alt (Option on a Mac) is held at this moment, alone or together with
    // other modifiers. Asks the system, not the last event.
    virtual bool AsyncAltKey() const = 0;

    // The pointer's position on the screen.
    virtual QPoint MousePosition() const = 0;

    // A monotonic clock in microseconds; never decreases.
    virtual double Microseconds() const = 0;

    // The system alert sound.
    virtual void Beep() = 0;
};

// The real desktop, through Qt.
class QtDesktop final : public Desktop
{
public:
    QtDesktop();
    // The file is checked first: a desktop handler may accept a missing file and
    // fail later where the caller can no longer tell the user.
    bool Launch(const QString& absolutePath) override;
    bool AsyncAltKey() const override;
    QPoint MousePosition() const override;
    double Microseconds() const override;
    void Beep() override;

private:
    QElapsedTimer m_clock; // monotonic, started by the constructor
};

} // namespace platform
