// The fixed tiling of the child windows: which rectangle, as fractions of the
// MDI client area, each group of windows gets for the groups that are open.
#pragma once
#include <array>
#include <optional>

namespace gelmar {

enum class ViewGroup { Graphics, AxisTables, ListTables, BlockTables, ColourTables, None };

struct FractionRect {
    float x0 = 0, x1 = 1, y0 = 0, y1 = 1;
    bool operator==(const FractionRect&) const = default;
};

inline constexpr float kLowerSplit = 0.75f;
inline constexpr float kGraphWidth = 0.7f;
inline constexpr float kLowerColumnSplit = 0.43f;
inline constexpr float kAxisHeight = 0.5f;

// open[g] says whether a window of group g is open; the result holds a
// rectangle for each open group (indexed as ViewGroup).
std::array<std::optional<FractionRect>, 5> ComputeViewLayout(const std::array<bool, 5>& open);

} // namespace gelmar
