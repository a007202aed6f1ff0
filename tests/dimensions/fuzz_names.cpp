// Promises over any bytes, a broken one an abort: the bytes are a name, and its lines rows.
#include "dimensions/dimensions.h"

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace dimensions;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string name(reinterpret_cast<const char*>(data), size);
    const std::int32_t w = widthOf(name) & INT32_MAX, h = heightOf(name) & INT32_MAX;
    const std::string sized = renamedForSize(name, w, h);
    if (findSizeToken(sized) != (sized.empty() ? "" : std::to_string(w) + "x" + std::to_string(h)))
        std::abort(); // a new name's first token is the new size
    std::vector<std::string> rows{""};
    for (const char c : name)
        c == '\n' ? rows.push_back({}) : rows.back().push_back(c);
    const auto off = [&](const std::string& row) { // infinite for a row to skip
        const std::int32_t rw = widthOf(row), rh = heightOf(row);
        const bool skip = !rw || !rh || !w || !h || isPortrait(rw, rh) != isPortrait(w, h);
        return skip ? INFINITY : std::fabs(1.0 * rh / rw - 1.0 * h / w);
    };
    const std::optional<Match> match = findClosestRatio(rows, w, h);
    const double best = match ? off(rows.at(static_cast<std::size_t>(match->row))) : 1e6;
    for (std::int32_t i = 0; i < std::ssize(rows); ++i) // the closest, the first of equals
        if ((match && (best >= 1e6 || (i < match->row && off(rows[i]) == best))) ||
            off(rows[i]) < best)
            std::abort();
    return 0;
}
