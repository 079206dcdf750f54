// The unit label.
#include "common/core/UnitLabel.h"

#include "common/core/NumberText.h"

namespace common {

std::string GridUnitLabel(float metresPerUnit)
{
    const std::string text = FormatDecimals(metresPerUnit, -1);
    if (text == "1")
        return "[m]";
    if (text == "0.1")
        return "[dm]";
    if (text == "0.01")
        return "[cm]";
    if (text == "0.001")
        return "[mm]";
    std::string label(1, '[');
    if (metresPerUnit <= 0.01f)
        label += FormatDecimals(static_cast<double>(metresPerUnit) * 1000, -1) + " mm]";
    else
        label += text + " m]";
    return label;
}

} // namespace common
