// The fixed tiling of the child windows: the graphics group at the upper
// left, the axis and list tables in a right column, the block and colour
// tables in a lower band, each group widening to the space left free.
#include "gelmar/app/ViewLayout.h"

namespace gelmar {

std::array<std::optional<FractionRect>, 5> ComputeViewLayout(const std::array<bool, 5>& open)
{
    const bool graphics = open[size_t(ViewGroup::Graphics)];
    const bool axis = open[size_t(ViewGroup::AxisTables)];
    const bool list = open[size_t(ViewGroup::ListTables)];
    const bool block = open[size_t(ViewGroup::BlockTables)];
    const bool colour = open[size_t(ViewGroup::ColourTables)];
    const bool lowerBand = block || colour;

    std::array<std::optional<FractionRect>, 5> r;
    if (graphics)
        r[size_t(ViewGroup::Graphics)] =
            FractionRect{0, (axis || list) ? kGraphWidth : 1, 0, lowerBand ? kLowerSplit : 1};
    if (axis)
        r[size_t(ViewGroup::AxisTables)] = FractionRect{graphics ? kGraphWidth : 0, 1, 0,
                                                        list        ? kAxisHeight
                                                        : lowerBand ? kLowerSplit
                                                                    : 1};
    const float lowerTop = (graphics || axis || list) ? kLowerSplit : 0;
    if (block)
        r[size_t(ViewGroup::BlockTables)] = FractionRect{0, colour ? kLowerColumnSplit : 1, lowerTop, 1};
    if (colour)
        r[size_t(ViewGroup::ColourTables)] = FractionRect{block ? kLowerColumnSplit : 0, 1, lowerTop, 1};
    if (list)
        r[size_t(ViewGroup::ListTables)] =
            FractionRect{graphics ? kGraphWidth : 0, 1, axis ? kAxisHeight : 0, lowerBand ? kLowerSplit : 1};
    return r;
}

} // namespace gelmar
