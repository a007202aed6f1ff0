#pragma once

#include <QString>
#include <cstdint>

namespace documents {

// The name a copy of the document `name` gets for the new size: the name with its size token
// replaced, "Copy of " in front when that gives the same name (letter case ignored, as some
// file systems ignore it). Empty when the name holds no token.
QString copyNameFor(const QString& name, std::int32_t width, std::int32_t height);

} // namespace documents
