#include "documents/calculate.h"

namespace documents {

Calculation calculate(std::int32_t width, std::int32_t height, std::span<const std::string> rows)
{
    if (rows.empty() || width == 0 || height == 0)
        return {};
    return {true, dimensions::findClosestRatio(rows, width, height)};
}

} // namespace documents
