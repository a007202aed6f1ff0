#pragma once

#include <QMimeData>

class QAbstractScrollArea;
enum class DisplayServer
{
    Xvfb,
    Weston
};

// Under offscreen: runs this program's current test (and row) under a fresh server, stopped
// after, and takes its outcome (a skip when the server does not start); true. Elsewhere false:
// the caller is that child. Xvfb takes a free display; weston, headless, a private socket.
bool ranUnder(DisplayServer server);
// Enter, move and drop of `mime` on a list's viewport, as Qt delivers a drop from another
// application. True when the drop is accepted.
bool dropOn(QAbstractScrollArea& list, const QMimeData& mime,
            Qt::DropActions actions = Qt::CopyAction);
