#include "bench/startupprobe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>

namespace {

// Long enough for deferred start-up work and the first paints to settle.
constexpr int kIdleMs = 300;

long residentKilobytes()
{
    // Files under /proc report a size of 0, so read until the end rather than
    // trusting the size.
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    long kilobytes = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmRSS: %ld", &kilobytes) == 1)
            break;
    }
    std::fclose(status);
    return kilobytes;
}

} // namespace

StartupProbe::StartupProbe(QString windowName, QObject* parent)
    : QObject(parent), m_windowName(std::move(windowName))
{
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (m_shown || event->type() != QEvent::Expose)
        return false;
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window || !window->isExposed())
        return false;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == m_windowName && widget->windowHandle() == window) {
            m_shown = true;
            std::printf("shown\n");
            std::fflush(stdout);
            QTimer::singleShot(kIdleMs, this, &StartupProbe::reportIdleMemory);
            break;
        }
    }
    return false;
}

void StartupProbe::reportIdleMemory()
{
    std::printf("rss %ld\n", residentKilobytes());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}
