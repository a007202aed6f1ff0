#include "windows/maximising.h"

#include <QWidget>
#include <QWindow>
#include <memory>

namespace windows {

void liftLimitsWhileMaximised(QWidget& window)
{
    window.winId(); // makes the window handle, which otherwise comes with the first show
    QWindow* handle = window.windowHandle();
    struct Lifted
    {
        QSize limit; // invalid while the window's own limits hold
        bool grown = false;
    };
    // The limits go the moment maximising is asked for, before the compositor's answer, which
    // Qt would otherwise acknowledge with the limited size. They come back only once the window
    // has grown and shrunk again: a configure that was on its way before the request, such as
    // the activation a click brings, still reads as not maximised.
    auto follow = [&window, handle, lifted = std::make_shared<Lifted>()] {
        const bool maximised = handle->windowStates().testFlag(Qt::WindowMaximized);
        if (maximised && !lifted->limit.isValid()) {
            lifted->limit = window.maximumSize();
            window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        if (!lifted->limit.isValid())
            return;
        if (window.width() > lifted->limit.width() || window.height() > lifted->limit.height()) {
            lifted->grown = true;
        } else if (!maximised && lifted->grown) {
            window.setMaximumSize(lifted->limit);
            *lifted = {};
        }
    };
    QObject::connect(handle, &QWindow::windowStateChanged, &window, follow);
    QObject::connect(handle, &QWindow::widthChanged, &window, follow);
    QObject::connect(handle, &QWindow::heightChanged, &window, follow);
}

} // namespace windows
