// Node numbering of a block grid over explicit data: every grid point gets
// -1 (no node), a fixed number -2 - n of the boundary entry n that holds its
// temperature (node BCs, then border-face BCs, then material BCs, one
// number per entry whatever its type), or the next unknown 0, 1, ... when it
// touches a conductive cell. The unknowns follow the points with i
// outermost and k innermost, the order the solution files rely on.
#pragma once
#include "common/kernels/KernelTypes.h"
#include "common/kernels/RadiationZones.h"

#include <cstdint>
#include <span>

namespace kernels {

// The node-index array of a grid of nx·ny·nz cells: one entry per grid point
// at i + j·(nx+1) + k·(nx+1)·(ny+1).
struct NodeGrid {
    int nx = 0;
    int ny = 0;
    int nz = 0;
    std::span<const std::int32_t> index;

    std::size_t PointCount() const { return std::size_t(nx + 1) * std::size_t(ny + 1) * std::size_t(nz + 1); }
    // The number at a grid point; -1 outside 0..nx, 0..ny, 0..nz.
    std::int32_t At(long long i, long long j, long long k) const
    {
        if (i < 0 || j < 0 || k < 0 || i > nx || j > ny || k > nz || index.size() < PointCount())
            return -1;
        return index[std::size_t(i + (nx + 1) * (j + (ny + 1) * k))];
    }
};

// A fixed-temperature entry (fixed) or one of another kind, which numbers
// nothing but still takes its number.
struct NodeBcEntry {
    bool fixed = false;
    int i = 0, j = 0, k = 0; // grid point
};
struct BorderBcEntry {
    bool fixed = false;
    int colour1 = -1, colour2 = -1; // the faces between cells of these two colours
};
struct MaterialBcEntry {
    bool fixed = false;
    int colour = -1; // the corners of every cell of this colour
};

struct NodeNumberingRules {
    std::span<const NodeBcEntry> nodeBcs;
    std::span<const BorderBcEntry> borderBcs;
    std::span<const MaterialBcEntry> materialBcs;
    // A point is numbered once, the first entry winning; with this set a
    // later node BC on the same point replaces an earlier one.
    bool laterNodeBcOverrides = false;
};

// True for the conductive colour types (MATERIAL, EQUIMAT, TRANSMAT).
bool IsConductiveColourType(int type);

// Fills index (one entry per grid point, every entry -1 on entry) and
// returns the number of unknowns. In a grid one cell thick along an axis
// (z, then y, then x) a node BC stands for the line across that cell and
// fixes both of its points. Entries outside the grid number nothing.
// colourTypes holds the type of each of the 256 colours. Throws
// std::bad_alloc when the unknowns would not fit 32-bit node numbers.
Index NumberGridNodes(const CellGrid& cells, std::span<const int> colourTypes, const NodeNumberingRules& rules,
                      std::span<std::int32_t> index);

// Calls link(a, b), a < b, once for every pair of unknowns that are axis
// neighbours, visiting the points i outermost, k innermost and each point's
// neighbours -x, +x, -y, +y, -z, +z; polls Esc every 10000 unknowns.
template <class Link> void ForEachGridNeighbourLink(const NodeGrid& nodes, Link&& link, const EscCheck& esc)
{
    const std::int32_t* node = nodes.index.data();
    const Index sy = nodes.nx + 1, sz = Index(nodes.nx + 1) * (nodes.ny + 1);
    Index counted = 0;
    for (int i = 0; i <= nodes.nx; ++i)
        for (int j = 0; j <= nodes.ny; ++j)
            for (int k = 0; k <= nodes.nz; ++k) {
                const Index p = i + j * sy + k * sz;
                const std::int32_t v = node[p];
                if (v < 0)
                    continue;
                auto tryLink = [&](bool inside, Index q) {
                    if (inside && node[q] > v)
                        link(Index(v), Index(node[q]));
                };
                tryLink(i > 0, p - 1);
                tryLink(i < nodes.nx, p + 1);
                tryLink(j > 0, p - sy);
                tryLink(j < nodes.ny, p + sy);
                tryLink(k > 0, p - sz);
                tryLink(k < nodes.nz, p + sz);
                if (++counted % 10000 == 0)
                    PollEsc(esc);
            }
}

} // namespace kernels
