// Promises checked over arbitrary bytes by libFuzzer and over generated names by
// tst_dimensions. Each check returns the promise it found broken, or "" when all hold.

#include "dimensions/dimensions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <vector>

using namespace dimensions;

std::string brokenNamePromise(const std::string& name, std::int32_t width, std::int32_t height)
{
    const std::string token = findSizeToken(name), renamed = renamedForSize(name, width, height);
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (widthOf(size) != width || heightOf(size) != height) {
        return "widthOf/heightOf do not read back " + size;
    }
    if (token.empty()) {
        return renamed.empty() ? "" : "renamed a name without a token";
    }
    std::string lowered = name;
    std::ranges::replace(lowered, 'X', 'x');
    const std::size_t at = lowered.find(token), sep = token.find('x'), end = at + token.size();
    if (at == std::string::npos || sep == 0 || sep + 1 == token.size() ||
        token.find_first_not_of("0123456789x") != std::string::npos || token.rfind('x') != sep) {
        return "token is not <digits>x<digits> from the name: " + token;
    }
    if ((at > 0 && isDigit(name[at - 1])) || (end < name.size() && isDigit(name[end]))) {
        return "token does not take the whole digit runs: " + token;
    }
    if (!findSizeToken(name.substr(0, at + sep)).empty()) {
        return "an earlier token was passed over: " + token;
    }
    if (renamed != name.substr(0, at) + std::to_string(width) + name[at + sep] +
                       std::to_string(height) + name.substr(end)) {
        return "renamed other than the token's numbers: " + renamed;
    }
    if (width >= 0 && height >= 0 && findSizeToken(renamed) != size) {
        return "the new size is not the renamed name's token: " + renamed;
    }
    const bool plain = std::to_string(widthOf(token)) + "x" + std::to_string(heightOf(token)) == token;
    if (plain && renamedForSize(name, widthOf(token), heightOf(token)) != name) {
        return "renamed to its own size, the name changed: " + renamed;
    }
    return "";
}

std::string brokenSearchPromise(std::span<const std::string> rows, std::int32_t width,
                                std::int32_t height)
{
    // How far row i's ratio is from the target's, or infinity for a row to be skipped.
    const auto distance = [&](std::size_t i) {
        const std::int32_t w = widthOf(rows[i]), h = heightOf(rows[i]);
        const bool comparable = w != 0 && h != 0 && width != 0 && height != 0 &&
                                isPortrait(w, h) == isPortrait(width, height);
        return comparable ? std::fabs(static_cast<double>(h) / w - static_cast<double>(height) / width)
                          : std::numeric_limits<double>::infinity();
    };
    const std::optional<Match> match = findClosestRatio(rows, width, height);
    const auto chosen = static_cast<std::size_t>(match ? match->row : std::ssize(rows));
    if (match && (chosen >= rows.size() || distance(chosen) >= 1e6)) {
        return "chose a row out of the list, of the other orientation or too far off";
    }
    const double best = match ? distance(chosen) : 1e6;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (distance(i) < best || (match && i < chosen && distance(i) == best)) {
            return "row " + rows[i] + (match ? " beats the chosen " + rows[chosen] : " was not chosen");
        }
    }
    if (match && percentsText(match->horizontal, match->vertical) !=
                     percentsText(100.0 * width / widthOf(rows[chosen]),
                                  100.0 * height / heightOf(rows[chosen]))) {
        return "percentages are not those of the chosen row " + rows[chosen];
    }
    return "";
}

std::string brokenPercentPromise(double value)
{
    const std::string text = percentsText(value, value);
    const std::string number = text.substr(0, text.find('%'));
    if (text != number + "%\r" + number + "%") {
        return "not two numbers with percent signs: " + text;
    }
    const std::size_t point = number.find('.');
    if (number.empty() || number == "-0" ||
        (point != std::string::npos && (number.size() - point > 3 || number.back() == '0'))) {
        return "badly written number: " + number;
    }
    if (std::isfinite(value) && std::fabs(value) < 1e9 &&
        std::fabs(std::strtod(number.c_str(), nullptr) - value) > 0.005 + 1e-6) {
        return "more than half a hundredth off: " + number;
    }
    return "";
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
    for (const std::string& broken : {brokenNamePromise(name, xy[0], xy[1]),
                                      brokenSearchPromise(rows, xy[0], xy[1]),
                                      brokenPercentPromise(percent)}) {
        if (!broken.empty()) {
            std::fprintf(stderr, "broken promise: %s\n", broken.c_str());
            std::abort();
        }
    }
    return 0;
}
