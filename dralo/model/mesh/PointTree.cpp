// Median splits by selection, alternating the axis with the depth.
#include "dralo/model/mesh/PointTree.h"

#include <algorithm>

namespace dralo {

void PointTree::Reserve(std::size_t capacity)
{
    m_nodes.clear();
    m_nodes.reserve(capacity);
}

void PointTree::Build()
{
    if (!m_nodes.empty())
        BuildRange(0, m_nodes.size() - 1, 0);
}

void PointTree::BuildRange(std::size_t lo, std::size_t hi, int depth)
{
    // Iterates down the right-hand ranges, recurses into the left-hand ones:
    // the recursion is as deep as the tree, about log2 of its size.
    while (hi > lo) {
        const std::size_t mid = lo + (hi - lo) / 2;
        const bool byY = depth & 1;
        std::nth_element(m_nodes.begin() + static_cast<std::ptrdiff_t>(lo),
                         m_nodes.begin() + static_cast<std::ptrdiff_t>(mid),
                         m_nodes.begin() + static_cast<std::ptrdiff_t>(hi) + 1,
                         [byY](const Node& a, const Node& b) { return byY ? a.y < b.y : a.x < b.x; });
        if (mid > lo)
            BuildRange(lo, mid - 1, depth + 1);
        lo = mid + 1;
        ++depth;
    }
}

} // namespace dralo
