#include "dimensions/bytes.h"
#include "dimensions/dimensions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Only ASCII digits and x/X are inspected. Every byte of a multi-byte UTF-8 character
// is 0x80 or above, so it is never mistaken for either, and byte positions give the
// same tokens as character positions would.

namespace dimensions {

namespace {

constexpr bool isSeparator(char c)
{
    return c == 'x' || c == 'X';
}

// The index of the first x or X at or after `from`, or a value >= n - 1 when there is
// none before the last byte. Skipping eight bytes at a time is what keeps the search
// within a small factor of merely reading the name.
std::size_t nextSeparator(std::string_view name, std::size_t from)
{
    const std::size_t n = name.size();
    if constexpr (bytes::wordwise) {
        while (from + 8 <= n) {
            const unsigned at = bytes::firstSeparator(bytes::load64(name.data() + from));
            if (at < 8) {
                return from + at;
            }
            from += 8;
        }
    }
    while (from < n && !isSeparator(name[from])) {
        ++from;
    }
    return from;
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
// The first and last bytes lack a neighbour on one side, so they never qualify.
std::optional<TokenPlace> findToken(std::string_view name)
{
    const std::size_t n = name.size();
    for (std::size_t p = nextSeparator(name, 1); p + 1 < n; p = nextSeparator(name, p + 1)) {
        if (!isDigit(name[p - 1]) || !isDigit(name[p + 1])) {
            continue;
        }
        std::size_t begin = p - 1;
        while (begin > 0 && isDigit(name[begin - 1])) {
            --begin;
        }
        std::size_t end = p + 2;
        while (end < n && isDigit(name[end])) {
            ++end;
        }
        return TokenPlace{begin, p, end};
    }
    return std::nullopt;
}

std::string tokenText(std::string_view left, std::string_view right)
{
    std::string token;
    token.reserve(left.size() + 1 + right.size());
    token += left;
    token += 'x';
    token += right;
    return token;
}

} // namespace

std::string GetPropName(std::string_view name)
{
    const std::optional<TokenPlace> place = findToken(name);
    if (!place) {
        return {};
    }
    return tokenText(name.substr(place->begin, place->separator - place->begin),
                     name.substr(place->separator + 1, place->end - place->separator - 1));
}

std::string GetNum(std::string_view s, std::int32_t p)
{
    // p is 1-based; i is the byte index of the separator.
    if (p < 2 || static_cast<std::size_t>(p) >= s.size()) {
        return {};
    }
    const std::size_t i = static_cast<std::size_t>(p) - 1;
    if (!isDigit(s[i - 1]) || !isDigit(s[i + 1])) {
        return {};
    }
    std::size_t begin = i - 1;
    while (begin > 0 && isDigit(s[begin - 1])) {
        --begin;
    }
    std::size_t end = i + 2;
    while (end < s.size() && isDigit(s[end])) {
        ++end;
    }
    return tokenText(s.substr(begin, i - begin), s.substr(i + 1, end - i - 1));
}

std::int32_t GetPropX(std::string_view token)
{
    std::size_t i = 0;
    while (i < token.size() && !isSeparator(token[i])) {
        ++i;
    }
    return ReadInt32(token.substr(0, i));
}

std::int32_t GetPropY(std::string_view token)
{
    std::size_t i = token.size();
    while (i > 0 && !isSeparator(token[i - 1])) {
        --i;
    }
    return ReadInt32(token.substr(i));
}

std::string ChangeName(std::string_view name, std::int32_t x, std::int32_t y)
{
    const std::optional<TokenPlace> place = findToken(name);
    if (!place) {
        return {};
    }
    std::string result(name.substr(0, place->begin));
    result += std::to_string(x);
    result += name[place->separator];
    result += std::to_string(y);
    result += name.substr(place->end);
    return result;
}

} // namespace dimensions
