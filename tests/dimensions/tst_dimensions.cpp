#include "dimensions/dimensions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

using namespace dimensions;

// In fuzz_names.cpp, shared with the fuzz target.
bool namePromisesHold(const std::string& name, std::int32_t x, std::int32_t y);
bool searchPromisesHold(std::span<const std::string> rows, std::int32_t X, std::int32_t Y);

namespace {

constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
constexpr double inf = std::numeric_limits<double>::infinity();

static_assert(portrait(50, 70) && !portrait(70, 50) && !portrait(50, 50));

// clang-format off
TEST(Tokens, GetPropNameFindsFirstToken)
{
    const struct { const char* label; std::string name, token; } rows[] = {
        {"empty", "", ""}, {"plain", "poster 50x70.pdf", "50x70"}, {"upper case x", "Poster 50X70.PDF", "50x70"},
        {"x of a word", "box 50x70", "50x70"}, {"two separators", "50x70x90", "50x70"}, {"letter after first x", "a1xb 2x3", "2x3"},
        {"nothing left", "x50", ""}, {"nothing right", "50x", ""}, {"spaced", "50 x 70", ""}, {"extension x", "report.docx", ""},
        {"point stops left run", "1.5x2", "5x2"}, {"leading zeros kept", "0050x0070 final", "0050x0070"},
        {"at start", "12x34.jpg", "12x34"}, {"hex like", "0x1f", "0x1"}, {"accents beside", "é50x70é", "50x70"},
        {"arabic digit left", "٣50x70", "50x70"}, {"multiplication sign", "50×70", ""}, {"fullwidth x", "50ｘ70", ""},
        {"fullwidth digit left", "５0x70", "0x70"}, {"long runs kept", "a 123456789012345x67890123456789 b", "123456789012345x67890123456789"},
    };
    for (const auto& r : rows) { EXPECT_EQ(GetPropName(r.name), r.token) << r.label; }
}

TEST(Tokens, ChangeNameReplacesFirstToken)
{
    const struct { const char* label; std::string name; std::int32_t x, y; std::string result; } rows[] = {
        {"plain", "poster 50x70.pdf", 60, 80, "poster 60x80.pdf"}, {"upper case kept", "Flyer_21X29.indd", 30, 42, "Flyer_30X42.indd"},
        {"leading zeros replaced", "050x070.tif", 5, 7, "5x7.tif"}, {"whole name", "50x70", 100, 140, "100x140"},
        {"x of a word", "box 5x7 final.pdf", 6, 8, "box 6x8 final.pdf"}, {"only first", "10x20 and 30x40.pdf", 1, 2, "1x2 and 30x40.pdf"},
        {"two separators", "50x70x90.pdf", 1, 2, "1x2x90.pdf"}, {"point ends left run", "a1.5x70.pdf", 60, 80, "a1.60x80.pdf"},
        {"negative", "a 50x70", -5, intMin, "a -5x-2147483648"}, {"accents beside", "Größe_é21X29é.pdf", 3, 4, "Größe_é3X4é.pdf"},
        {"multiplication sign first", "5×7 8x9", 1, 2, "5×7 1x2"}, {"nothing left", "x50.pdf", 1, 2, ""},
        {"nothing right", "50x.pdf", 1, 2, ""}, {"no x", "photo.jpg", 1, 2, ""}, {"empty", "", 1, 2, ""},
    };
    for (const auto& r : rows) { EXPECT_EQ(ChangeName(r.name, r.x, r.y), r.result) << r.label; }
}

TEST(Tokens, GetPropXAndYReadTheRuns)
{
    const struct { const char* label; std::string token; std::int32_t width, height; } rows[] = {
        {"plain", "50x70", 50, 70}, {"leading zeros", "0050x0070", 50, 70}, {"several x", "1x2x3", 1, 3},
        {"no x reads all", "1234", 1234, 1234}, {"eleven digits saturate", "99999999999x99999999999", intMax, intMax},
        {"just past limit", "2147483648x2147483647", intMax, intMax}, {"negative saturates", "-99999999999x-2147483649", intMin, intMin},
        {"fractions dropped", "70.9x-70.9", 70, -70},
    };
    for (const auto& r : rows) { EXPECT_EQ(std::pair(GetPropX(r.token), GetPropY(r.token)), std::pair(r.width, r.height)) << r.label; }
}

TEST(Tokens, GetNumStaysInsideText)
{
    const struct { const char* label; std::string_view s; std::int32_t p; std::string token; } rows[] = {
        {"padded", " 50x70 ", 4, "50x70"}, {"unpadded stops at ends", "50x70", 3, "50x70"}, {"first position", "x5", 1, ""},
        {"last position, digit beyond the text", std::string_view("5x7", 2), 2, ""}, {"negative", "5x7", -3, ""}, {"past end", "5x7", 40, ""},
    };
    for (const auto& r : rows) { EXPECT_EQ(GetNum(r.s, r.p), r.token) << r.label; }
}

TEST(Numbers, ReadNumberAndReadInt32)
{
    const struct { const char* label; std::string text; double value; std::int32_t whole; } rows[] = {
        {"empty", "", 0, 0}, {"not a number", "abc", 0, 0}, {"leading zeros", "0050", 50, 50}, {"spaces and tabs", " \t 42x", 42, 42},
        {"plus", "+7", 7, 7}, {"sign alone", "-", 0, 0}, {"fraction", "70.9", 70.9, 70}, {"negative fraction", "-70.9", -70.9, -70},
        {"point first", ".5", 0.5, 0}, {"no exponent", "1e3", 1, 1}, {"past max", "3000000000", 3e9, intMax},
        {"min", "-2147483648", -2147483648.0, intMin}, {"past min", "-3000000000", -3e9, intMin},
        {"twenty digits", "12345678901234567890", 12345678901234567890.0, intMax},
        {"beyond double", std::string(400, '7'), inf, intMax}, {"beyond double negative", "-" + std::string(400, '7'), -inf, intMin},
        {"tiny fraction", "0." + std::string(400, '0') + "1", 0, 0},
    };
    for (const auto& r : rows) { EXPECT_EQ(std::pair(ReadNumber(r.text), ReadInt32(r.text)), std::pair(r.value, r.whole)) << r.label; }
    EXPECT_EQ(ToInt32(std::nan("")), 0);
}

TEST(Numbers, FormatPercentWritesPattern)
{
    const struct { const char* label; double value; const char* text; } rows[] = {
        {"thirds", 1000.0 / 3, "333.33"}, {"rounds up", 5000.0 / 36, "138.89"}, {"rounds down", 7000.0 / 51, "137.25"},
        {"thousands", 1234.567, "1234.57"}, {"one fraction digit", 50.5, "50.5"}, {"whole without point", 100, "100"},
        {"below one with leading zero", 0.5, "0.5"}, {"exact half away from zero", 0.125, "0.13"},
        {"stored just below half", 1.005, "1"}, {"stored just above half", 0.005, "0.01"}, {"carry into whole part", 99.995, "100"},
        {"negative half", -0.125, "-0.13"}, {"negative rounding to zero", -0.001, "0"}, {"infinity", inf, "inf"}, {"not a number", std::nan(""), "nan"},
    };
    for (const auto& r : rows) { EXPECT_EQ(FormatPercent(r.value), r.text) << r.label; }
}

TEST(ClosestRatio, choosesRowAndPercents)
{
    const std::string none(RestingText);
    const struct { const char* label; std::vector<std::string> rows; std::int32_t X, Y, R; std::string text; } cases[] = {
        {"equal ratio, first wins", {"50x70", "21x30", "120x80", "14x20"}, 70, 100, 1, "333.33%\r333.33%"},
        {"closest portrait", {"30x40", "36x51"}, 50, 70, 1, "138.89%\r137.25%"},
        {"square target skips portrait", {"40x60", "60x50"}, 50, 50, 1, "83.33%\r100%"},
        {"square row is not portrait", {"30x40", "40x40"}, 60, 50, 1, "150%\r125%"},
        {"only other orientation", {"120x80", "50x50"}, 60, 90, -1, none},
        {"no rows", {}, 50, 70, -1, none},
        {"at ceiling", {"1x3000000", "1x1000002"}, 1, 2, -1, none},
        {"below ceiling", {"1x1000001"}, 1, 2, 0, "100%\r0%"},
        {"zero width skipped", {"0x70", "35x70"}, 1, 2, 1, "2.86%\r2.86%"},
        {"tie keeps first", {"20x40", "10x20", "5x10"}, 1, 2, 0, "5%\r5%"},
        {"negative width", {"50x70", "21x30"}, -70, 100, 0, "-140%\r142.86%"},
        {"negative height", {"80x60"}, 70, -100, 0, "87.5%\r-166.67%"},
        {"zero target", {"50x70"}, 0, 70, -1, none},
        {"upper case and padding", {"30X40", " 36x51 "}, 50, 70, 1, "138.89%\r137.25%"},
        {"row without x reads whole", {"40.60", "20x31"}, 2, 3, 1, "10%\r9.68%"},
        {"long runs saturate", {"10000000000x30000000000", "4x3"}, 1, 1, 0, "0%\r0%"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string_view> views(c.rows.begin(), c.rows.end());
        for (const std::optional<Match>& m : {FindClosestRatio(c.rows, c.X, c.Y), FindClosestRatio(views, c.X, c.Y)}) {
            EXPECT_EQ(std::pair(m ? m->R : -1, m ? PercentsText(m->H, m->V) : none), std::pair(c.R, c.text)) << c.label;
        }
    }
    // clang-format on
}

// Names mixing digit runs, separators and multi-byte look-alikes, the same on every run.
struct Names
{
    std::mt19937_64 engine{20240607u};
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); }
    // 1 to 12 digits, leading zeros included.
    std::string digits() { return std::to_string(engine() | 1ULL << 63).substr(pick(7, 18)); }
    std::string name()
    {
        static const char* const pieces[] = {"x", "X", "×", "ｘ", "é",   "٣",    "５",
                                             " ", ".", "_", "-",  "box", ".pdf", "Poster"};
        std::string text;
        for (int i = pick(0, 8); i > 0; --i) {
            text += pick(0, 2) == 0 ? pieces[pick(0, 13)] : digits();
        }
        return text;
    }
    std::string row() { return pick(0, 3) == 0 ? GetPropName(name()) : digits() + "x" + digits(); }
};

TEST(Properties, generatedNamesAndListsKeepThePromises)
{
    Names names;
    for (int i = 0; i < 20000; ++i) {
        const std::string name = names.name();
        EXPECT_TRUE(namePromisesHold(name, names.pick(-99, intMax), names.pick(-9, 99))) << name;
        std::vector<std::string> rows(static_cast<std::size_t>(names.pick(0, 12)));
        std::ranges::generate(rows, [&] { return names.row(); });
        EXPECT_TRUE(searchPromisesHold(rows, names.pick(-50, 50) | 1, names.pick(1, 100)))
            << testing::PrintToString(rows);
    }
}

} // namespace
