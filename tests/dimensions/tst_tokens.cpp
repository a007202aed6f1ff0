#include "dimensions/dimensions.h"
#include "tests/dimensions/rowname.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace dimensions;

namespace {

constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();

struct NameRow
{
    const char* label;
    friend void PrintTo(const NameRow& row, std::ostream* out) { *out << row.label; }
    std::string name;
    std::string token;
};

class GetPropNameTest : public testing::TestWithParam<NameRow>
{
};

TEST_P(GetPropNameTest, findsFirstToken)
{
    EXPECT_EQ(GetPropName(GetParam().name), GetParam().token);
}

INSTANTIATE_TEST_SUITE_P(
    Names, GetPropNameTest,
    testing::Values(
        NameRow{"empty", "", ""}, NameRow{"plain", "poster 50x70.pdf", "50x70"},
        NameRow{"upper_case_x", "Poster 50X70.PDF", "50x70"},
        NameRow{"x_of_a_word", "box 50x70", "50x70"},
        NameRow{"two_separators", "50x70x90", "50x70"},
        NameRow{"letter_after_first_x", "a1xb 2x3", "2x3"}, NameRow{"nothing_left", "x50", ""},
        NameRow{"nothing_right", "50x", ""}, NameRow{"spaced", "50 x 70", ""},
        NameRow{"extension_x", "report.docx", ""}, NameRow{"point_stops_left_run", "1.5x2", "5x2"},
        NameRow{"leading_zeros_kept", "0050x0070 final", "0050x0070"},
        NameRow{"at_start", "12x34.jpg", "12x34"}, NameRow{"at_end", "poster 12x34", "12x34"},
        NameRow{"whole_name", "1x2", "1x2"}, NameRow{"hex_like", "0x1f", "0x1"},
        NameRow{"later_token_ignored", "10x20 and 30x40", "10x20"},
        NameRow{"accents_beside", "é50x70é", "50x70"},
        NameRow{"arabic_digit_left", "٣50x70", "50x70"}, NameRow{"arabic_digit_only", "٣x٣", ""},
        NameRow{"multiplication_sign", "50×70", ""}, NameRow{"fullwidth_x", "50ｘ70", ""},
        NameRow{"fullwidth_digit_left", "５0x70", "0x70"},
        NameRow{"fullwidth_digit_right", "50x7０", "50x7"},
        NameRow{"long_runs_kept", "a 123456789012345x67890123456789 b",
                "123456789012345x67890123456789"}),
    RowName{});

struct ChangeRow
{
    const char* label;
    friend void PrintTo(const ChangeRow& row, std::ostream* out) { *out << row.label; }
    std::string name;
    std::int32_t x;
    std::int32_t y;
    std::string result;
};

class ChangeNameTest : public testing::TestWithParam<ChangeRow>
{
};

TEST_P(ChangeNameTest, replacesFirstToken)
{
    const ChangeRow& row = GetParam();
    EXPECT_EQ(ChangeName(row.name, row.x, row.y), row.result);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ChangeNameTest,
    testing::Values(ChangeRow{"plain", "poster 50x70.pdf", 60, 80, "poster 60x80.pdf"},
                    ChangeRow{"upper_case_kept", "Flyer_21X29.indd", 30, 42, "Flyer_30X42.indd"},
                    ChangeRow{"leading_zeros_replaced", "050x070.tif", 5, 7, "5x7.tif"},
                    ChangeRow{"whole_name", "50x70", 100, 140, "100x140"},
                    ChangeRow{"x_of_a_word", "box 5x7 final.pdf", 6, 8, "box 6x8 final.pdf"},
                    ChangeRow{"only_first", "10x20 and 30x40.pdf", 1, 2, "1x2 and 30x40.pdf"},
                    ChangeRow{"two_separators", "50x70x90.pdf", 1, 2, "1x2x90.pdf"},
                    ChangeRow{"point_ends_left_run", "a1.5x70.pdf", 60, 80, "a1.60x80.pdf"},
                    ChangeRow{"same_numbers", "50x70.pdf", 50, 70, "50x70.pdf"},
                    ChangeRow{"zero", "50x70.pdf", 0, 0, "0x0.pdf"},
                    ChangeRow{"negative", "a 50x70", -5, -7, "a -5x-7"},
                    ChangeRow{"limits", "50x70", intMin, intMax, "-2147483648x2147483647"},
                    ChangeRow{"accents_beside", "Größe_é21X29é.pdf", 3, 4, "Größe_é3X4é.pdf"},
                    ChangeRow{"multiplication_sign_first", "5×7 8x9", 1, 2, "5×7 1x2"},
                    ChangeRow{"nothing_left", "x50.pdf", 1, 2, ""},
                    ChangeRow{"nothing_right", "50x.pdf", 1, 2, ""},
                    ChangeRow{"no_x", "photo.jpg", 1, 2, ""},
                    ChangeRow{"x_last", "photo 5x", 1, 2, ""}, ChangeRow{"empty", "", 1, 2, ""}),
    RowName{});

struct SizeRow
{
    const char* label;
    friend void PrintTo(const SizeRow& row, std::ostream* out) { *out << row.label; }
    std::string token;
    std::int32_t width;
    std::int32_t height;
};

class GetPropTest : public testing::TestWithParam<SizeRow>
{
};

TEST_P(GetPropTest, readsWidthAndHeight)
{
    const SizeRow& row = GetParam();
    EXPECT_EQ(GetPropX(row.token), row.width);
    EXPECT_EQ(GetPropY(row.token), row.height);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, GetPropTest,
    testing::Values(SizeRow{"plain", "50x70", 50, 70},
                    SizeRow{"leading_zeros", "0050x0070", 50, 70},
                    SizeRow{"upper_case_x", "21X30", 21, 30}, SizeRow{"several_x", "1x2x3", 1, 3},
                    SizeRow{"zero_width", "0x70", 0, 70},
                    SizeRow{"no_x_reads_all", "1234", 1234, 1234}, SizeRow{"empty", "", 0, 0},
                    SizeRow{"only_x", "x", 0, 0},
                    SizeRow{"eleven_digits", "99999999999x99999999999", intMax, intMax},
                    SizeRow{"just_past_limit", "2147483648x2147483647", intMax, intMax},
                    SizeRow{"negative_saturates", "-99999999999x-2147483649", intMin, intMin},
                    SizeRow{"hundreds_of_digits", std::string(400, '9') + "x1", intMax, 1},
                    SizeRow{"fractions_dropped", "70.9x-70.9", 70, -70},
                    SizeRow{"spaces_skipped", " \t7x 8", 7, 8}),
    RowName{});

struct GetNumRow
{
    const char* label;
    friend void PrintTo(const GetNumRow& row, std::ostream* out) { *out << row.label; }
    std::string s;
    std::int32_t p;
    std::string token;
};

class GetNumTest : public testing::TestWithParam<GetNumRow>
{
};

TEST_P(GetNumTest, cutsAroundPosition)
{
    EXPECT_EQ(GetNum(GetParam().s, GetParam().p), GetParam().token);
}

INSTANTIATE_TEST_SUITE_P(Positions, GetNumTest,
                         testing::Values(GetNumRow{"padded", " 50x70 ", 4, "50x70"},
                                         GetNumRow{"no_digit_right", " 50xa ", 4, ""},
                                         GetNumRow{"unpadded_stops_at_ends", "50x70", 3, "50x70"},
                                         GetNumRow{"first_position", "x5", 1, ""},
                                         GetNumRow{"last_position", "5x", 2, ""},
                                         GetNumRow{"zero", "5x7", 0, ""},
                                         GetNumRow{"negative", "5x7", -3, ""},
                                         GetNumRow{"past_end", "5x7", 40, ""}),
                         RowName{});

} // namespace
