// The Blocks tables of the block programs over explicit data: which block a
// table row shows (all blocks, or only the blocks of one colour), the bound
// columns as shown and as typed (with the R/C/L naming, whose third axis runs
// from the top), the contiguity of the selection, and the Transform
// Coordinates command on the six bound coordinates of one block.
#pragma once
#include <array>

namespace kernels {

// A block's six bounds: x1, x2, y1, y2, z1, z2 (grid-line indices).
using BlockBox = std::array<int, 6>;

// The block of a table row (1-based): row - 1, or with sameColour the row-th
// block of the listed colour; -1 when there is none. colourOf(i) gives the
// colour of block i.
template <typename ColourOf>
int BlockFromRow(int row, int count, bool sameColour, int listed, ColourOf&& colourOf)
{
    if (row < 1)
        return -1;
    if (!sameColour)
        return row <= count ? row - 1 : -1;
    for (int b = 0, seen = 0; b < count; ++b)
        if (colourOf(b) == listed && ++seen == row)
            return b;
    return -1;
}

// The table row of a block (the index clamped to the last block); with
// sameColour, the number of blocks of the listed colour up to it (at least 1).
template <typename ColourOf>
int RowOfBlock(int block, int count, bool sameColour, int listed, ColourOf&& colourOf)
{
    if (block >= count)
        block = count - 1;
    if (block < 0)
        return 1;
    if (!sameColour)
        return block + 1;
    int row = 0;
    for (int b = 0; b <= block; ++b)
        row += colourOf(b) == listed;
    return row > 0 ? row : 1;
}

// The value bound column `bound` (0 x1 ... 5 z2) shows: the index, or in the
// R/C/L naming its node number, the third axis from the top (its lower
// column shows nz - z2, its upper one nz - z1).
int ShownBlockBound(const BlockBox& box, int bound, int nz, bool rcl);

// A number typed into bound column `bound` (node numbers halved in the R/C/L
// naming). Refused (false, box unchanged) outside the axis; a lower bound
// that meets the upper one pushes it one interval on, and the other way.
bool EditBlockBound(BlockBox& box, int bound, int entered, const int n[3], bool rcl);

// The selected blocks: first and last index and whether they form one run
// (no selection: first = count, last = -1, contiguous).
struct SelectionRange {
    int first = 0;
    int last = -1;
    bool contiguous = true;
    bool Empty() const { return last < 0; }
};
template <typename Selected> SelectionRange FindSelectionRange(int count, Selected&& selected)
{
    SelectionRange r{count, -1, true};
    for (int b = 0; b < count; ++b) {
        if (!selected(b))
            continue;
        if (r.last >= 0 && b != r.last + 1)
            r.contiguous = false;
        if (r.last < 0)
            r.first = b;
        r.last = b;
    }
    return r;
}

// The Transform Coordinates dialog's settings.
struct TransformSettings {
    int type = 0; // 0 translation, 1 rotation, 2 scaling
    float translation[3] = {0, 0, 0};
    int axis = 0;  // rotation axis 0 X, 1 Y, 2 Z
    int angle = 0; // 0 90°, 1 180°, 2 270°
    float scale[3] = {1, 1, 1};
};

// Transforms a block's bound coordinates (x1, x2, y1, y2, z1, z2) about the
// origin: translated, turned by quarter turns about an axis, or scaled per
// axis, each pair kept ordered, then snapped to the length quantum. False
// when the result has no thickness on some axis (the block would vanish);
// the coordinates are changed in every case.
bool TransformBoxCoordinates(float c[6], const TransformSettings& settings, const float origin[3]);

} // namespace kernels
