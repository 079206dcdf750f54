// Number scanning and formatting over std::from_chars / std::to_chars, which
// never consult the locale.
#include "common/core/NumberText.h"

#include <charconv>
#include <cmath>

namespace common {

namespace {

// End of the characters that can belong to a decimal number.
const char* NumberEnd(const char* q)
{
    while ((*q >= '0' && *q <= '9') || *q == '.' || *q == 'e' || *q == 'E' || *q == '+' || *q == '-')
        ++q;
    return q;
}

template <typename T> bool ScanReal(const char*& p, T& value)
{
    const char* q = detail::SkipBlanks(p);
    if (*q == '+' && q[1] != '-')
        ++q;
    T v{};
    const auto r = std::from_chars(q, NumberEnd(q), v, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(v))
        return false;
    value = v;
    p = r.ptr;
    return true;
}

} // namespace

bool ScanFloat(const char*& p, float& value)
{
    return ScanReal(p, value);
}
bool ScanDouble(const char*& p, double& value)
{
    return ScanReal(p, value);
}

std::string FormatFloat(float value)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string FormatDouble(double value)
{
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

namespace {

// The value in the given format when that reads back to it, else the
// shortest form that does.
std::string ExactOrShortest(float value, std::chars_format format, int precision)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, format, precision);
    if (r.ec == std::errc()) {
        float back = 0;
        const auto b = std::from_chars(buf, r.ptr, back);
        if (b.ec == std::errc() && b.ptr == r.ptr && back == value)
            return std::string(buf, r.ptr);
    }
    return FormatFloat(value);
}

} // namespace

std::string FormatGeneralExact(float value)
{
    return ExactOrShortest(value, std::chars_format::general, 6);
}

std::string FormatFixed6(float value)
{
    return ExactOrShortest(value, std::chars_format::fixed, 6);
}

std::string FormatDecimals(double value, int decimals)
{
    char buf[400]; // room for the longest fixed form of a double
    const auto r = decimals < 0 ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6)
                                : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string();
}

} // namespace common
