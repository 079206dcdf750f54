// Painting the model's blocks into a cell raster.
#include "gelmar/model/store/CellRaster.h"

#include "gelmar/model/store/ModelStore.h"

#include <algorithm>

namespace gelmar {

int CellRaster::InClip(long long i, long long j, long long k) const
{
    const long long p[3] = {i, j, k};
    for (int a = 0; a < 3; ++a) {
        const long long lo = static_cast<long long>(clipLo[a]);
        const long long hi = static_cast<long long>(std::min(clipHi[a], n[a]));
        if (p[a] < lo || p[a] >= hi)
            return -1;
    }
    return At(static_cast<std::size_t>(i), static_cast<std::size_t>(j), static_cast<std::size_t>(k));
}

CellRaster RasteriseModel(const ModelStore& m)
{
    CellRaster r;
    for (int a = 0; a < 3; ++a) {
        r.n[a] = m.axes[a].n;
        r.clipLo[a] = m.clipLo[a];
        r.clipHi[a] = m.clipHi[a];
    }
    r.colour.assign(r.n[0] * r.n[1] * r.n[2], -1);
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& blk = m.blocks[b];
        const std::size_t x2 = std::min<std::size_t>(blk.x2, r.n[0]);
        const std::size_t y2 = std::min<std::size_t>(blk.y2, r.n[1]);
        const std::size_t z2 = std::min<std::size_t>(blk.z2, r.n[2]);
        for (std::size_t k = blk.z1; k < z2; ++k)
            for (std::size_t j = blk.y1; j < y2; ++j)
                for (std::size_t i = blk.x1; i < x2; ++i)
                    r.colour[r.Index(i, j, k)] = blk.colour;
    }
    return r;
}

} // namespace gelmar
