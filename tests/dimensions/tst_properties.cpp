#include "dimensions/dimensions.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace dimensions;

namespace {

// Generated names mix digit runs, separators and look-alikes with multi-byte text, so
// tokens land at both ends, beside Unicode characters and next to each other.
class NameMaker
{
public:
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

    std::string digits()
    {
        std::string run(static_cast<std::size_t>(pick(1, pick(0, 5) == 0 ? 12 : 4)), '0');
        for (char& c : run) {
            c = static_cast<char>('0' + pick(0, 9));
        }
        return run;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }

private:
    // A fixed start state keeps every run of the test on the same names.
    std::mt19937 m_engine{20240607u};
};

std::string lowered(std::string text)
{
    for (char& c : text) {
        c = c == 'X' ? 'x' : c;
    }
    return text;
}

// Runs that read back to themselves: no leading zero, and within the int32 range.
bool plainRun(std::string_view run)
{
    return run.size() < 10 && (run.size() == 1 || run[0] != '0');
}

TEST(NameProperties, tokenFoundIsTokenReplaced)
{
    NameMaker maker;
    for (int i = 0; i < 20000; ++i) {
        const std::string name = maker.name();
        const std::string token = GetPropName(name);
        SCOPED_TRACE(name);
        if (token.empty()) {
            EXPECT_EQ(ChangeName(name, 7, 9), "");
            continue;
        }
        // The first place the token stands is where it was found: an earlier x with
        // digits on both sides would itself have been the token.
        const std::size_t at = lowered(name).find(token);
        ASSERT_NE(at, std::string::npos);
        const std::size_t separator = token.find('x');
        const std::string expected =
            name.substr(0, at) + "7" + name[at + separator] + "9" + name.substr(at + token.size());
        EXPECT_EQ(ChangeName(name, 7, 9), expected);

        const std::string_view left = std::string_view(token).substr(0, separator);
        const std::string_view right = std::string_view(token).substr(separator + 1);
        if (plainRun(left) && plainRun(right)) {
            EXPECT_EQ(ChangeName(name, GetPropX(token), GetPropY(token)), name);
        }
        const std::int32_t x = maker.pick(0, 2147483647);
        const std::int32_t y = maker.pick(0, 99);
        EXPECT_EQ(GetPropName(ChangeName(name, x, y)), std::to_string(x) + "x" + std::to_string(y));
    }
}

// The search read with nothing but GetPropX and GetPropY, in the plainest form.
std::optional<Match> plainSearch(const std::vector<std::string>& rows, std::int32_t X,
                                 std::int32_t Y)
{
    const double target = static_cast<double>(Y) / X;
    double best = 1'000'000.0;
    std::optional<Match> match;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::int32_t w = GetPropX(rows[i]);
        const std::int32_t h = GetPropY(rows[i]);
        if (portrait(w, h) != portrait(X, Y) || w == 0 || h == 0) {
            continue;
        }
        const double d = std::fabs(static_cast<double>(h) / w - target);
        if (d < best) {
            best = d;
            match = Match{static_cast<std::int32_t>(i), 100.0 * X / w, 100.0 * Y / h};
        }
    }
    return match;
}

TEST(SearchProperties, sameAsPlainSearchWhicheverWayFed)
{
    NameMaker maker;
    for (int list = 0; list < 2000; ++list) {
        std::vector<std::string> rows;
        const int count = maker.pick(0, 12);
        for (int i = 0; i < count; ++i) {
            const std::string token = GetPropName(maker.name());
            rows.push_back(maker.pick(0, 3) == 0 ? token : maker.digits() + "x" + maker.digits());
        }
        const std::int32_t X = maker.pick(-50, 50) | 1;
        const std::int32_t Y = maker.pick(1, 100);
        const std::optional<Match> expected = plainSearch(rows, X, Y);
        const std::optional<Match> found = FindClosestRatio(rows, X, Y);
        ClosestRatioSearch search(X, Y);
        for (const std::string& row : rows) {
            search.consider(row);
        }
        for (const std::optional<Match>& match : {found, search.result()}) {
            ASSERT_EQ(match.has_value(), expected.has_value());
            if (match) {
                EXPECT_EQ(match->R, expected->R);
                EXPECT_EQ(match->H, expected->H);
                EXPECT_EQ(match->V, expected->V);
            }
        }
    }
}

} // namespace
