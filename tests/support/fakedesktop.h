#pragma once

#include "platform/desktop.h"

#include <QStringList>

// A desktop for tests: records what it is asked to open and to sound, and lets the
// test refuse a launch, place the pointer and run the clock.
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
    // Every read advances the clock by `tick`, so a wait on the clock ends after a
    // bounded number of reads without real time passing.
    qint64 microseconds() const override { return now += tick; }
    void beep() override { ++beeps; }

    QStringList launched;
    QString refusal; // empty: every launch succeeds
    QPoint pointer;
    mutable qint64 now = 1'000'000;
    qint64 tick = 100'000;
    int beeps = 0;
};
