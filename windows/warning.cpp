#include "windows/warning.h"

// Work in progress.
warning* warning::Show(QWidget*, platform::Desktop&) { return nullptr; }
warning* warning::instance() { return nullptr; }
