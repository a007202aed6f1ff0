#include "windows/window2.h"
