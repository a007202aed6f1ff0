#pragma once

#include "platform/desktop.h"

#include <QStringList>

// A desktop for tests: records what it is asked to open and to sound, and lets the
// test refuse a launch and place the pointer.
class FakeDesktop final : public platform::Desktop
{
public:
    // Records the path; when `refusal` is set, reports it later, as the desktop would.
    void launch(const QString& path) override
    {
        launched << path;
        if (!refusal.isEmpty())
            QMetaObject::invokeMethod(
                this, [this, path, reason = refusal] { emit launchFailed(path, reason); },
                Qt::QueuedConnection);
    }
    QPoint pointerPosition() const override { return pointer; }
    void beep() override { ++beeps; }

    QStringList launched;
    QString refusal; // empty: every launch succeeds
    QPoint pointer;
    int beeps = 0;
};
