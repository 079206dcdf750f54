// Index ranges of the 3D view's overlays and their coordinates: a block's,
// an area's or an element's box clamped to the clip box, or the whole grid.
#pragma once
#include "novelk/model/store/ModelStore.h"

#include <cstdint>
#include <optional>

namespace novelk {

struct IndexBox {
    std::uint16_t lo[3] = {}, hi[3] = {}; // grid-line indices per axis
};
struct CoordinateBox {
    float lo[3] = {}, hi[3] = {}; // grid units
};

IndexBox WholeGrid(const ModelStore& m);
IndexBox BoxOf(const BlockRecord& b);
IndexBox BoxOf(const AreaRecord& a);
// The box clamped to the clip box; empty when it lies outside, or only
// touches it unless inclusive.
std::optional<IndexBox> ClipRange(const ModelStore& m, const IndexBox& box, bool inclusive);
// The coordinates of the box's lines.
CoordinateBox UpdateRangeCoordinates(const ModelStore& m, const IndexBox& box);

} // namespace novelk
