#pragma once

#include <QList>

class QObject;
class QUrl;

namespace documents {
class DocumentListBox;
}

namespace pallisto {

// Reads the command line, starts the app with the files it names in the list,
// runs it until the user quits and shuts it down; returns the process's exit code.
// --help, --version, a mistaken option or the lack of a display end it before any
// window exists, with a message. A non-null `startupObserver` is installed as an event
// filter on the application as soon as the application object exists, so it
// sees every event from then on, the main window's first Show included.
int runApplication(int& argc, char** argv, QObject* startupObserver = nullptr);

// Lists `files` as a drop of them would: same rows, same order, names without a
// size left out.
void listFiles(documents::DocumentListBox& list, const QList<QUrl>& files);

} // namespace pallisto
