#pragma once

#include "platform/folderitem.h"

#include <QString>
#include <cstdint>

namespace documents {

// The name a copy of a document called `oldName` gets for the size x by y: the
// name with its dimension token replaced, "Copy of " in front when that gives
// the same name again (letter case ignored). Empty when the name holds no token.
QString CopyName(const QString& oldName, std::int32_t x, std::int32_t y);

// What became of a copy: the file to open, or why there is none.
struct CopyOutcome
{
    platform::FolderItem document;
    platform::FileResult result;
};

// Puts a copy of `document` beside it under `newName`, staged through the
// scratch folder "TempFolder" in the app's private folder, and removes the
// scratch folder again whatever happens.
//
// Nothing in the document's folder is overwritten or deleted: when a file named
// `newName` is already there, that file is the outcome and our copy is dropped.
// The original is only read.
CopyOutcome MakeCopy(const platform::FolderItem& document, const QString& newName);

} // namespace documents
