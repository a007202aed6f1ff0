#include "dimensions/dimensions.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Only ASCII digits and x/X are inspected. Every byte of a multi-byte UTF-8 character
// is 0x80 or above, so it is never mistaken for either, and byte positions give the
// same tokens as character positions would.

namespace dimensions {

namespace {

constexpr std::string_view Digits = "0123456789";

constexpr bool isSeparator(char c)
{
    return c == 'x' || c == 'X';
}

// Where the first token of a name lies, as byte offsets: its first digit, its
// separator, and one past its last digit.
struct TokenPlace
{
    std::size_t begin;
    std::size_t separator;
    std::size_t end;
};

// The first x or X with a digit directly on each side, widened over both digit runs.
std::optional<TokenPlace> findToken(std::string_view name)
{
    for (std::size_t p = 1; p + 1 < name.size(); ++p) {
        if (isSeparator(name[p]) && isDigit(name[p - 1]) && isDigit(name[p + 1])) {
            // npos + 1 wraps to 0: a run reaching the start of the name.
            const std::size_t begin = name.find_last_not_of(Digits, p - 1) + 1;
            const std::size_t end = std::min(name.find_first_not_of(Digits, p + 1), name.size());
            return TokenPlace{begin, p, end};
        }
    }
    return std::nullopt;
}

} // namespace

std::string findSizeToken(std::string_view name)
{
    const std::optional<TokenPlace> place = findToken(name);
    if (!place) {
        return {};
    }
    std::string token(name.substr(place->begin, place->end - place->begin));
    token[place->separator - place->begin] = 'x';
    return token;
}

std::int32_t widthOf(std::string_view token)
{
    // A number never holds an x, so reading stops before the first separator anyway.
    return readInt32(token);
}

std::int32_t heightOf(std::string_view token)
{
    // Without a separator the search ends at the front, and the whole text is read.
    const auto afterLast = std::find_if(token.rbegin(), token.rend(), isSeparator).base();
    return readInt32(std::string_view(afterLast, token.end()));
}

std::string renamedForSize(std::string_view name, std::int32_t width, std::int32_t height)
{
    const std::optional<TokenPlace> place = findToken(name);
    if (!place) {
        return {};
    }
    std::string result(name.substr(0, place->begin));
    result += std::to_string(width);
    result += name[place->separator];
    result += std::to_string(height);
    result += name.substr(place->end);
    return result;
}

} // namespace dimensions
