#pragma once

// Eight bytes at a time over names and rows. Internal to the dimension model.

#include <bit>
#include <cstdint>
#include <cstring>

namespace dimensions::bytes {

// Whole-word tricks below assume the first byte of a word is its lowest.
inline constexpr bool wordwise = std::endian::native == std::endian::little;

constexpr std::uint64_t everyByte(std::uint8_t b)
{
    return 0x0101010101010101ULL * b;
}

inline std::uint64_t load64(const char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline std::uint32_t load32(const char* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The index of the first byte of `word` that is 'x' or 'X', or 8 when there is none.
// Only the lowest zero byte of t is flagged reliably, and only it is used.
inline unsigned firstSeparator(std::uint64_t word)
{
    const std::uint64_t t = (word | everyByte(0x20)) ^ everyByte('x');
    const std::uint64_t flags = (t - everyByte(1)) & ~t & everyByte(0x80);
    return static_cast<unsigned>(std::countr_zero(flags)) / 8;
}

} // namespace dimensions::bytes
