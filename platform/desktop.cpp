#include "platform/desktop.h"
// Work in progress.
