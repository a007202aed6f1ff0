#pragma once

#include "dimensions/dimensions.h"

#include <QString>
#include <QValidator>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace documents {

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

// What Calculate makes of the two fields and the rows' size tokens.
struct Calculation
{
    // False when the input can't be used (no rows, a field empty or 0): the caller only beeps.
    bool usable = false;
    std::optional<dimensions::Match> match;
    // The result box's text, its lines separated by "\n".
    QString text;
};

Calculation calculate(const QString& width, const QString& height,
                      std::span<const std::string> rows);

// The text the result box shows before any calculation, its lines separated by "\n".
QString restingText();

// The name a copy of the document `name` gets for the new size: the name with its size token
// replaced, "Copy of " in front when that gives the same name (letter case ignored). Empty when
// the name holds no token.
QString copyNameFor(const QString& name, std::int32_t width, std::int32_t height);

} // namespace documents
