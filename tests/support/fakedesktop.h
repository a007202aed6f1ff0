#pragma once

#include "platform/desktop.h"

#include <QStringList>

// Records what it opens and sounds; refuses launches while `refusal` is set, later, as desktops
// do; its clock moves on by `tick` at each read, so waits end without real time passing.
class FakeDesktop final : public platform::Desktop
{
public:
    void launch(const QString& path) override
    {
        launched << path;
        if (!refusal.isEmpty())
            QMetaObject::invokeMethod(
                this, [this, path, reason = refusal] { emit launchFailed(path, reason); },
                Qt::QueuedConnection);
    }
    QPoint pointerPosition() const override { return pointer; }
    qint64 microseconds() const override { return now += tick; }
    void beep() override { ++beeps; }

    QStringList launched;
    QString refusal;
    QPoint pointer;
    mutable qint64 now = 1'000'000;
    qint64 tick = 100'000;
    int beeps = 0;
};
