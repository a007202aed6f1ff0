#include "dimensions/dimensions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace dimensions {

namespace {

std::int32_t saturatedInt32(double value)
{
    constexpr double Lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double Highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, Lowest, Highest));
}

} // namespace

std::string percentNumber(double value)
{
    // to_chars would write a sign on some NaNs.
    if (std::isnan(value)) {
        return "nan";
    }
    const double magnitude = std::fabs(value);
    // Room for the 309 whole digits of the largest double, the point and three more.
    std::array<char, 320> buffer;
    // An odd number of eighths lies exactly halfway between two hundredths, where
    // to_chars would round to even. Three decimals write it exactly, and it ends in
    // .125, .375, .625 or .875, so going away from zero is one step of the second
    // decimal and never carries.
    const bool halfway = std::fmod(8 * magnitude, 2.0) == 1.0;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::fixed, halfway ? 3 : 2);
    std::string text(buffer.data(), written.ptr);
    if (halfway) {
        text.pop_back();
        ++text.back();
    }
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return std::signbit(value) && text != "0" ? "-" + text : text;
}

std::int32_t readInt32(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    const char* const first = text.data();
    const char* const last = first + text.size();
    // Unsigned, so that from_chars takes no second sign.
    std::uint64_t number = 0;
    const std::from_chars_result whole = std::from_chars(first, last, number);
    double value = whole.ec == std::errc::result_out_of_range
                       ? std::numeric_limits<double>::infinity()
                       : static_cast<double>(number);
    if (std::string_view(whole.ptr, last).starts_with('.')) {
        // Read with its fraction as a double, a number just below the next whole one
        // rounds up to it ("6.99999999999999999" reads 7), as it always has. The fixed
        // format takes no exponent. When the double is out of range, the whole part
        // already holds the answer: an overflow, or zero for a fraction too tiny to keep.
        double withFraction = 0.0;
        if (std::from_chars(first, last, withFraction, std::chars_format::fixed).ec == std::errc{}) {
            value = withFraction;
        }
    }
    return saturatedInt32(negative ? -value : value);
}

} // namespace dimensions
