#pragma once

#include <QFont>
#include <QString>

namespace platform {

// The desktop's general font at a size in pixels. The controls' boxes are sized
// for pixels; the same numbers taken as points overflow them on most screens.
QFont systemFont(int pixelSize);

// Multi-line texts separate their lines with a carriage return, which a label
// would draw as a space: this is the text as a label must be given it.
QString displayLines(QString text);

} // namespace platform
