#pragma once

class QObject;

namespace pallisto {

// Starts the app, runs it until the user quits and shuts it down; returns the
// process's exit code. A non-null `startupObserver` is installed as an event
// filter on the application as soon as the application object exists, so it
// sees every event from then on, the main window's first Show included.
int runApplication(int& argc, char** argv, QObject* startupObserver = nullptr);

} // namespace pallisto
