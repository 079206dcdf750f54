// Building and plain queries of the static box kd-tree (see BoxTree.h).
#include "common/kernels/BoxTree.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

namespace kernels {

template <class Coord> bool BoxTree<Coord>::Init(std::size_t n)
{
    Free();
    try {
        m_items.reserve(n);
        m_order.reserve(n);
    } catch (const std::bad_alloc&) {
        Free();
        return false;
    } catch (const std::length_error&) {
        Free();
        return false;
    }
    m_capacity = n;
    return true;
}

template <class Coord> void BoxTree<Coord>::Free()
{
    std::vector<Item>().swap(m_items);
    std::vector<std::int32_t>().swap(m_order);
    m_capacity = 0;
    m_root = -1;
}

template <class Coord>
void BoxTree<Coord>::AddBox(std::int32_t payload, Coord x1, Coord y1, Coord z1, Coord x2, Coord y2, Coord z2)
{
    if (m_items.size() >= m_capacity) {
        return;
    }
    Item item{};
    item.lo[0] = x1;
    item.lo[1] = y1;
    item.lo[2] = z1;
    item.hi[0] = x2;
    item.hi[1] = y2;
    item.hi[2] = z2;
    item.payload = payload;
    item.child[0] = item.child[1] = -1;
    item.subHi[0] = item.subHi[1] = kNone;
    m_items.push_back(item);
    m_root = -1;
}

template <class Coord> void BoxTree<Coord>::Build(int axes)
{
    m_root = -1;
    m_axes = std::clamp(axes, 1, 3);
    if (m_items.size() <= kScanLimit) {
        return;
    }
    m_order.resize(m_items.size());
    for (std::size_t n = 0; n < m_items.size(); ++n) {
        m_order[n] = static_cast<std::int32_t>(n);
    }
    Extent extent;
    m_root = BuildRange(0, m_items.size() - 1, 0, extent);
}

// Puts the item of rank mid (by low bound on the axis) at position mid of
// the order array: Hoare partitions while the active range holds 10 or more
// items, then a selection sort up to mid.
template <class Coord>
void BoxTree<Coord>::SelectMedian(std::size_t lo, std::size_t hi, std::size_t mid, int axis)
{
    auto key = [&](std::size_t pos) { return m_items[static_cast<std::size_t>(m_order[pos])].lo[axis]; };
    std::ptrdiff_t l = static_cast<std::ptrdiff_t>(lo);
    std::ptrdiff_t h = static_cast<std::ptrdiff_t>(hi);
    const std::ptrdiff_t m = static_cast<std::ptrdiff_t>(mid);
    while (h - l + 1 >= 10) {
        const Coord pivot = key(static_cast<std::size_t>(m));
        std::ptrdiff_t i = l;
        std::ptrdiff_t j = h;
        while (i <= j) {
            while (key(static_cast<std::size_t>(i)) < pivot) {
                ++i;
            }
            while (pivot < key(static_cast<std::size_t>(j))) {
                --j;
            }
            if (i <= j) {
                std::swap(m_order[static_cast<std::size_t>(i)], m_order[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        }
        if (j < m) {
            l = i;
        }
        if (m < i) {
            h = j;
        }
    }
    for (std::ptrdiff_t p = l; p <= m && p <= h; ++p) {
        std::ptrdiff_t best = p;
        for (std::ptrdiff_t q = p + 1; q <= h; ++q) {
            if (key(static_cast<std::size_t>(q)) < key(static_cast<std::size_t>(best))) {
                best = q;
            }
        }
        std::swap(m_order[static_cast<std::size_t>(p)], m_order[static_cast<std::size_t>(best)]);
    }
}

// Builds the order positions lo..hi into a subtree split on the axis and
// returns its root; extent receives the bounding box of the whole range.
template <class Coord>
std::int32_t BoxTree<Coord>::BuildRange(std::size_t lo, std::size_t hi, int axis, Extent& extent)
{
    const std::size_t mid = lo + (hi - lo) / 2;
    SelectMedian(lo, hi, mid, axis);
    const std::int32_t node = m_order[mid];
    // The pool does not grow during a build, so this reference stays valid.
    Item& item = m_items[static_cast<std::size_t>(node)];
    for (int a = 0; a < 3; ++a) {
        extent.lo[a] = item.lo[a];
        extent.hi[a] = item.hi[a];
    }
    const int next = NextAxis(axis);
    const std::pair<std::size_t, std::size_t> ranges[2] = {{lo, mid}, {mid + 1, hi + 1}}; // half-open
    for (int side = 0; side < 2; ++side) {
        const auto [first, end] = ranges[side];
        std::int32_t child = -1;
        Extent sub{};
        if (first < end) {
            child = BuildRange(first, end - 1, next, sub);
        }
        item.child[side] = child;
        if (child < 0) {
            item.subLo[side] = std::numeric_limits<Coord>::max();
            item.subHi[side] = kNone;
            continue;
        }
        item.subLo[side] = sub.lo[axis];
        item.subHi[side] = sub.hi[axis];
        for (int a = 0; a < 3; ++a) {
            extent.lo[a] = std::min(extent.lo[a], sub.lo[a]);
            extent.hi[a] = std::max(extent.hi[a], sub.hi[a]);
        }
    }
    return node;
}

template <class Coord>
std::size_t BoxTree<Coord>::QueryOverlaps(std::span<std::int32_t> out, Coord x1, Coord y1, Coord z1, Coord x2,
                                          Coord y2, Coord z2) const
{
    if (out.size() < m_items.size()) {
        throw std::length_error("BoxTree::QueryOverlaps: the result buffer must hold every box");
    }
    const Coord lo[3] = {x1, y1, z1};
    const Coord hi[3] = {x2, y2, z2};
    std::size_t count = 0;
    VisitOverlaps(lo, hi, [&](std::int32_t payload) {
        out[count++] = payload;
        return true;
    });
    return count;
}

template class BoxTree<std::int32_t>;
template class BoxTree<float>;

} // namespace kernels
