// Prefix number parsing independent of the user's locale.
#include "common/core/NumberPrefix.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace common {
namespace {

std::string_view SkipBlanks(std::string_view t)
{
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || (t[i] >= '\t' && t[i] <= '\r')))
        ++i;
    return t.substr(i);
}

} // namespace

int AtoiText(std::string_view text)
{
    std::string_view t = SkipBlanks(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    long long value = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

double AtofText(std::string_view text)
{
    std::string_view t = SkipBlanks(text);
    if (!t.empty() && t[0] == '+')
        t.remove_prefix(1);
    double value = 0.0;
    const std::errc ec = std::from_chars(t.data(), t.data() + t.size(), value).ec;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; clamp as strtod does.
        const bool negative = !t.empty() && t[0] == '-';
        std::size_t e = t.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < t.size() && t[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
        return negative ? -value : value;
    }
    return ec == std::errc() ? value : 0.0;
}

std::uint32_t HexText(std::string_view text)
{
    std::string_view t = SkipBlanks(text);
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        t.remove_prefix(2);
    std::uint64_t value = 0;
    for (char c : t) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > UINT32_MAX)
            value = UINT32_MAX + std::uint64_t{1};
    }
    return value > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(value);
}

} // namespace common
