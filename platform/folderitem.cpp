#include "platform/folderitem.h"
// Work in progress.
