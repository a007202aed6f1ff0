#include "dimensions/bytes.h"
#include "dimensions/dimensions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dimensions {

namespace {

// The rows are tokens made by GetPropName, almost always "<digits>x<digits>" with
// runs of a few digits. A long list is read here eight bytes at a time, without a
// branch per digit: with digit counts that vary from row to row, mispredicted loop
// exits would cost more than the rest of the search. Anything else (longer runs,
// other characters, a second x) goes through GetPropX and GetPropY, which read these
// rows to the same values, only slower.

using Bytes = unsigned __int128;
using bytes::everyByte;
using bytes::load32;
using bytes::load64;

// The row's bytes, the first in the lowest byte, zeros past the end. 3 <= n <= 16.
// Two overlapping loads cover the row without reading past it.
Bytes loadRow(const char* p, std::size_t n)
{
    if (n >= 8) {
        return static_cast<Bytes>(load64(p)) | static_cast<Bytes>(load64(p + n - 8))
                                                   << (8 * (n - 8));
    }
    if (n >= 4) {
        return load32(p) | static_cast<std::uint64_t>(load32(p + n - 4)) << (8 * (n - 4));
    }
    return static_cast<std::uint8_t>(p[0]) | static_cast<std::uint8_t>(p[1]) << 8 |
           static_cast<std::uint8_t>(p[2]) << 16;
}

// The value of the run of 1 to 8 digits in the low bytes of `bytes`, or -1 when one
// of them is not a digit.
std::int64_t runValue(std::uint64_t bytes, std::size_t length)
{
    // Right-align the run and fill the front with '0', which leaves the value alone.
    const std::size_t fill = 8 * (8 - length);
    std::uint64_t v = (bytes << fill) | ((everyByte('0') >> (63 - fill)) >> 1);
    const bool digits = ((v & everyByte(0xF0)) |
                         (((v + everyByte(0x06)) & everyByte(0xF0)) >> 4)) == everyByte(0x33);
    v = ((v & everyByte(0x0F)) * 2561) >> 8;
    v = ((v & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
    v = ((v & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32;
    return digits ? static_cast<std::int64_t>(v & 0xFFFFFFFFULL) : -1;
}

bool readPlainToken(std::string_view row, std::int32_t& width, std::int32_t& height)
{
    const std::size_t n = row.size();
    if constexpr (!bytes::wordwise) {
        return false;
    }
    if (n < 3 || n > 16) {
        return false;
    }
    const Bytes bytes = loadRow(row.data(), n);
    const auto low = static_cast<std::uint64_t>(bytes);
    // The first x or X among the first nine bytes: a left run holds at most eight.
    const unsigned first = bytes::firstSeparator(low);
    const std::size_t separator = first < 8 ? first : (n > 8 && (row[8] | 0x20) == 'x' ? 8 : 0);
    const std::size_t rightLength = n - separator - 1;
    if (separator == 0 || rightLength == 0 || rightLength > 8) {
        return false;
    }
    const std::int64_t w = runValue(low, separator);
    const std::int64_t h =
        runValue(static_cast<std::uint64_t>(bytes >> (8 * (separator + 1))), rightLength);
    if (w < 0 || h < 0) {
        return false;
    }
    width = static_cast<std::int32_t>(w);
    height = static_cast<std::int32_t>(h);
    return true;
}

} // namespace

ClosestRatioSearch::ClosestRatioSearch(std::int32_t X, std::int32_t Y)
    : m_x(X), m_y(Y), m_portrait(portrait(X, Y)), m_usable(X != 0 && Y != 0)
{
    if (m_usable) {
        m_target = static_cast<double>(Y) / static_cast<double>(X);
    }
}

void ClosestRatioSearch::consider(std::string_view row)
{
    // Row numbers are int32; rows beyond its range cannot be named and are ignored.
    if (!m_usable || m_row == std::numeric_limits<std::int32_t>::max()) {
        return;
    }
    const std::int32_t index = m_row++;
    std::int32_t w = 0;
    std::int32_t h = 0;
    if (!readPlainToken(row, w, h)) {
        w = GetPropX(row);
        h = GetPropY(row);
    }
    // Rows of both orientations come mixed, so the row's eligibility is folded into one
    // test instead of branching on it. The divisor is never zero; an ineligible row's
    // quotient is computed but never used.
    const bool eligible = (portrait(w, h) == m_portrait) & (w != 0) & (h != 0);
    const double divisor = static_cast<double>(w != 0 ? w : 1);
    const double d = std::fabs(static_cast<double>(h) / divisor - m_target);
    if (eligible & (d < m_best)) {
        m_best = d;
        m_match = Match{index, (100.0 * static_cast<double>(m_x)) / static_cast<double>(w),
                        (100.0 * static_cast<double>(m_y)) / static_cast<double>(h)};
    }
}

std::optional<Match> FindClosestRatio(std::span<const std::string> rows, std::int32_t X,
                                      std::int32_t Y)
{
    ClosestRatioSearch search(X, Y);
    for (const std::string& row : rows) {
        search.consider(row);
    }
    return search.result();
}

std::optional<Match> FindClosestRatio(std::span<const std::string_view> rows, std::int32_t X,
                                      std::int32_t Y)
{
    ClosestRatioSearch search(X, Y);
    for (const std::string_view row : rows) {
        search.consider(row);
    }
    return search.result();
}

std::string PercentsText(double H, double V)
{
    return FormatPercent(H) + "%\r" + FormatPercent(V) + "%";
}

} // namespace dimensions
