#include "dimensions/dimensions.h"
#include "tests/dimensions/rowname.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace dimensions;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// `before`, then `count` times `c`, then `after`.
std::string run(const char* before, std::size_t count, char c, const char* after)
{
    return std::string(before).append(count, c).append(after);
}

struct ReadRow
{
    const char* label;
    friend void PrintTo(const ReadRow& row, std::ostream* out) { *out << row.label; }
    std::string text;
    double value;
};

class ReadNumberTest : public testing::TestWithParam<ReadRow>
{
};

TEST_P(ReadNumberTest, readsLeadingNumber)
{
    EXPECT_EQ(ReadNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    testing::Values(ReadRow{"empty", "", 0}, ReadRow{"letters", "abc", 0},
                    ReadRow{"leading_zeros", "0050", 50}, ReadRow{"spaces_and_tabs", " \t 42x", 42},
                    ReadRow{"plus", "+7", 7}, ReadRow{"minus", "-7", -7},
                    ReadRow{"sign_alone", "-", 0}, ReadRow{"sign_then_space", "- 7", 0},
                    ReadRow{"fraction", "70.9", 70.9}, ReadRow{"point_first", ".5", 0.5},
                    ReadRow{"point_last", "5.", 5}, ReadRow{"two_points", "1.2.3", 1.2},
                    ReadRow{"no_exponent", "1e3", 1},
                    ReadRow{"twenty_digits", "12345678901234567890", 12345678901234567890.0},
                    ReadRow{"beyond_double", run("", 400, '7', ""), inf},
                    ReadRow{"beyond_double_negative", run("-", 400, '7', ""), -inf},
                    ReadRow{"tiny_fraction", run("0.", 400, '0', "1"), 0},
                    ReadRow{"long_zero_run", run("", 400, '0', "5"), 5}),
    RowName{});

struct IntRow
{
    const char* label;
    friend void PrintTo(const IntRow& row, std::ostream* out) { *out << row.label; }
    double value;
    std::int32_t result;
};

class ToInt32Test : public testing::TestWithParam<IntRow>
{
};

TEST_P(ToInt32Test, dropsFractionAndSaturates)
{
    EXPECT_EQ(ToInt32(GetParam().value), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToInt32Test,
    testing::Values(IntRow{"fraction", 70.9, 70}, IntRow{"negative_fraction", -70.9, -70},
                    IntRow{"below_one", -0.99, 0},
                    IntRow{"just_below_max", 2147483646.9, 2147483646},
                    IntRow{"max_with_fraction", 2147483647.5, 2147483647},
                    IntRow{"past_max", 3e9, 2147483647},
                    IntRow{"min", -2147483648.0, -2147483647 - 1},
                    IntRow{"past_min", -3e9, -2147483647 - 1}, IntRow{"infinity", inf, 2147483647},
                    IntRow{"negative_infinity", -inf, -2147483647 - 1}, IntRow{"nan", nan, 0}),
    RowName{});

struct PercentRow
{
    const char* label;
    friend void PrintTo(const PercentRow& row, std::ostream* out) { *out << row.label; }
    double value;
    std::string text;
};

class FormatPercentTest : public testing::TestWithParam<PercentRow>
{
};

TEST_P(FormatPercentTest, writesPattern)
{
    EXPECT_EQ(FormatPercent(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatPercentTest,
                         testing::Values(PercentRow{"thirds", 1000.0 / 3, "333.33"},
                                         PercentRow{"rounds_up", 5000.0 / 36, "138.89"},
                                         PercentRow{"rounds_down", 7000.0 / 51, "137.25"},
                                         PercentRow{"thousands", 1234.567, "1234.57"},
                                         PercentRow{"one_fraction_digit", 50.5, "50.5"},
                                         PercentRow{"whole_without_point", 100, "100"},
                                         PercentRow{"below_one_leading_zero", 0.5, "0.5"},
                                         PercentRow{"exact_half_away_from_zero", 0.125, "0.13"},
                                         PercentRow{"stored_below_half", 1.005, "1"},
                                         PercentRow{"stored_below_half_2", 2.675, "2.67"},
                                         PercentRow{"stored_above_half", 0.005, "0.01"},
                                         PercentRow{"carry_into_whole", 99.995, "100"},
                                         PercentRow{"carry_all_nines", 999.999, "1000"},
                                         PercentRow{"negative_half", -0.125, "-0.13"},
                                         PercentRow{"negative_to_zero", -0.001, "0"},
                                         PercentRow{"negative_zero", -0.0, "0"},
                                         PercentRow{"zero", 0, "0"},
                                         PercentRow{"huge", 1e20, "100000000000000000000"},
                                         PercentRow{"smallest", 5e-324, "0"},
                                         PercentRow{"infinity", inf, "inf"},
                                         PercentRow{"negative_infinity", -inf, "-inf"},
                                         PercentRow{"not_a_number", nan, "nan"}),
                         RowName{});

} // namespace
