#include "windows/warning.h"
