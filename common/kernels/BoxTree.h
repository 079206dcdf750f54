// Static kd-tree over axis-aligned boxes: the caller sizes it, adds its boxes,
// builds it once and then asks many times which boxes overlap a query box.
// Every box is a node of the tree (median split on the low bound, the axis
// cycling x, y, z by depth, or only x and y for flat boxes of a plane); each
// node keeps the extent of its two subtrees along its split axis so that a
// query skips subtrees. Sets of 40 boxes or fewer are not built and are
// scanned in insertion order instead.
//
// Integer boxes (CBoxTree) serve the block geometry, float boxes
// (CFloatBoxTree) the obstruction rays of the view factors. Queries are const
// and keep their state on the stack, so several threads may query one built
// tree at the same time.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>
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
    // Builds the tree when more than 40 boxes were added. axes 2 splits on x
    // and y only: for boxes that all lie in one z plane, where a split on z
    // would separate nothing.
    void Build(int axes = 3);

    // Writes the payloads of all boxes that overlap or touch the query box into
    // out and returns their number; out must hold Count() ids.
    std::size_t QueryOverlaps(std::span<std::int32_t> out, Coord x1, Coord y1, Coord z1, Coord x2, Coord y2,
                              Coord z2) const;

    // Calls visit(payload) for every box that overlaps or touches [lo, hi] in
    // the same order as QueryOverlaps; visit returns false to stop early.
    // Returns false when it was stopped.
    template <class Visit>
    bool VisitOverlaps(const Coord (&lo)[3], const Coord (&hi)[3], Visit&& visit) const;

    // Calls visit(payload) for every box that the straight segment from a to
    // b passes through or touches (a superset: boxes within rounding of it may
    // be visited too); visit returns false to stop early. Returns false when
    // it was stopped. Unlike a query with the segment's bounding box, a long
    // slanted segment visits only the boxes along it.
    template <class Visit>
    bool VisitAlongSegment(const double (&a)[3], const double (&b)[3], Visit&& visit) const;

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
    struct Segment {
        double a[3];
        double d[3];
    };
    template <class Visit>
    bool VisitSegmentNode(std::int32_t node, int axis, const Segment& seg, double t0, double t1,
                          Visit& visit) const;
    // Narrows [t0, t1] to the parameters where the segment lies within
    // [lo, hi] on the axis (widened by a relative margin against rounding);
    // false when nothing is left.
    static bool ClipToSlab(const Segment& seg, int axis, double lo, double hi, double& t0, double& t1)
    {
        const double margin = 1e-9 * (std::abs(lo) + std::abs(hi) + 1.0);
        lo -= margin;
        hi += margin;
        const double a = seg.a[axis];
        const double d = seg.d[axis];
        if (d == 0.0) {
            return a >= lo && a <= hi && t0 <= t1;
        }
        double ta = (lo - a) / d;
        double tb = (hi - a) / d;
        if (ta > tb) {
            std::swap(ta, tb);
        }
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        return t0 <= t1;
    }
    int NextAxis(int axis) const { return axis + 1 >= m_axes ? 0 : axis + 1; }
    static bool Overlaps(const Item& item, const Coord (&lo)[3], const Coord (&hi)[3])
    {
        return item.lo[0] <= hi[0] && item.hi[0] >= lo[0] && item.lo[1] <= hi[1] && item.hi[1] >= lo[1] &&
               item.lo[2] <= hi[2] && item.hi[2] >= lo[2];
    }

    std::vector<Item> m_items;         // the pool, in insertion order
    std::vector<std::int32_t> m_order; // build order (pool indices)
    std::size_t m_capacity = 0;
    std::int32_t m_root = -1;
    int m_axes = 3; // axes the splits cycle through
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
    const int next = NextAxis(axis);
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

template <class Coord>
template <class Visit>
bool BoxTree<Coord>::VisitAlongSegment(const double (&a)[3], const double (&b)[3], Visit&& visit) const
{
    const Segment seg{{a[0], a[1], a[2]}, {b[0] - a[0], b[1] - a[1], b[2] - a[2]}};
    auto crosses = [&](const Item& item, double t0, double t1) {
        for (int axis = 0; axis < 3; ++axis) {
            if (!ClipToSlab(seg, axis, double(item.lo[axis]), double(item.hi[axis]), t0, t1)) {
                return false;
            }
        }
        return true;
    };
    if (m_root < 0) {
        for (const Item& item : m_items) {
            if (crosses(item, 0.0, 1.0) && !visit(item.payload)) {
                return false;
            }
        }
        return true;
    }
    return VisitSegmentNode(m_root, 0, seg, 0.0, 1.0, visit);
}

// [t0, t1] is the part of the segment inside the slabs of the node's
// ancestors, which hold the node's whole subtree.
template <class Coord>
template <class Visit>
bool BoxTree<Coord>::VisitSegmentNode(std::int32_t node, int axis, const Segment& seg, double t0, double t1,
                                      Visit& visit) const
{
    const Item& item = m_items[static_cast<std::size_t>(node)];
    double u0 = t0;
    double u1 = t1;
    bool hit = true;
    for (int a = 0; a < 3 && hit; ++a) {
        hit = ClipToSlab(seg, a, double(item.lo[a]), double(item.hi[a]), u0, u1);
    }
    if (hit && !visit(item.payload)) {
        return false;
    }
    const int next = NextAxis(axis);
    for (int side = 0; side < 2; ++side) {
        if (item.child[side] < 0) {
            continue;
        }
        double v0 = t0;
        double v1 = t1;
        if (ClipToSlab(seg, axis, double(item.subLo[side]), double(item.subHi[side]), v0, v1) &&
            !VisitSegmentNode(item.child[side], next, seg, v0, v1, visit)) {
            return false;
        }
    }
    return true;
}

extern template class BoxTree<std::int32_t>;
extern template class BoxTree<float>;

} // namespace kernels
