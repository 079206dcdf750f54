// Boundary and unknown node numbers of the grid points.
#include "common/kernels/NodeNumbering.h"

#include <limits>
#include <new>
#include <stdexcept>

namespace kernels {

namespace {

struct Numberer {
    const CellGrid& cells;
    std::span<const int> types;
    std::span<std::int32_t> index;
    int nx, ny, nz;

    bool Inside(int i, int j, int k) const { return i >= 0 && j >= 0 && k >= 0 && i <= nx && j <= ny && k <= nz; }
    std::int32_t& At(int i, int j, int k)
    {
        return index[std::size_t(i) + std::size_t(nx + 1) * (std::size_t(j) + std::size_t(ny + 1) * std::size_t(k))];
    }
    template <class Test> bool AnySurroundingCell(int i, int j, int k, Test&& test) const
    {
        for (int c = k - 1; c <= k; ++c)
            for (int b = j - 1; b <= j; ++b)
                for (int a = i - 1; a <= i; ++a)
                    if (test(cells.ColourAt(a, b, c)))
                        return true;
        return false;
    }
    // Do two face-sharing cells of the eight around the point carry c1 and
    // c2, one each?
    bool HasBorderPair(int i, int j, int k, int c1, int c2) const
    {
        auto pair = [&](int u, int v) { return (u == c1 && v == c2) || (u == c2 && v == c1); };
        for (int c = k - 1; c <= k; ++c)
            for (int b = j - 1; b <= j; ++b)
                for (int a = i - 1; a <= i; ++a) {
                    const int here = cells.ColourAt(a, b, c);
                    if ((a == i - 1 && pair(here, cells.ColourAt(a + 1, b, c))) ||
                        (b == j - 1 && pair(here, cells.ColourAt(a, b + 1, c))) ||
                        (c == k - 1 && pair(here, cells.ColourAt(a, b, c + 1))))
                        return true;
                }
        return false;
    }
    template <class Visit> void ForEachPoint(Visit&& visit)
    {
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j)
                for (int k = 0; k <= nz; ++k)
                    visit(i, j, k);
    }
    bool Conductive(int colour) const { return colour >= 0 && IsConductiveColourType(types[std::size_t(colour)]); }
};

} // namespace

bool IsConductiveColourType(int type)
{
    return type == kMaterial || type == kEquivalentMaterial || type == kTransparentMaterial;
}

Index NumberGridNodes(const CellGrid& cells, std::span<const int> colourTypes, const NodeNumberingRules& rules,
                      std::span<std::int32_t> index)
{
    if (colourTypes.size() < 256)
        throw std::invalid_argument("colour types must cover all 256 colours");
    Numberer n{cells, colourTypes, index, cells.nx, cells.ny, cells.nz};
    if (index.size() < std::size_t(n.nx + 1) * std::size_t(n.ny + 1) * std::size_t(n.nz + 1))
        throw std::invalid_argument("node-index array smaller than the grid");
    const int flat = SelectThinAxis(n.nx, n.ny, n.nz);
    std::int32_t number = -2;
    for (const NodeBcEntry& r : rules.nodeBcs) {
        if (r.fixed) {
            int p[3] = {r.i, r.j, r.k};
            for (int layer = 0; layer <= (flat >= 0 ? 1 : 0); ++layer) {
                if (flat >= 0)
                    p[flat] = layer;
                if (!n.Inside(p[0], p[1], p[2]))
                    continue;
                std::int32_t& at = n.At(p[0], p[1], p[2]);
                if (at == -1 || rules.laterNodeBcOverrides)
                    at = number;
            }
        }
        --number;
    }
    for (const BorderBcEntry& r : rules.borderBcs) {
        if (r.fixed && r.colour1 >= 0 && r.colour2 >= 0)
            n.ForEachPoint([&](int i, int j, int k) {
                std::int32_t& at = n.At(i, j, k);
                if (at == -1 && n.HasBorderPair(i, j, k, r.colour1, r.colour2))
                    at = number;
            });
        --number;
    }
    for (const MaterialBcEntry& r : rules.materialBcs) {
        if (r.fixed && r.colour >= 0 && r.colour < 256 && n.Conductive(r.colour))
            n.ForEachPoint([&](int i, int j, int k) {
                std::int32_t& at = n.At(i, j, k);
                if (at == -1 && n.AnySurroundingCell(i, j, k, [&](int c) { return c == r.colour; }))
                    at = number;
            });
        --number;
    }
    Index unknowns = 0;
    n.ForEachPoint([&](int i, int j, int k) {
        std::int32_t& at = n.At(i, j, k);
        if (at != -1 || !n.AnySurroundingCell(i, j, k, [&](int c) { return n.Conductive(c); }))
            return;
        // Node numbers are 32-bit in the node-index array and the matrix.
        if (unknowns >= std::numeric_limits<std::int32_t>::max())
            throw std::bad_alloc();
        at = static_cast<std::int32_t>(unknowns++);
    });
    return unknowns;
}

} // namespace kernels
