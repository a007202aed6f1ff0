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

// How a typed size or one half of a token is read: leading spaces and tabs skipped,
// an optional sign, digits and an optional fraction ('.5'), which is dropped toward
// zero. No exponent ('1e3' reads 1). Values beyond the int32 range saturate at its
// limits; text without a leading number reads 0.
std::int32_t readInt32(std::string_view text);

// The first size token ("<digits>x<digits>", lower-case x) in `name`, or "". Either
// x or X separates; the digit runs on both sides are taken whole.
std::string findSizeToken(std::string_view name);

// Width: everything before the first x or X. Without one, the whole text is read.
std::int32_t widthOf(std::string_view token);
// Height: everything after the last x or X. Without one, the whole text is read.
std::int32_t heightOf(std::string_view token);

// A square counts as landscape.
constexpr bool isPortrait(std::int32_t width, std::int32_t height)
{
    return width < height;
}

// The chosen row and the scale, in percent, from its size to the typed one.
struct Match
{
    std::int32_t row = -1;
    double horizontal = 0.0;
    double vertical = 0.0;
};

// The row whose ratio (height / width) is closest to height / width of the target,
// among rows of the target's orientation; the first row wins a tie; rows reading a
// zero width or height are skipped, and so are rows 1,000,000 or more off the target
// ratio. A zero width or height matches nothing. The percentages are numbers; the
// window decides how they are shown.
std::optional<Match> findClosestRatio(std::span<const std::string> rows, std::int32_t width,
                                      std::int32_t height);

// A percentage as people read it ("333.33"): rounded to two decimals, an exact half
// away from zero, judged on the double's stored value (1.005 is stored just below and
// gives "1"); written without trailing zeros, without a point when whole ("100"), with
// a zero before the point below 1 ("0.5"), and never as "-0". Infinities and NaN are
// written "inf", "-inf" and "nan".
std::string percentNumber(double value);

// `name` with the numbers of its first token replaced by `width` and `height`,
// keeping the separator's case; "" when `name` holds no token.
std::string renamedForSize(std::string_view name, std::int32_t width, std::int32_t height);

} // namespace dimensions
