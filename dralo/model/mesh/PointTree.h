// A static 2-d tree over integer points, each standing for a payload (a
// vertex or a triangle): filled once, built once, then asked for every
// point inside an axis-parallel box. The mesh builder places its lattice
// with it and the advancing front finds its candidate apexes with it.
//
// The tree is implicit: after the build, the node of the range [lo, hi]
// sits at (lo + hi) / 2 with the median of its range by x (even depths) or
// y (odd depths), its two sub-ranges on either side, so the nodes need no
// child links. Queries allocate nothing.
#pragma once
#include <cstdint>
#include <vector>

namespace dralo {

class PointTree {
  public:
    // Room for capacity points; std::bad_alloc when memory is short.
    void Reserve(std::size_t capacity);
    void Insert(std::int32_t payload, std::int32_t x, std::int32_t y) { m_nodes.push_back({x, y, payload}); }
    void Build();
    std::size_t Size() const { return m_nodes.size(); }

    // Calls visit(payload, x, y) for every point with x1 <= x <= x2 and
    // y1 <= y <= y2; visit returns false to end the query early.
    template <class Visit> void Query(std::int64_t x1, std::int64_t x2, std::int64_t y1, std::int64_t y2, Visit&& visit) const;
    // Whether any point lies inside the box.
    bool Any(std::int64_t x1, std::int64_t x2, std::int64_t y1, std::int64_t y2) const
    {
        bool found = false;
        Query(x1, x2, y1, y2, [&](std::int32_t, std::int32_t, std::int32_t) {
            found = true;
            return false;
        });
        return found;
    }

  private:
    struct Node {
        std::int32_t x, y, payload;
    };
    void BuildRange(std::size_t lo, std::size_t hi, int depth);

    std::vector<Node> m_nodes;
};

template <class Visit>
void PointTree::Query(std::int64_t x1, std::int64_t x2, std::int64_t y1, std::int64_t y2, Visit&& visit) const
{
    if (m_nodes.empty() || x1 > x2 || y1 > y2)
        return;
    struct Range {
        std::int64_t lo, hi;
        int depth;
    };
    // A balanced tree of up to 2^31 nodes is at most 32 levels deep; every
    // level leaves at most one range waiting.
    Range stack[64];
    int top = 0;
    stack[top++] = {0, static_cast<std::int64_t>(m_nodes.size()) - 1, 0};
    while (top > 0) {
        const Range r = stack[--top];
        const std::int64_t mid = (r.lo + r.hi) / 2;
        const Node& n = m_nodes[static_cast<std::size_t>(mid)];
        if (n.x >= x1 && n.x <= x2 && n.y >= y1 && n.y <= y2 && !visit(n.payload, n.x, n.y))
            return;
        const std::int64_t key = (r.depth & 1) ? n.y : n.x;
        const std::int64_t lower = (r.depth & 1) ? y1 : x1;
        const std::int64_t upper = (r.depth & 1) ? y2 : x2;
        if (mid + 1 <= r.hi && key <= upper)
            stack[top++] = {mid + 1, r.hi, r.depth + 1};
        if (r.lo <= mid - 1 && key >= lower)
            stack[top++] = {r.lo, mid - 1, r.depth + 1};
    }
}

} // namespace dralo
