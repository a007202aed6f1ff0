// Promises checked over arbitrary bytes by libFuzzer and over generated names by tst_dimensions.

#include "dimensions/dimensions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <span>
#include <string>
#include <vector>

using namespace dimensions;

// The first token stands where found (an earlier x between digits would have been it), and
// ChangeName replaces exactly it; the new numbers become the token; a token without leading
// zeros, changed to its own numbers, gives the name back; GetNum finds it at its x.
bool namePromisesHold(const std::string& name, std::int32_t x, std::int32_t y)
{
    static const std::regex plain("(0|[1-9][0-9]{0,8})x(0|[1-9][0-9]{0,8})");
    const std::string token = GetPropName(name), changed = ChangeName(name, x, y);
    std::string lowered = name;
    std::ranges::replace(lowered, 'X', 'x');
    const std::size_t at = lowered.find(token), sep = token.find('x'), npos = std::string::npos;
    return token.empty()
               ? changed.empty()
               : at != npos && sep > 0 && sep + 1 < token.size() && token.rfind('x') == sep &&
                     token.find_first_not_of("0123456789x") == npos &&
                     changed == name.substr(0, at) + std::to_string(x) + name[at + sep] +
                                    std::to_string(y) + name.substr(at + token.size()) &&
                     (x < 0 || y < 0 ||
                      GetPropName(changed) == std::to_string(x) + "x" + std::to_string(y)) &&
                     (!std::regex_match(token, plain) ||
                      ChangeName(name, GetPropX(token), GetPropY(token)) == name) &&
                     GetNum(" " + lowered + " ", static_cast<std::int32_t>(at + sep + 2)) == token;
}

// Each row searched for its own size is found at exactly 100% unless it reads a zero, so the
// fast row reading agrees with GetPropX and GetPropY; fed row by row or whole, the search
// picks the same row, one of the target's orientation, with the percentages of its size.
bool searchPromisesHold(std::span<const std::string> rows, std::int32_t X, std::int32_t Y)
{
    ClosestRatioSearch fed(X, Y);
    for (const std::string& row : rows) {
        fed.consider(row);
        const std::int32_t w = GetPropX(row), h = GetPropY(row);
        const std::optional<Match> own = FindClosestRatio(std::span(&row, 1), w, h);
        if (own ? own->R != 0 || own->H != 100 || own->V != 100 : w != 0 && h != 0) {
            return false;
        }
    }
    const std::optional<Match> match = FindClosestRatio(rows, X, Y);
    const std::string row = match ? rows[static_cast<std::size_t>(match->R)] : "";
    const std::int32_t w = GetPropX(row), h = GetPropY(row);
    return !match ? !fed.result()
                  : fed.result() && fed.result()->R == match->R && w != 0 && h != 0 &&
                        portrait(w, h) == portrait(X, Y) && match->H == 100.0 * X / w &&
                        match->V == 100.0 * Y / h;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first eight bytes choose the numbers; the rest is the name, its lines the rows.
    std::int32_t xy[2] = {1, 1};
    double percent = 0.0;
    const std::size_t head = size < 8 ? 0 : 8;
    std::memcpy(xy, data, head);
    std::memcpy(&percent, data, head);
    const std::string name(reinterpret_cast<const char*>(data + head), size - head);
    std::vector<std::string> rows;
    for (std::size_t start = 0, end = 0; start <= name.size(); start = end + 1) {
        end = std::min(name.find('\n', start), name.size());
        rows.push_back(name.substr(start, end - start));
    }
    const std::string text = FormatPercent(percent);
    if (!namePromisesHold(name, xy[0], xy[1]) || !searchPromisesHold(rows, xy[0], xy[1]) ||
        std::isnan(ReadNumber(name)) || text.empty() || text == "-0" ||
        (std::isfinite(percent) && std::fabs(percent) < 1e9 &&
         std::fabs(std::strtod(text.c_str(), nullptr) - percent) > 0.005 + 1e-6)) {
        __builtin_trap();
    }
    return 0;
}
