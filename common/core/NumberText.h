// Locale-independent numbers in text files: scanning values the way the
// files' "%d" and "%f" conversions read them (leading blanks skipped, reading
// stops at the first character that does not fit), and writing them in the
// shortest form that reads back to the same value.
#pragma once
#include <string>

namespace common {

namespace detail {
inline const char* SkipBlanks(const char* p)
{
    // Blank, or one of the controls tab, LF, VT, FF, CR (9..13).
    while (*p == ' ' || static_cast<unsigned char>(*p - '\t') <= 4)
        ++p;
    return p;
}
} // namespace detail

// Each scans one value at p, advances p past it and returns true; on failure
// p is left unchanged. Values out of range and non-finite values fail.
// (Inline: the readers scan millions of integers.)
[[gnu::always_inline]] inline bool ScanInt(const char*& p, int& value)
{
    const char* q = detail::SkipBlanks(p);
    if (*q == '+' && q[1] != '-')
        ++q;
    const bool negative = *q == '-';
    if (negative)
        ++q;
    if (static_cast<unsigned char>(*q - '0') > 9)
        return false;
    // Leading zeros aside, more than ten digits never fit.
    while (*q == '0' && static_cast<unsigned char>(q[1] - '0') <= 9)
        ++q;
    long long v = 0;
    const char* first = q;
    for (; static_cast<unsigned char>(*q - '0') <= 9; ++q)
        if (q - first < 11) // enough to tell a value too large, never overflowing
            v = v * 10 + (*q - '0');
    if (q - first > 10)
        return false;
    if (negative)
        v = -v;
    if (v > 2147483647LL || v < -2147483648LL)
        return false;
    value = static_cast<int>(v);
    p = q;
    return true;
}
bool ScanFloat(const char*& p, float& value);
bool ScanDouble(const char*& p, double& value);

// Shortest text that reads back to exactly the same value ("0.5", "1e-05").
std::string FormatFloat(float value);
std::string FormatDouble(double value);
// The form printf's "%g" gives ("0.0001", "5.1", "1e+06") when that reads
// back to the same value, else the shortest form that does.
std::string FormatGeneralExact(float value);
// Fixed notation with six decimals ("10.000000") when that reads back
// exactly, else the shortest form.
std::string FormatFixed6(float value);
// As printf's "%.*f" with the given decimals, or its "%g" for decimals < 0,
// whatever the locale: the numbers the tables show.
std::string FormatDecimals(double value, int decimals);

} // namespace common
