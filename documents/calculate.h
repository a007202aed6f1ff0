#pragma once

#include "dimensions/dimensions.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace documents {

// What Calculate makes of a typed size and the rows' size tokens.
struct Calculation
{
    // False when the input can't be used (no rows, a size of 0): the caller only beeps.
    bool usable = false;
    // The closest row and its percentages; none when no row has the size's orientation.
    std::optional<dimensions::Match> match;
};

Calculation calculate(std::int32_t width, std::int32_t height, std::span<const std::string> rows);

} // namespace documents
