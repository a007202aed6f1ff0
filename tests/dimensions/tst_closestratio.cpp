#include "dimensions/dimensions.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace dimensions;

namespace {

// clang-format off
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
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::optional<Match> match = FindClosestRatio(c.rows, c.X, c.Y);
        EXPECT_EQ(match ? match->R : -1, c.R);
        EXPECT_EQ(match ? PercentsText(match->H, match->V) : none, c.text);

        const std::vector<std::string_view> views(c.rows.begin(), c.rows.end());
        const std::optional<Match> viewMatch = FindClosestRatio(views, c.X, c.Y);
        EXPECT_EQ(viewMatch ? viewMatch->R : -1, c.R);
    }
}

} // namespace
