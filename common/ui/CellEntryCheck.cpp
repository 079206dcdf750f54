// Checking a number typed into a table cell (see CellEntryCheck.h).
#include "common/ui/CellEntryCheck.h"

#include "platform/ui/Dialog.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace common {

bool ReadWholeNumber(const std::string& text, double& value)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    in >> value;
    if (in.fail())
        return false;
    in >> std::ws;
    return in.eof() && std::isfinite(value);
}

std::string CheckNumberEntry(const std::string& text, double lo, double hi)
{
    double v = 0;
    if (!ReadWholeNumber(text, v))
        return ParseRealMessage();
    if (v < lo || v > hi)
        return RealRangeMessage(lo, hi, 6);
    return {};
}

} // namespace common
