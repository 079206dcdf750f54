// Value ranges and key comparison of the key tables.
#include "common/core/KeyTable.h"

namespace common {

bool IsInRange(ValueRange range, double value)
{
    switch (range) {
    case ValueRange::Any:
        return true;
    case ValueRange::Positive:
        return value > 0;
    case ValueRange::NonNegative:
        return value >= 0;
    case ValueRange::AtLeastOne:
        return value >= 1;
    case ValueRange::ZeroOrOne:
        return value == 0 || value == 1;
    case ValueRange::ZeroToOne:
        return value >= 0 && value <= 1;
    case ValueRange::ZeroTo300:
        return value >= 0 && value <= 300;
    }
    return false;
}

bool EqualKeys(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace common
