// Clamped ranges and their coordinates.
#include "novelk/model/values/Ranges.h"

#include <algorithm>

namespace novelk {

IndexBox WholeGrid(const ModelStore& m)
{
    IndexBox b;
    for (int k = 0; k < 3; ++k)
        b.hi[k] = m.axes[static_cast<std::size_t>(k)].n;
    return b;
}

IndexBox BoxOf(const BlockRecord& r)
{
    return IndexBox{{r.x1, r.y1, r.z1}, {r.x2, r.y2, r.z2}};
}

IndexBox BoxOf(const AreaRecord& r)
{
    return IndexBox{{r.x1, r.y1, r.z1}, {r.x2, r.y2, r.z2}};
}

std::optional<IndexBox> ClipRange(const ModelStore& m, const IndexBox& box, bool inclusive)
{
    IndexBox out;
    for (int k = 0; k < 3; ++k) {
        const bool outside = inclusive ? box.hi[k] < m.clipLo[k] || box.lo[k] > m.clipHi[k]
                                       : box.hi[k] <= m.clipLo[k] || box.lo[k] >= m.clipHi[k];
        if (outside)
            return std::nullopt;
        out.lo[k] = std::max(box.lo[k], m.clipLo[k]);
        out.hi[k] = std::min(box.hi[k], m.clipHi[k]);
    }
    return out;
}

CoordinateBox UpdateRangeCoordinates(const ModelStore& m, const IndexBox& box)
{
    CoordinateBox c;
    for (int k = 0; k < 3; ++k) {
        c.lo[k] = LineCoordinate(m, k, box.lo[k]);
        c.hi[k] = LineCoordinate(m, k, box.hi[k]);
    }
    return c;
}

} // namespace novelk
