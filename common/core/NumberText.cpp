// Number scanning and formatting over std::from_chars / std::to_chars, which
// never consult the locale.
#include "common/core/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace common {

namespace {

// End of the characters that can belong to a decimal number.
const char* NumberEnd(const char* q)
{
    while ((*q >= '0' && *q <= '9') || *q == '.' || *q == 'e' || *q == 'E' || *q == '+' || *q == '-')
        ++q;
    return q;
}

bool IsDigit(char c)
{
    return static_cast<unsigned char>(c - '0') <= 9;
}

// The common short decimals ("12.5", "-0.125") without the general
// conversion: when the digits make an integer m below 2^24 with at most ten
// of them after the point, m and 10^k are exact floats and their quotient,
// one IEEE division, is the correctly rounded value (Clinger's fast path).
// False, nothing read, for any other text.
bool ScanShortDecimal(const char*& q, float& value)
{
    const char* r = q;
    const bool negative = *r == '-';
    if (negative)
        ++r;
    std::uint32_t m = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (;; ++r) {
        if (IsDigit(*r)) {
            m = m * 10 + static_cast<std::uint32_t>(*r - '0');
            if (m >= (1u << 24))
                return false;
            ++digits;
            decimals += point;
        } else if (*r == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0 || decimals > 10 || *r == '.' || *r == 'e' || *r == 'E' || *r == '+' || *r == '-')
        return false;
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    const float v = static_cast<float>(m) / kPowers[decimals];
    value = negative ? -v : v;
    q = r;
    return true;
}

template <typename T> bool ScanReal(const char*& p, T& value)
{
    const char* q = detail::SkipBlanks(p);
    if (*q == '+' && q[1] != '-')
        ++q;
    if constexpr (std::is_same_v<T, float>) {
        if (ScanShortDecimal(q, value)) {
            p = q;
            return true;
        }
    }
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
