#pragma once

// The dimension model: reading a document's size from its file name, the closest
// aspect-ratio search, and the name of a copy that carries a new size.
//
// Names are UTF-8. Only ASCII digits and the letters x/X are ever inspected and
// every other byte is carried over unchanged, so working on bytes gives the same
// result as working on characters.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dimensions {

// True for '0'..'9' only; no other Unicode digit counts.
constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The longest leading decimal number of `text`, or 0 when there is none. Leading
// spaces and tabs are skipped; then an optional sign, digits and an optional fraction
// ('.5' reads 0.5). No exponent: '1e3' reads 1. Digit runs beyond the range of a
// double give an infinity of the run's sign.
double ReadNumber(std::string_view text);

// Drops the fraction (toward zero); values outside the int32 range, infinities
// included, saturate at its limits; NaN gives 0.
std::int32_t ToInt32(double value);

// ReadNumber followed by ToInt32: how a dimension field or a token half is read.
std::int32_t ReadInt32(std::string_view text);

// The first dimension token ("<digits>x<digits>", lower-case x) in `name`, or "".
std::string GetPropName(std::string_view name);

// The token around the x at 1-based position `p` of `s`: the digits directly left of
// p, "x", the digits directly right of p; "" when either side has no digit. The scans
// stop at the ends of `s`, and a position without a neighbour on both sides gives "".
std::string GetNum(std::string_view s, std::int32_t p);

// Width: everything before the first x. Without an x, the whole text is read.
std::int32_t GetPropX(std::string_view token);
// Height: everything after the last x. Without an x, the whole text is read.
std::int32_t GetPropY(std::string_view token);

constexpr bool portrait(std::int32_t width, std::int32_t height)
{
    return width < height;
}

// The result of a closest-ratio search: row number and the two percentages.
struct Match
{
    std::int32_t R = -1;
    double H = 0.0;
    double V = 0.0;
};

// One search fed row by row, for callers that do not hold the rows as strings.
// Feed every row in list order; `result()` is then the same as FindClosestRatio's.
class ClosestRatioSearch
{
public:
    // A target with a zero width or height has no ratio to compare with: the search
    // then matches nothing.
    ClosestRatioSearch(std::int32_t X, std::int32_t Y);
    void consider(std::string_view row);
    std::optional<Match> result() const { return m_match; }

private:
    std::int32_t m_x;
    std::int32_t m_y;
    bool m_portrait;
    bool m_usable;
    double m_target = 0.0;
    // A difference must be strictly below this to count, so rows that far off never win.
    double m_best = 1'000'000.0;
    std::int32_t m_row = 0;
    std::optional<Match> m_match;
};

// The row whose ratio (height / width) is closest to Y / X, among rows of the
// target's orientation; the first row wins a tie; rows reading a zero width or height
// are skipped. A zero X or Y matches nothing.
std::optional<Match> FindClosestRatio(std::span<const std::string> rows, std::int32_t X,
                                      std::int32_t Y);
std::optional<Match> FindClosestRatio(std::span<const std::string_view> rows, std::int32_t X,
                                      std::int32_t Y);

// What the result box shows before a search and when nothing matches.
inline constexpr std::string_view RestingText = "---\r---";

// "<H>%\r<V>%", each number written with the pattern ###.##.
std::string PercentsText(double H, double V);

// A number written with the pattern ###.##: rounded to two decimals, halfway cases
// away from zero, judged on the double's exact value (1.005 is stored just below and
// gives "1"); no trailing zeros and no point for whole values ("100"); a zero before
// the point below 1 ("0.5"); never "-0". Infinities and NaN give "inf", "-inf", "nan".
std::string FormatPercent(double value);

// `name` with the numbers of its first token replaced by x and y, keeping the
// separator's case; "" when `name` holds no token.
std::string ChangeName(std::string_view name, std::int32_t x, std::int32_t y);

} // namespace dimensions
