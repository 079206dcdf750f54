// Visits the grid positions that the model's items hold on one axis: both
// bounds of every block, the point of every node BC and output node, both
// bounds of every output block, each as its line index with the coordinate
// stored beside it. Grid operations that move lines keep these consistent.
#pragma once
#include "gelmar/model/store/ModelStore.h"

#include <cstdint>

namespace gelmar {

// Whether a position is the lower bound of a range, its upper bound, or a
// point (node BCs and output nodes).
enum class ItemLineRole { Lower, Upper, Point };

// f(index, coordinate, role) with references to the item's line index
// (std::uint16_t) and coordinate (float), const for a const model, in the
// order blocks, node BCs, output nodes, output blocks. With
// blocksAndNodeBcsOnly set, only block bounds and node-BC points are visited
// (the lines that the minimum grid keeps).
template <typename Model, typename F>
void ForEachItemLine(Model& m, int axis, F&& f, bool blocksAndNodeBcsOnly = false)
{
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        auto& r = m.blocks[b];
        auto* lo = axis == 0 ? &r.x1 : axis == 1 ? &r.y1 : &r.z1;
        auto* hi = axis == 0 ? &r.x2 : axis == 1 ? &r.y2 : &r.z2;
        f(*lo, r.coord[2 * axis], ItemLineRole::Lower);
        f(*hi, r.coord[2 * axis + 1], ItemLineRole::Upper);
    }
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n) {
        auto& r = m.nodeBcs[static_cast<std::size_t>(n)];
        f(axis == 0   ? r.i
          : axis == 1 ? r.j
                      : r.k,
          axis == 0   ? r.x
          : axis == 1 ? r.y
                      : r.z,
          ItemLineRole::Point);
    }
    if (blocksAndNodeBcsOnly)
        return;
    for (std::int32_t n = 0; n < m.outputNodes.count; ++n) {
        auto& r = m.outputNodes[static_cast<std::size_t>(n)];
        f(axis == 0   ? r.i
          : axis == 1 ? r.j
                      : r.k,
          axis == 0   ? r.x
          : axis == 1 ? r.y
                      : r.z,
          ItemLineRole::Point);
    }
    for (std::int32_t n = 0; n < m.outputBlocks.count; ++n) {
        auto& r = m.outputBlocks[static_cast<std::size_t>(n)];
        auto* lo = axis == 0 ? &r.i1 : axis == 1 ? &r.j1 : &r.k1;
        auto* hi = axis == 0 ? &r.i2 : axis == 1 ? &r.j2 : &r.k2;
        f(*lo, r.coord[2 * axis], ItemLineRole::Lower);
        f(*hi, r.coord[2 * axis + 1], ItemLineRole::Upper);
    }
}

} // namespace gelmar
