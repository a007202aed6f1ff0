#pragma once

#include "dimensions/dimensions.h"

#include <QString>
#include <QValidator>
#include <cstdint>
#include <optional>

namespace windows {

// Lets only a size into a field: digits whose value fits a 32-bit signed integer, whichever
// way the text arrives (typing, paste, drop, input method). Spaces around pasted digits are
// dropped; anything else is refused whole, so no value silently changes.
class SizeValidator final : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// A field's size: 0 for an empty field, as for one that reads 0.
std::int32_t sizeValue(const QString& field);

// The result box's text: the horizontal and the vertical percentage, each on the line facing
// its caption ("333.33%\n200%"), or "---" on both lines when there is no match to show.
QString resultText(const std::optional<dimensions::Match>& match);

} // namespace windows
