#pragma once

#include "platform/desktop.h"

#include <QStringList>

// A desktop for tests: records what it is asked to open and to sound, and lets
// the test set the Alt key, the pointer and the clock.
class FakeDesktop final : public platform::Desktop
{
public:
    bool Launch(const QString& absolutePath) override
    {
        launched << absolutePath;
        return launchSucceeds;
    }
    bool AsyncAltKey() const override { return altHeld; }
    QPoint MousePosition() const override { return mouse; }
    // Every read advances the clock by `tick`, so a wait on the clock ends
    // after a bounded number of reads without real time passing.
    double Microseconds() const override
    {
        now += tick;
        return now;
    }
    void Beep() override { ++beeps; }

    QStringList launched;
    bool launchSucceeds = true;
    bool altHeld = false;
    QPoint mouse;
    mutable double now = 1'000'000.0;
    double tick = 100'000.0;
    int beeps = 0;
};
