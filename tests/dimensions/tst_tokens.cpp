#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "dimensions/dimensions.h"

using namespace dimensions;

namespace {

constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();

// clang-format off
TEST(Tokens, GetPropNameFindsFirstToken)
{
    const struct { const char* label; std::string name, token; } rows[] = {
        {"empty", "", ""}, {"plain", "poster 50x70.pdf", "50x70"},
        {"upper case x", "Poster 50X70.PDF", "50x70"}, {"x of a word", "box 50x70", "50x70"},
        {"two separators", "50x70x90", "50x70"}, {"letter after first x", "a1xb 2x3", "2x3"},
        {"nothing left", "x50", ""}, {"nothing right", "50x", ""}, {"spaced", "50 x 70", ""},
        {"extension x", "report.docx", ""}, {"point stops left run", "1.5x2", "5x2"},
        {"leading zeros kept", "0050x0070 final", "0050x0070"}, {"hex like", "0x1f", "0x1"},
        {"at start", "12x34.jpg", "12x34"}, {"at end", "poster 12x34", "12x34"},
        {"accents beside", "é50x70é", "50x70"}, {"arabic digit left", "٣50x70", "50x70"},
        {"multiplication sign", "50×70", ""}, {"fullwidth x", "50ｘ70", ""},
        {"fullwidth digit left", "５0x70", "0x70"},
        {"long runs kept", "a 123456789012345x67890123456789 b", "123456789012345x67890123456789"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(GetPropName(row.name), row.token);
    }
}

TEST(Tokens, ChangeNameReplacesFirstToken)
{
    const struct { const char* label; std::string name; std::int32_t x, y; std::string result; } rows[] = {
        {"plain", "poster 50x70.pdf", 60, 80, "poster 60x80.pdf"},
        {"upper case kept", "Flyer_21X29.indd", 30, 42, "Flyer_30X42.indd"},
        {"leading zeros replaced", "050x070.tif", 5, 7, "5x7.tif"},
        {"whole name", "50x70", 100, 140, "100x140"},
        {"x of a word", "box 5x7 final.pdf", 6, 8, "box 6x8 final.pdf"},
        {"only first", "10x20 and 30x40.pdf", 1, 2, "1x2 and 30x40.pdf"},
        {"two separators", "50x70x90.pdf", 1, 2, "1x2x90.pdf"},
        {"point ends left run", "a1.5x70.pdf", 60, 80, "a1.60x80.pdf"},
        {"same numbers", "50x70.pdf", 50, 70, "50x70.pdf"},
        {"negative", "a 50x70", -5, intMin, "a -5x-2147483648"},
        {"accents beside", "Größe_é21X29é.pdf", 3, 4, "Größe_é3X4é.pdf"},
        {"multiplication sign first", "5×7 8x9", 1, 2, "5×7 1x2"},
        {"nothing left", "x50.pdf", 1, 2, ""}, {"nothing right", "50x.pdf", 1, 2, ""},
        {"no x", "photo.jpg", 1, 2, ""}, {"x last", "photo 5x", 1, 2, ""}, {"empty", "", 1, 2, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(ChangeName(row.name, row.x, row.y), row.result);
    }
}

TEST(Tokens, GetPropXAndYReadTheRuns)
{
    const struct { const char* label; std::string token; std::int32_t width, height; } rows[] = {
        {"plain", "50x70", 50, 70}, {"leading zeros", "0050x0070", 50, 70},
        {"several x", "1x2x3", 1, 3}, {"no x reads all", "1234", 1234, 1234}, {"empty", "", 0, 0},
        {"eleven digits saturate", "99999999999x99999999999", intMax, intMax},
        {"just past limit", "2147483648x2147483647", intMax, intMax},
        {"negative saturates", "-99999999999x-2147483649", intMin, intMin},
        {"hundreds of digits", std::string(400, '9').append("x1"), intMax, 1},
        {"fractions dropped", "70.9x-70.9", 70, -70},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(GetPropX(row.token), row.width);
        EXPECT_EQ(GetPropY(row.token), row.height);
    }
}

TEST(Tokens, GetNumStaysInsideText)
{
    const struct { const char* label; std::string s; std::int32_t p; std::string token; } rows[] = {
        {"padded", " 50x70 ", 4, "50x70"}, {"unpadded stops at ends", "50x70", 3, "50x70"},
        {"first position", "x5", 1, ""}, {"negative", "5x7", -3, ""}, {"past end", "5x7", 40, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(GetNum(row.s, row.p), row.token);
    }
}
// clang-format on

} // namespace
