// Static kd-tree over axis-aligned boxes: the caller sizes it, adds its boxes,
// builds it once and then asks many times which boxes overlap a query box.
// Every box is a node of the tree (median split on the low bound, the axis
// cycling x, y, z by depth); each node keeps the extent of its two subtrees
// along its split axis so that a query skips subtrees. Sets of 40 boxes or
// fewer are not built and are scanned in insertion order instead.
//
// Integer boxes (CBoxTree) serve the block geometry, float boxes
// (CFloatBoxTree) the obstruction rays of the view factors. Queries are const
// and keep their state on the stack, so several threads may query one built
// tree at the same time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace kernels {

template <class Coord> class BoxTree {
  public:
    BoxTree() = default;

    // Frees any storage and makes room for n boxes; false when memory runs out.
    bool Init(std::size_t n);
    void Free();
    // Appends a box (closed intervals: x1 <= x <= x2); ignored once n boxes were added.
    void AddBox(std::int32_t payload, Coord x1, Coord y1, Coord z1, Coord x2, Coord y2, Coord z2);
    // Builds the tree when more than 40 boxes were added.
    void Build();

    // Writes the payloads of all boxes that overlap or touch the query box into
    // out and returns their number; out must hold Count() ids.
    std::size_t QueryOverlaps(std::span<std::int32_t> out, Coord x1, Coord y1, Coord z1, Coord x2, Coord y2,
                              Coord z2) const;

    // Calls visit(payload) for every box that overlaps or touches [lo, hi] in
    // the same order as QueryOverlaps; visit returns false to stop early.
    // Returns false when it was stopped.
    template <class Visit>
    bool VisitOverlaps(const Coord (&lo)[3], const Coord (&hi)[3], Visit&& visit) const;

    std::size_t Count() const { return m_items.size(); }
    std::size_t Capacity() const { return m_capacity; }
    bool IsBuilt() const { return m_root >= 0; }

    static constexpr std::size_t kScanLimit = 40;

  private:
    static constexpr Coord kNone = std::numeric_limits<Coord>::lowest();

    struct Item {
        Coord lo[3];
        Coord hi[3];
        std::int32_t payload;
        std::int32_t child[2]; // pool indices, -1 for none
        Coord subLo[2];        // smallest low bound of the left / right subtree on the split axis
        Coord subHi[2];        // largest high bound, kNone for an empty subtree
    };
    struct Extent {
        Coord lo[3];
        Coord hi[3];
    };

    std::int32_t BuildRange(std::size_t lo, std::size_t hi, int axis, Extent& extent);
    void SelectMedian(std::size_t lo, std::size_t hi, std::size_t mid, int axis);
    template <class Visit>
    bool VisitNode(std::int32_t node, int axis, const Coord (&lo)[3], const Coord (&hi)[3],
                   Visit& visit) const;
    static bool Overlaps(const Item& item, const Coord (&lo)[3], const Coord (&hi)[3])
    {
        return item.lo[0] <= hi[0] && item.hi[0] >= lo[0] && item.lo[1] <= hi[1] && item.hi[1] >= lo[1] &&
               item.lo[2] <= hi[2] && item.hi[2] >= lo[2];
    }

    std::vector<Item> m_items;         // the pool, in insertion order
    std::vector<std::int32_t> m_order; // build order (pool indices)
    std::size_t m_capacity = 0;
    std::int32_t m_root = -1;
};

using CBoxTree = BoxTree<std::int32_t>;
using CFloatBoxTree = BoxTree<float>;

template <class Coord>
template <class Visit>
bool BoxTree<Coord>::VisitOverlaps(const Coord (&lo)[3], const Coord (&hi)[3], Visit&& visit) const
{
    if (m_root < 0) {
        for (const Item& item : m_items) {
            if (Overlaps(item, lo, hi) && !visit(item.payload)) {
                return false;
            }
        }
        return true;
    }
    return VisitNode(m_root, 0, lo, hi, visit);
}

template <class Coord>
template <class Visit>
bool BoxTree<Coord>::VisitNode(std::int32_t node, int axis, const Coord (&lo)[3], const Coord (&hi)[3],
                               Visit& visit) const
{
    // Items right of a node never have a smaller low bound on its axis, so a
    // node above the query rules out itself and its right subtree.
    const Item& item = m_items[static_cast<std::size_t>(node)];
    const int next = axis == 2 ? 0 : axis + 1;
    if (item.lo[axis] > hi[axis]) {
        if (item.child[0] >= 0 && item.subHi[0] >= lo[axis] && item.subLo[0] <= hi[axis]) {
            return VisitNode(item.child[0], next, lo, hi, visit);
        }
        return true;
    }
    if (Overlaps(item, lo, hi) && !visit(item.payload)) {
        return false;
    }
    if (item.child[0] >= 0 && item.subHi[0] >= lo[axis] && !VisitNode(item.child[0], next, lo, hi, visit)) {
        return false;
    }
    if (item.child[1] >= 0 && item.subHi[1] >= lo[axis] && item.subLo[1] <= hi[axis]) {
        return VisitNode(item.child[1], next, lo, hi, visit);
    }
    return true;
}

extern template class BoxTree<std::int32_t>;
extern template class BoxTree<float>;

} // namespace kernels
