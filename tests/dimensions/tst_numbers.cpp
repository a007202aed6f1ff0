#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "dimensions/dimensions.h"

using namespace dimensions;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

std::string repeated(const char* before, std::size_t count, char c, const char* after)
{
    return std::string(before).append(count, c).append(after);
}

// clang-format off
TEST(Numbers, ReadNumberReadsLeadingNumber)
{
    const struct { const char* label; std::string text; double value; } rows[] = {
        {"empty", "", 0}, {"leading zeros", "0050", 50}, {"spaces and tabs", " \t 42x", 42},
        {"plus", "+7", 7}, {"minus", "-7", -7}, {"sign alone", "-", 0},
        {"fraction", "70.9", 70.9}, {"point first", ".5", 0.5}, {"no exponent", "1e3", 1},
        {"twenty digits", "12345678901234567890", 12345678901234567890.0},
        {"beyond double", repeated("", 400, '7', ""), inf},
        {"beyond double negative", repeated("-", 400, '7', ""), -inf},
        {"tiny fraction", repeated("0.", 400, '0', "1"), 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(ReadNumber(row.text), row.value);
    }
}

TEST(Numbers, ToInt32DropsFractionAndSaturates)
{
    constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
    const struct { const char* label; double value; std::int32_t result; } rows[] = {
        {"fraction", 70.9, 70}, {"negative fraction", -70.9, -70}, {"past max", 3e9, intMax},
        {"min", -2147483648.0, intMin}, {"past min", -3e9, intMin}, {"infinity", inf, intMax},
        {"nan", nan, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(ToInt32(row.value), row.result);
    }
}

TEST(Numbers, FormatPercentWritesPattern)
{
    const struct { const char* label; double value; const char* text; } rows[] = {
        {"thirds", 1000.0 / 3, "333.33"}, {"rounds up", 5000.0 / 36, "138.89"},
        {"rounds down", 7000.0 / 51, "137.25"}, {"thousands", 1234.567, "1234.57"},
        {"one fraction digit", 50.5, "50.5"}, {"whole without point", 100, "100"},
        {"below one with leading zero", 0.5, "0.5"}, {"exact half away from zero", 0.125, "0.13"},
        {"stored just below half", 1.005, "1"}, {"stored just above half", 0.005, "0.01"},
        {"carry into whole part", 99.995, "100"}, {"negative half", -0.125, "-0.13"},
        {"negative rounding to zero", -0.001, "0"}, {"infinity", inf, "inf"}, {"not a number", nan, "nan"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(FormatPercent(row.value), row.text);
    }
}
// clang-format on

} // namespace
