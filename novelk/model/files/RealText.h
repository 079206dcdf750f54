// Reals in Novelk's text files: the form printf's "%g" gives when that reads
// back to the same value ("0.0001", "5.1", "1e+06"), else the shortest form
// that does, so that nothing is lost and the usual values read as people
// write them. Locale-free.
#pragma once
#include <charconv>
#include <cstddef>

namespace novelk {

// Writes v at p (room for 32 characters) and returns the end.
inline char* PutReal(char* p, float v)
{
    char* const end = p + 32;
    const auto general = std::to_chars(p, end, v, std::chars_format::general, 6);
    float back = 0;
    const auto parsed = std::from_chars(p, general.ptr, back);
    if (parsed.ec == std::errc() && parsed.ptr == general.ptr && back == v)
        return general.ptr;
    return std::to_chars(p, end, v).ptr;
}

} // namespace novelk
