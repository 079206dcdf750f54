// The grid edits of the Grid and Minimum Grid tables, on the model store:
// inserting an interval, splitting intervals by hand (geometric, maximum mesh
// width, border meshes) or automatically, the minimum grid and the scaling of
// its intervals, and changing the grid unit. Every edit keeps the line indices
// of blocks, node BCs, output nodes, output blocks and the clip box on the
// grid lines they were on.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gelmar {

class EngineHost;
struct ModelStore;

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

// Widths of the intervals that replace one interval of width w, from the lower
// line up; a single w when the method leaves it whole. Mirrored (the third
// axis listed from the top) gives the same pieces in the opposite order.
// Empty when the pieces would pass the 16-bit count of an axis.
std::vector<float> SplitWidths(float w, const SplitSettings& settings, bool mirrored);

// Auto Split: intervals up to sizeLimit are split by the maximum mesh width
// `distance`; larger ones are graded from `distance` by `ratio` towards their
// ends inside the axis (a middle interval first halved). Layers without a
// conductive colour are left alone.
struct AutoSplitSettings {
    float sizeLimit = 5.0f;
    float distance = 1.0f;
    float ratio = 1.5f;
};
// The pieces of a part of width w graded from d at one end: d, dq, dq^2, ...
// and a rest, from the lower line up when fineAtLower, else reversed.
std::vector<float> GradedWidths(float w, float d, float q, bool fineAtLower);
bool AutoSplitAxis(ModelStore& m, EngineHost& host, int axis, const AutoSplitSettings& settings);

// Replaces cell `cell` of the axis by cells of the given widths; the lines
// above it, the clip box and the items' indices move up with it. Refused with
// a message (false) when the axis would pass its 16-bit count.
bool ReplaceGridCell(ModelStore& m, EngineHost& host, int axis, std::size_t cell,
                     const std::vector<float>& widths);
// Raises every stored index of the axis above line `line` by k, and the clip
// box's bounds above it.
void ShiftGridIndices(ModelStore& m, int axis, std::size_t line, std::size_t k);

// Inserts an interval of width 1 before or after cell `cell`: the items that
// start at the new interval's far side move with it, a range across it grows.
bool InsertGridInterval(ModelStore& m, EngineHost& host, int axis, std::size_t cell, bool after);

// The minimum grid of an axis: only the lines that bound blocks or carry node
// BCs, with lines 0 and n. map[i] is the minimum-grid interval of cell i.
struct MinimumGridAxis {
    std::vector<std::size_t> map;
    std::vector<double> widths;
};
MinimumGridAxis BuildMinimumGridAxis(const ModelStore& m, int axis);
// Gives minimum-grid interval k the width by scaling the cells that map to it.
bool ScaleMinimumGridInterval(ModelStore& m, int axis, const MinimumGridAxis& grid, std::size_t k,
                              double width);

// Sets the grid unit (metres per grid length); with transformWidths the
// widths are rescaled so that the model keeps its size in metres. A unit that
// is not above 0 is refused with "Grid unit must be greater than 0 m".
bool ChangeGridUnit(ModelStore& m, EngineHost& host, float unit, bool transformWidths);

} // namespace gelmar
