#pragma once

#include "platform/desktop.h"

#include <QStringList>

// A desktop for tests: records what it is asked to open and to sound, and lets the test
// refuse a launch, place the pointer and run the clock.
class FakeDesktop final : public platform::Desktop
{
public:
    void launch(const QString& path) override { launched << path; }
    QPoint pointerPosition() const override { return pointer; }
    // Every read advances the clock by `tick`, so a wait on the clock ends after a bounded
    // number of reads without real time passing.
    qint64 microseconds() const override { return now += tick; }
    void beep() override { ++beeps; }

    void refuse(const QString& path, const QString& reason) { emit launchFailed(path, reason); }

    QStringList launched;
    QPoint pointer;
    mutable qint64 now = 1'000'000;
    qint64 tick = 100'000;
    int beeps = 0;
};
