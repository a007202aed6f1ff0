#include "dimensions/dimensions.h"
// Work in progress.
