#include "windows/window1.h"
