#include "dimensions/dimensions.h"
#include "tests/dimensions/rowname.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace dimensions;

namespace {

struct SearchRow
{
    const char* label;
    friend void PrintTo(const SearchRow& row, std::ostream* out) { *out << row.label; }
    std::vector<std::string> rows;
    std::int32_t X;
    std::int32_t Y;
    std::int32_t R; // -1: no match
    std::string text;
};

class FindClosestRatioTest : public testing::TestWithParam<SearchRow>
{
};

TEST_P(FindClosestRatioTest, choosesRowAndPercents)
{
    const SearchRow& row = GetParam();
    const std::optional<Match> match = FindClosestRatio(row.rows, row.X, row.Y);
    EXPECT_EQ(match ? match->R : -1, row.R);
    EXPECT_EQ(match ? PercentsText(match->H, match->V) : std::string(RestingText), row.text);

    const std::vector<std::string_view> views(row.rows.begin(), row.rows.end());
    const std::optional<Match> viewMatch = FindClosestRatio(views, row.X, row.Y);
    EXPECT_EQ(viewMatch ? viewMatch->R : -1, row.R);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FindClosestRatioTest,
    testing::Values(
        SearchRow{"equal_ratio_first_wins",
                  {"50x70", "21x30", "120x80", "14x20"},
                  70,
                  100,
                  1,
                  "333.33%\r333.33%"},
        SearchRow{"closest_portrait", {"30x40", "36x51"}, 50, 70, 1, "138.89%\r137.25%"},
        SearchRow{"square_target_skips_portrait", {"40x60", "60x50"}, 50, 50, 1, "83.33%\r100%"},
        SearchRow{"square_row_is_not_portrait", {"30x40", "40x40"}, 60, 50, 1, "150%\r125%"},
        SearchRow{"only_other_orientation", {"120x80", "50x50"}, 60, 90, -1, "---\r---"},
        SearchRow{"no_rows", {}, 50, 70, -1, "---\r---"},
        SearchRow{"at_ceiling", {"1x3000000", "1x1000002"}, 1, 2, -1, "---\r---"},
        SearchRow{"below_ceiling", {"1x1000001"}, 1, 2, 0, "100%\r0%"},
        SearchRow{"zero_width_skipped", {"0x70", "35x70"}, 1, 2, 1, "2.86%\r2.86%"},
        SearchRow{"zero_height_skipped", {"70x0"}, 2, 1, -1, "---\r---"},
        SearchRow{"tie_keeps_first", {"20x40", "10x20", "5x10"}, 1, 2, 0, "5%\r5%"},
        SearchRow{"negative_width", {"50x70", "21x30"}, -70, 100, 0, "-140%\r142.86%"},
        SearchRow{"negative_height", {"80x60"}, 70, -100, 0, "87.5%\r-166.67%"},
        SearchRow{"zero_target", {"50x70"}, 0, 70, -1, "---\r---"},
        SearchRow{"upper_case_and_padding", {"30X40", " 36x51 "}, 50, 70, 1, "138.89%\r137.25%"},
        SearchRow{"row_without_x_reads_whole", {"40.60", "20x31"}, 2, 3, 1, "10%\r9.68%"},
        SearchRow{"unreadable_rows", {"abc", "", "x"}, 50, 70, -1, "---\r---"},
        SearchRow{"long_runs_saturate", {"10000000000x30000000000", "4x3"}, 1, 1, 0, "0%\r0%"},
        SearchRow{"ten_digits", {"1000000000x1500000000"}, 2, 3, 0, "0%\r0%"}),
    RowName{});

} // namespace
