// Feeds arbitrary bytes to the name functions and the number reading, and traps when
// one of their promises breaks.

#include "dimensions/dimensions.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace dimensions;

namespace {

void require(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        c = c == 'X' ? 'x' : c;
    }
    return result;
}

bool isToken(std::string_view token)
{
    const std::size_t x = token.find('x');
    if (x == std::string_view::npos || x == 0 || x + 1 == token.size()) {
        return false;
    }
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (i != x && !isDigit(token[i])) {
            return false;
        }
    }
    return true;
}

void checkName(std::string_view name, std::int32_t x, std::int32_t y)
{
    const std::string token = GetPropName(name);
    const std::string changed = ChangeName(name, x, y);
    require(token.empty() == changed.empty());
    if (token.empty()) {
        return;
    }
    require(isToken(token));
    const std::size_t at = lowered(name).find(token);
    require(at != std::string::npos);
    const std::size_t separator = token.find('x');
    require(changed == std::string(name.substr(0, at)) + std::to_string(x) + name[at + separator] +
                           std::to_string(y) + std::string(name.substr(at + token.size())));
    if (x >= 0 && y >= 0) {
        require(GetPropName(changed) == std::to_string(x) + "x" + std::to_string(y));
    }
    require(GetNum(" " + lowered(name) + " ", static_cast<std::int32_t>(at + separator + 2)) ==
            token);
}

void checkNumbers(std::string_view text)
{
    const double value = ReadNumber(text);
    require(!std::isnan(value));
    require(ReadInt32(text) == ToInt32(value));
    (void)GetPropX(text);
    (void)GetPropY(text);
}

void checkPercent(double value)
{
    const std::string text = FormatPercent(value);
    require(!text.empty() && text != "-0");
    if (std::isfinite(value) && std::fabs(value) < 1e9) {
        require(std::fabs(std::strtod(text.c_str(), nullptr) - value) <= 0.005 + 1e-6);
    }
}

void checkSearch(std::string_view text, std::int32_t X, std::int32_t Y)
{
    std::vector<std::string_view> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        rows.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const std::optional<Match> match = FindClosestRatio(rows, X, Y);
    ClosestRatioSearch search(X, Y);
    for (const std::string_view row : rows) {
        search.consider(row);
    }
    const std::optional<Match> fed = search.result();
    require(match.has_value() == fed.has_value());
    if (match) {
        require(match->R == fed->R && match->R >= 0 &&
                static_cast<std::size_t>(match->R) < rows.size());
        const std::string_view row = rows[static_cast<std::size_t>(match->R)];
        require(GetPropX(row) != 0 && GetPropY(row) != 0);
        require(portrait(GetPropX(row), GetPropY(row)) == portrait(X, Y));
        // The fast reading of plain rows must agree with GetPropX and GetPropY.
        require(match->H == (100.0 * X) / GetPropX(row) && match->V == (100.0 * Y) / GetPropY(row));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first eight bytes choose the numbers; the rest is the text.
    std::int32_t numbers[2] = {1, 1};
    double percent = 0.0;
    if (size >= 8) {
        std::memcpy(numbers, data, 8);
        std::memcpy(&percent, data, 8);
        data += 8;
        size -= 8;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkName(text, numbers[0], numbers[1]);
    checkNumbers(text);
    checkPercent(percent);
    checkSearch(text, numbers[0], numbers[1]);
    return 0;
}
