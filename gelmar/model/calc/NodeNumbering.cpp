// Numbering of boundary and calculation nodes, and the matrix pattern.
#include "gelmar/model/calc/NodeNumbering.h"

#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <limits>
#include <new>

namespace gelmar {

namespace {

int Cells(int axis)
{
    return g_model.axes[axis].n;
}

// The axis along which the grid has a single cell (z, then y, then x), or -1.
int FlatAxis()
{
    for (int a = 2; a >= 0; --a)
        if (Cells(a) == 1)
            return a;
    return -1;
}

kernels::EscCheck EngineEsc()
{
    return [] {
        CheckEscAbort(Host());
        return false;
    };
}

template <class Test> bool AnySurroundingCell(int i, int j, int k, Test&& test)
{
    for (int c = k - 1; c <= k; ++c)
        for (int b = j - 1; b <= j; ++b)
            for (int a = i - 1; a <= i; ++a)
                if (test(GetCellColour(a, b, c)))
                    return true;
    return false;
}

// Do the eight cells around point (i, j, k) hold a face-adjacent pair of
// colours c1 and c2 (in either order)?
bool HasBorderPair(int i, int j, int k, int c1, int c2)
{
    auto pair = [&](int u, int v) { return (u == c1 && v == c2) || (u == c2 && v == c1); };
    for (int c = k - 1; c <= k; ++c)
        for (int b = j - 1; b <= j; ++b)
            for (int a = i - 1; a <= i; ++a) {
                const int here = GetCellColour(a, b, c);
                if ((a == i - 1 && pair(here, GetCellColour(a + 1, b, c))) ||
                    (b == j - 1 && pair(here, GetCellColour(a, b + 1, c))) ||
                    (c == k - 1 && pair(here, GetCellColour(a, b, c + 1))))
                    return true;
            }
    return false;
}

template <class Visit> void ForEachPoint(Visit&& visit)
{
    for (int i = 0; i <= Cells(0); ++i)
        for (int j = 0; j <= Cells(1); ++j)
            for (int k = 0; k <= Cells(2); ++k)
                visit(i, j, k);
}

} // namespace

bool IsConductiveType(int type)
{
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

bool IsConductiveCell(int i, int j, int k)
{
    const int c = GetCellColour(i, j, k);
    return c >= 0 && c < kColourCount && IsConductiveType(g_model.colours[c].type);
}

void BuildNodeNumbering()
{
    AllocWorkArray(kNodeIndexArray);
    std::int32_t number = -2;
    const int flat = FlatAxis();
    for (std::int32_t n = 0; n < g_model.nodeBcs.count; ++n, --number) {
        const NodeBcRecord& r = g_model.nodeBcs[n];
        if (r.type != 0)
            continue;
        int p[3] = {r.i, r.j, r.k};
        if (flat >= 0) {
            for (int layer = 0; layer <= 1; ++layer) {
                p[flat] = layer;
                SetNodeIndex(number, p[0], p[1], p[2]);
            }
        } else {
            SetNodeIndex(number, p[0], p[1], p[2]);
        }
    }
    for (std::int32_t n = 0; n < g_model.borderBcs.count; ++n, --number) {
        const BorderFaceBcRecord& r = g_model.borderBcs[n];
        if (r.type != 0 || r.colour1 < 0 || r.colour2 < 0)
            continue;
        ForEachPoint([&](int i, int j, int k) {
            if (GetNodeIndex(i, j, k) == -1 && HasBorderPair(i, j, k, r.colour1, r.colour2))
                SetNodeIndex(number, i, j, k);
        });
    }
    for (std::int32_t n = 0; n < g_model.materialBcs.count; ++n, --number) {
        const MaterialBcRecord& r = g_model.materialBcs[n];
        if (r.type != 0 || r.colour < 0 || r.colour >= kColourCount ||
            !IsConductiveType(g_model.colours[r.colour].type))
            continue;
        ForEachPoint([&](int i, int j, int k) {
            if (GetNodeIndex(i, j, k) == -1 &&
                AnySurroundingCell(i, j, k, [&](int c) { return c == r.colour; }))
                SetNodeIndex(number, i, j, k);
        });
    }
    std::int64_t grid = 0;
    ForEachPoint([&](int i, int j, int k) {
        if (GetNodeIndex(i, j, k) != -1)
            return;
        if (AnySurroundingCell(i, j, k,
                               [](int c) { return c >= 0 && IsConductiveType(g_model.colours[c].type); })) {
            // Node numbers are 32-bit in the node-index array and the matrix.
            if (grid >= std::numeric_limits<std::int32_t>::max())
                throw EngineError::Memory();
            SetNodeIndex(static_cast<std::int32_t>(grid++), i, j, k);
        }
    });
    g_work.gridNodeCount = g_work.rowCount = grid;
    CheckEscAbort(Host());
}

void BuildMatrixPattern()
{
    const WorkArrays& w = g_work;
    const std::int32_t* node = w.nodeIndex.data();
    const kernels::Index sx = 1, sy = w.rowStride, sz = w.layerStride;
    const int nx = Cells(0), ny = Cells(1), nz = Cells(2);
    auto links = [&](auto&& link) {
        kernels::Index counted = 0;
        for (int i = 0; i <= nx; ++i)
            for (int j = 0; j <= ny; ++j)
                for (int k = 0; k <= nz; ++k) {
                    const kernels::Index p = i * sx + j * sy + k * sz;
                    const std::int32_t v = node[p];
                    if (v < 0)
                        continue;
                    // Each pair once, from its smaller node: -x, +x, -y, +y, -z, +z.
                    auto tryLink = [&](bool inside, kernels::Index q) {
                        if (inside && node[q] > v)
                            link(v, node[q]);
                    };
                    tryLink(i > 0, p - sx);
                    tryLink(i < nx, p + sx);
                    tryLink(j > 0, p - sy);
                    tryLink(j < ny, p + sy);
                    tryLink(k > 0, p - sz);
                    tryLink(k < nz, p + sz);
                    if (++counted % 10000 == 0)
                        CheckEscAbort(Host());
                }
        ForEachZoneLink([&](kernels::Index a, kernels::Index b) { link(a, b); });
    };
    try {
        g_work.matrix.reset();
        g_work.pattern = std::make_unique<kernels::SymmetricPattern>(
            kernels::BuildSymmetricPattern(w.rowCount, w.gridNodeCount, links, EngineEsc()));
        g_work.matrix = std::make_unique<kernels::SymmetricMatrix>(*g_work.pattern);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    AllocWorkArray(kMatrixRowArrays);
}

double GetNodeValue(const ModelStore& model, const WorkArrays& work, std::int32_t n, int level)
{
    if (n >= 0) {
        const std::vector<double>& v = level == 0 ? work.solution : work.previous;
        return n < static_cast<kernels::Index>(v.size()) ? v[n] : 0.0;
    }
    kernels::Index k = -2 - kernels::Index(n);
    if (k < 0)
        return 0.0;
    if (k < model.nodeBcs.count) {
        const NodeBcRecord& r = model.nodeBcs[k];
        return level == 0 ? r.temperature : r.working.previous;
    }
    k -= model.nodeBcs.count;
    if (k < model.borderBcs.count) {
        const BorderFaceBcRecord& r = model.borderBcs[k];
        return level == 0 ? r.temperature : r.working.previous;
    }
    k -= model.borderBcs.count;
    if (k < model.materialBcs.count) {
        const MaterialBcRecord& r = model.materialBcs[k];
        return level == 0 ? r.temperature : r.working.previous;
    }
    return 0.0;
}

double GetNodeValueAt(const ModelStore& model, const WorkArrays& work, int i, int j, int k, int level)
{
    return GetNodeValue(model, work, GetNodeIndex(model, work, i, j, k), level);
}

double GetNodeValue(std::int32_t n, int level)
{
    return GetNodeValue(g_model, g_work, n, level);
}

double GetNodeValueAt(int i, int j, int k, int level)
{
    return GetNodeValueAt(g_model, g_work, i, j, k, level);
}

} // namespace gelmar
