#pragma once

class QWidget;

namespace windows {

// Lets `window`, a top-level whose flags are final, take the whole screen while maximised and
// gives it back its size limits afterwards. Qt's own title bar on Wayland offers "maximise"
// whatever the flags and limits say; a compositor that then gets the window's limited size
// instead of the screen's ends the connection, and the app with it.
void liftLimitsWhileMaximised(QWidget& window);

} // namespace windows
