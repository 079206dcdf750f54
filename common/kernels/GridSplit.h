// How the grid commands of the block programs cut one cell of an axis into
// several: the Split dialog's methods (geometric series, a maximum mesh
// width, border meshes of a given width) and Auto Split's grading from a fine
// mesh at one end. Every function takes a width and its settings and returns
// the widths that replace it, from the axis's lower line up.
#pragma once
#include <cstddef>
#include <vector>

namespace kernels {

enum SplitMethod : int {
    kSplitGeometric = 0,
    kSplitMaximum = 1,
    kSplitBorder1 = 2,
    kSplitBorder2 = 3,
    kSplitBorder12 = 4,
};

// The Split dialog's settings, kept while the program runs.
struct SplitSettings {
    int subdivisions = 2;
    float ratio = 1.0f;
    float meshWidth = 1.0f;
    int method = kSplitGeometric;
};

// Widths of the cells that replace one cell of width w, from the lower line
// up; a single w when the method leaves it whole. Mirrored (the third axis
// listed from the top) gives the same pieces in the opposite order. Empty
// when the pieces would pass the 16-bit count of an axis.
std::vector<float> SplitWidths(float w, const SplitSettings& settings, bool mirrored);

// w cut into pieces of width d and a last piece of the rest; a rest below
// 0.1 % of w is no piece of its own. Empty past the 16-bit count.
std::vector<float> MaximumWidths(double w, double d);

// Auto Split: cells up to sizeLimit are split by the maximum mesh width
// `distance`; larger ones are graded from `distance` by `ratio` towards the
// ends inside the axis (a middle cell first halved).
struct AutoSplitSettings {
    float sizeLimit = 5.0f;
    float distance = 1.0f;
    float ratio = 1.5f;
};

// The pieces of a part of width w graded from d at one end: d, dq, dq^2, ...
// and a rest, from the lower line up when fineAtLower, else reversed.
std::vector<float> GradedWidths(float w, float d, float q, bool fineAtLower);

// The pieces Auto Split makes of cell `cell` (width w) of an axis of n cells
// whose layer is not void; a single w when the cell stays whole.
std::vector<float> AutoSplitCell(float w, std::size_t cell, std::size_t n, const AutoSplitSettings& settings);

} // namespace kernels
