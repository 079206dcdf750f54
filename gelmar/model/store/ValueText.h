// Numbers in the texts that the tables and the status bar show: printf's
// "%g" and "%.3g" forms, independent of the user's locale.
#pragma once
#include <charconv>
#include <string>

namespace gelmar {

// value as "%.*g" with the given precision, always with a decimal point.
inline std::string FormatG(double value, int precision = 6)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
    return std::string(buf, r.ptr);
}

} // namespace gelmar
