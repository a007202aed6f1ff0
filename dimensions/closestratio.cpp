#include "dimensions/dimensions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>

namespace dimensions {

std::optional<Match> findClosestRatio(std::span<const std::string> rows, std::int32_t width,
                                      std::int32_t height)
{
    if (width == 0 || height == 0) {
        return std::nullopt;
    }
    const bool portrait = isPortrait(width, height);
    const double target = static_cast<double>(height) / static_cast<double>(width);
    // A difference must be strictly below this to count. A row that far off is a strip
    // a million times longer than wide next to the target: scaling from it would be no
    // help, and its percentages would read as nonsense, so the search reports no match.
    double best = 1'000'000.0;
    std::optional<Match> match;
    // Row numbers are int32; rows beyond its range cannot be named and are ignored.
    const std::size_t count =
        std::min(rows.size(), static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
    for (const std::string& row : rows.first(count)) {
        const std::int32_t w = widthOf(row);
        const std::int32_t h = heightOf(row);
        if (w == 0 || h == 0 || isPortrait(w, h) != portrait) {
            continue;
        }
        const double difference = std::fabs(static_cast<double>(h) / w - target);
        if (difference < best) {
            best = difference;
            const auto index = static_cast<std::int32_t>(&row - rows.data());
            match = Match{index, 100.0 * width / w, 100.0 * height / h};
        }
    }
    return match;
}

} // namespace dimensions
