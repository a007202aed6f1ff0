#include "dimensions/dimensions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

namespace dimensions {

namespace {

// Up to this many digits an integer is exact in a double, so it can be built directly.
constexpr std::size_t exactDigits = 15;

// True when some digit of the run is not '0'.
bool hasNonZeroDigit(std::string_view digits)
{
    for (const char c : digits) {
        if (c != '0') {
            return true;
        }
    }
    return false;
}

} // namespace

double ReadNumber(std::string_view text)
{
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t intBegin = i;
    std::uint64_t whole = 0;
    while (i < n && isDigit(text[i])) {
        whole = whole * 10 + static_cast<std::uint64_t>(text[i] - '0');
        ++i;
    }
    const std::size_t intEnd = i;
    std::size_t end = intEnd;
    if (i + 1 < n && text[i] == '.' && isDigit(text[i + 1])) {
        i += 2;
        while (i < n && isDigit(text[i])) {
            ++i;
        }
        end = i;
    }
    if (end == intBegin) {
        return 0.0;
    }
    if (end == intEnd && intEnd - intBegin <= exactDigits) {
        const double value = static_cast<double>(whole);
        return negative ? -value : value;
    }
    // Long runs and fractions: from_chars rounds correctly, which no digit loop does.
    double value = 0.0;
    const char* first = text.data() + intBegin;
    const auto [ptr, ec] = std::from_chars(first, text.data() + end, value);
    if (ec == std::errc::result_out_of_range) {
        value = hasNonZeroDigit(text.substr(intBegin, intEnd - intBegin))
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t ToInt32(double value)
{
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(highest)) {
        return highest;
    }
    if (value <= static_cast<double>(lowest)) {
        return lowest;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t ReadInt32(std::string_view text)
{
    return ToInt32(ReadNumber(text));
}

std::string FormatPercent(double value)
{
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    // A double's exact binary value has at most 1074 fraction digits, so this prints it
    // without any rounding, and the halfway test below sees the true value.
    constexpr int exactPrecision = 1074;
    std::array<char, 1400> buffer{};
    const int length =
        std::snprintf(buffer.data(), buffer.size(), "%.*f", exactPrecision, std::fabs(value));
    const std::string_view exact(buffer.data(), static_cast<std::size_t>(length));
    const std::size_t point = exact.find('.');

    // Keep the whole part and two fraction digits, then round on the third digit: on an
    // exact value, a third digit of 5 or more is at or above halfway.
    std::string digits(exact.substr(0, point));
    digits += exact.substr(point + 1, 2);
    if (exact[point + 3] >= '5') {
        std::size_t k = digits.size();
        while (k > 0 && digits[k - 1] == '9') {
            digits[--k] = '0';
        }
        if (k == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[k - 1];
        }
    }
    std::string whole = digits.substr(0, digits.size() - 2);
    std::string fraction = digits.substr(digits.size() - 2);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    const bool zero = whole == "0" && fraction.empty();
    std::string text = (value < 0 && !zero) ? "-" + whole : whole;
    if (!fraction.empty()) {
        text += '.';
        text += fraction;
    }
    return text;
}

} // namespace dimensions
