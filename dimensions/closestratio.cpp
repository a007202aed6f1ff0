#include "dimensions/dimensions.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dimensions {

namespace {

// The rows are tokens made by GetPropName, almost always "<digits>x<digits>" with
// short runs. Those are read here in one pass; anything else goes through GetPropX
// and GetPropY, which give the same values for these rows, only slower.
constexpr std::size_t shortRun = 9;

bool readPlainToken(std::string_view row, std::int32_t& width, std::int32_t& height)
{
    const std::size_t n = row.size();
    std::size_t i = 0;
    std::int32_t w = 0;
    while (i < n && isDigit(row[i])) {
        w = w * 10 + (row[i] - '0');
        if (++i > shortRun) {
            return false;
        }
    }
    if (i == 0 || i == n || row[i] != 'x') {
        return false;
    }
    const std::size_t start = ++i;
    std::int32_t h = 0;
    while (i < n && isDigit(row[i])) {
        h = h * 10 + (row[i] - '0');
        if (++i - start > shortRun) {
            return false;
        }
    }
    if (i != n || i == start) {
        return false;
    }
    width = w;
    height = h;
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
    if (portrait(w, h) != m_portrait || w == 0 || h == 0) {
        return;
    }
    const double d = std::fabs(static_cast<double>(h) / static_cast<double>(w) - m_target);
    if (d < m_best) {
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
