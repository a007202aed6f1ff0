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
std::string brokenNamePromise(const std::string& name, std::int32_t width, std::int32_t height);
std::string brokenSearchPromise(std::span<const std::string> rows, std::int32_t width, std::int32_t height);
std::string brokenPercentPromise(double value);

namespace {

constexpr std::int32_t intMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t intMin = std::numeric_limits<std::int32_t>::min();
constexpr double inf = std::numeric_limits<double>::infinity();

// clang-format off
TEST(Tokens, findSizeTokenTakesTheFirst)
{
    const struct { const char* label; std::string_view name; std::string token; } rows[] = {
        {"empty", "", ""}, {"plain", "poster 50x70.pdf", "50x70"}, {"upper case x", "Poster 50X70.PDF", "50x70"},
        {"x of a word", "box 50x70", "50x70"}, {"two separators", "50x70x90", "50x70"}, {"letter after first x", "a1xb 2x3", "2x3"},
        {"letter before first x", "box5 2x3", "2x3"}, {"digit just past the end of a view", std::string_view("5x7", 2), ""},
        {"nothing left", "x50", ""}, {"nothing right", "50x", ""}, {"spaced", "50 x 70", ""}, {"extension x", "report.docx", ""},
        {"shortest", "1x2", "1x2"}, {"point stops left run", "1.5x2", "5x2"}, {"leading zeros kept", "0050x0070 final", "0050x0070"},
        {"hex like", "0x1f", "0x1"}, {"accents beside", "é50x70é", "50x70"}, {"arabic digit left", "٣50x70", "50x70"},
        {"multiplication sign", "50×70", ""}, {"fullwidth x", "50ｘ70", ""}, {"fullwidth digit left", "５0x70", "0x70"},
        {"long runs kept", "a 123456789012345x67890123456789 b", "123456789012345x67890123456789"},
    };
    for (const auto& r : rows) { EXPECT_EQ(findSizeToken(r.name), r.token) << r.label; }
}

TEST(Tokens, renamedForSizeReplacesTheFirst)
{
    const struct { const char* label; std::string name; std::int32_t width, height; std::string result; } rows[] = {
        {"plain", "poster 50x70.pdf", 60, 80, "poster 60x80.pdf"}, {"upper case kept", "Flyer_21X29.indd", 30, 42, "Flyer_30X42.indd"},
        {"leading zeros replaced", "050x070.tif", 5, 7, "5x7.tif"}, {"whole name", "50x70", 100, 140, "100x140"},
        {"only first", "10x20 and 30x40.pdf", 1, 2, "1x2 and 30x40.pdf"}, {"two separators", "50x70x90.pdf", 1, 2, "1x2x90.pdf"},
        {"point ends left run", "a1.5x70.pdf", 60, 80, "a1.60x80.pdf"}, {"negative", "a 50x70", -5, intMin, "a -5x-2147483648"},
        {"accents beside", "Größe_é21X29é.pdf", 3, 4, "Größe_é3X4é.pdf"}, {"multiplication sign first", "5×7 8x9", 1, 2, "5×7 1x2"},
        {"nothing left", "x50.pdf", 1, 2, ""}, {"nothing right", "50x.pdf", 1, 2, ""}, {"no x", "photo.jpg", 1, 2, ""},
    };
    for (const auto& r : rows) { EXPECT_EQ(renamedForSize(r.name, r.width, r.height), r.result) << r.label; }
}

TEST(Numbers, widthOfAndHeightOfReadTheHalves)
{
    const struct { const char* label; std::string token; std::int32_t width, height; } rows[] = {
        {"plain", "50x70", 50, 70}, {"upper case", "50X70", 50, 70}, {"leading zeros", "0050x0070", 50, 70},
        {"several x", "1x2x3", 1, 3}, {"no x reads all", "1234", 1234, 1234}, {"eleven digits saturate", "99999999999x99999999999", intMax, intMax},
        {"just past limit", "2147483648x2147483647", intMax, intMax}, {"negative saturates", "-99999999999x-2147483649", intMin, intMin},
        {"fractions dropped", "70.9x-70.9", 70, -70},
    };
    for (const auto& r : rows) { EXPECT_EQ(std::pair(widthOf(r.token), heightOf(r.token)), std::pair(r.width, r.height)) << r.label; }
}

TEST(Numbers, readInt32)
{
    const struct { const char* label; std::string text; std::int32_t value; } rows[] = {
        {"empty", "", 0}, {"not a number", "abc", 0}, {"leading zeros", "0050", 50}, {"spaces and tabs", " \t 42x", 42},
        {"newline is not skipped", "\n42", 0}, {"plus", "+7", 7}, {"sign alone", "-", 0}, {"two signs", "--7", 0},
        {"fraction", "70.9", 70}, {"negative fraction", "-70.9", -70}, {"point first", ".5", 0}, {"point last", "7.", 7},
        {"fraction close to one rounds up", "6.99999999999999999", 7}, {"no exponent", "1e3", 1}, {"no infinity", "inf", 0},
        {"max", "2147483647", intMax}, {"below max", "2147483646.9", 2147483646}, {"past max", "3000000000", intMax},
        {"min", "-2147483648", intMin}, {"past min", "-3000000000.5", intMin}, {"twenty digits", "12345678901234567890", intMax},
        {"beyond double", std::string(400, '7'), intMax}, {"beyond double negative", "-" + std::string(400, '7'), intMin},
        {"beyond double after zeros", std::string(400, '0') + std::string(400, '7'), intMax},
        {"tiny fraction", "0." + std::string(400, '0') + "1", 0},
    };
    for (const auto& r : rows) { EXPECT_EQ(readInt32(r.text), r.value) << r.label; }
}

TEST(Numbers, percentsTextRoundsToHundredths)
{
    const struct { const char* label; double horizontal, vertical; const char* text; } rows[] = {
        {"thirds", 1000.0 / 3, 2000.0 / 3, "333.33%\r666.67%"}, {"thousands", 1234.567, 5000.0 / 36, "1234.57%\r138.89%"},
        {"one fraction digit, whole", 50.5, 100, "50.5%\r100%"}, {"below one with leading zero", 0.5, 0.07, "0.5%\r0.07%"},
        {"exact halves away from zero", 0.125, 2.375, "0.13%\r2.38%"}, {"negative exact halves", -0.625, -1e6 - 0.875, "-0.63%\r-1000000.88%"},
        {"stored just below and above half", 1.005, 0.005, "1%\r0.01%"}, {"carry into whole part", 99.995, 9.999, "100%\r10%"},
        {"negative rounding to zero", -0.001, -0.0, "0%\r0%"}, {"large exact half", 35184372088832.125, 1e20, "35184372088832.13%\r100000000000000000000%"},
        {"infinities and nan", inf, -inf, "inf%\r-inf%"}, {"not a number", std::nan(""), 0, "nan%\r0%"},
    };
    for (const auto& r : rows) { EXPECT_EQ(percentsText(r.horizontal, r.vertical), r.text) << r.label; }
}

TEST(ClosestRatio, choosesRowAndPercents)
{
    const std::string none(restingText);
    const struct { const char* label; std::vector<std::string> rows; std::int32_t width, height, row; std::string text; } cases[] = {
        {"equal ratio, first wins", {"50x70", "21x30", "120x80", "14x20"}, 70, 100, 1, "333.33%\r333.33%"},
        {"closest portrait", {"30x40", "36x51"}, 50, 70, 1, "138.89%\r137.25%"},
        {"closest first", {"36x51", "30x40"}, 50, 70, 0, "138.89%\r137.25%"},
        {"square target skips portrait", {"40x60", "60x50"}, 50, 50, 1, "83.33%\r100%"},
        {"square row is not portrait", {"30x40", "40x40"}, 60, 50, 1, "150%\r125%"},
        {"only other orientation", {"120x80", "50x50"}, 60, 90, -1, none},
        {"no rows", {}, 50, 70, -1, none},
        {"at ceiling", {"1x3000000", "1x1000002"}, 1, 2, -1, none},
        {"below ceiling", {"1x1000001"}, 1, 2, 0, "100%\r0%"},
        {"zero width skipped", {"0x70", "35x70"}, 1, 2, 1, "2.86%\r2.86%"},
        {"zero height skipped", {"70x0", "70x35"}, 100, 1, 1, "142.86%\r2.86%"},
        {"tie keeps first", {"20x40", "10x20", "5x10"}, 1, 2, 0, "5%\r5%"},
        {"negative width", {"50x70", "21x30"}, -70, 100, 0, "-140%\r142.86%"},
        {"negative height", {"80x60"}, 70, -100, 0, "87.5%\r-166.67%"},
        {"zero target width", {"50x70"}, 0, 70, -1, none},
        {"zero target height", {"70x50"}, 70, 0, -1, none},
        {"upper case and padding", {"30X40", " 36x51 "}, 50, 70, 1, "138.89%\r137.25%"},
        {"row without x reads whole", {"40.60", "20x31"}, 2, 3, 1, "10%\r9.68%"},
        {"long runs saturate", {"10000000000x30000000000", "4x3"}, 1, 1, 0, "0%\r0%"},
    };
    for (const auto& c : cases) {
        const std::optional<Match> m = findClosestRatio(c.rows, c.width, c.height);
        EXPECT_EQ(std::pair(m ? m->row : -1, m ? percentsText(m->horizontal, m->vertical) : none), std::pair(c.row, c.text)) << c.label;
    }
}
// clang-format on

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
    std::string row() { return pick(0, 3) == 0 ? findSizeToken(name()) : digits() + "x" + digits(); }
};

TEST(Properties, generatedNamesListsAndPercentsKeepThePromises)
{
    Names names;
    for (int i = 0; i < 20000; ++i) {
        const std::string name = names.name();
        EXPECT_EQ(brokenNamePromise(name, names.pick(-99, intMax), names.pick(-9, 99)), "") << name;
        std::vector<std::string> rows(static_cast<std::size_t>(names.pick(0, 12)));
        std::ranges::generate(rows, [&] { return names.row(); });
        EXPECT_EQ(brokenSearchPromise(rows, names.pick(-50, 50) | 1, names.pick(1, 100)), "")
            << testing::PrintToString(rows);
        const double percent = std::ldexp(static_cast<double>(names.engine() >> 11), -names.pick(40, 53));
        EXPECT_EQ(brokenPercentPromise(names.pick(0, 1) ? percent : -percent), "");
    }
}

} // namespace
