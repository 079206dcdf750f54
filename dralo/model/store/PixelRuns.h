// Fast scans along a row of colour bytes: where a run of one colour ends and
// where two rows first differ. Eight bytes are compared at a time, so the
// large uniform areas of a section cost little more than reading them.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>

namespace dralo {

namespace detail {
inline std::uint64_t Load8(const std::uint8_t* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}
// Position of the lowest non-zero byte of a non-zero word (bytes in memory order).
inline int FirstNonZeroByte(std::uint64_t v)
{
    if constexpr (std::endian::native == std::endian::little)
        return __builtin_ctzll(v) / 8;
    else
        return __builtin_clzll(v) / 8;
}
} // namespace detail

// The first position after x (up to end) whose byte differs from row[x].
inline std::int64_t RunEnd(const std::uint8_t* row, std::int64_t x, std::int64_t end)
{
    const std::uint8_t v = row[x];
    const std::uint64_t pattern = 0x0101010101010101ULL * v;
    std::int64_t p = x + 1;
    for (; p + 8 <= end; p += 8) {
        const std::uint64_t d = detail::Load8(row + p) ^ pattern;
        if (d != 0)
            return p + detail::FirstNonZeroByte(d);
    }
    while (p < end && row[p] == v)
        ++p;
    return p;
}

// The first position from x (up to end) where the two rows differ.
inline std::int64_t FirstDifference(const std::uint8_t* a, const std::uint8_t* b, std::int64_t x, std::int64_t end)
{
    std::int64_t p = x;
    for (; p + 8 <= end; p += 8) {
        const std::uint64_t d = detail::Load8(a + p) ^ detail::Load8(b + p);
        if (d != 0)
            return p + detail::FirstNonZeroByte(d);
    }
    while (p < end && a[p] == b[p])
        ++p;
    return p;
}

} // namespace dralo
