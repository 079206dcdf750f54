// Numbering of boundary and calculation nodes, and the matrix pattern.
#include "gelmar/model/calc/NodeNumbering.h"

#include "common/core/ErrorCode.h"
#include "common/kernels/NodeNumbering.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <array>
#include <new>
#include <vector>

namespace gelmar {

namespace {

int Cells(int axis)
{
    return g_model.axes[axis].n;
}

kernels::EscCheck EngineEsc()
{
    return [] {
        CheckEscAbort();
        return false;
    };
}

} // namespace

bool IsConductiveType(int type)
{
    return kernels::IsConductiveColourType(type);
}

bool IsConductiveCell(int i, int j, int k)
{
    const int c = GetCellColour(i, j, k);
    return c >= 0 && c < kColourCount && IsConductiveType(g_model.colours[c].type);
}

void BuildNodeNumbering()
{
    AllocWorkArray(kNodeIndexArray);
    const ModelStore& m = g_model;
    std::vector<kernels::NodeBcEntry> nodeBcs;
    std::vector<kernels::BorderBcEntry> borderBcs;
    std::vector<kernels::MaterialBcEntry> materialBcs;
    std::array<int, kColourCount> types{};
    try {
        for (std::int32_t n = 0; n < m.nodeBcs.count; ++n)
            nodeBcs.push_back({m.nodeBcs[n].type == 0, m.nodeBcs[n].i, m.nodeBcs[n].j, m.nodeBcs[n].k});
        for (std::int32_t n = 0; n < m.borderBcs.count; ++n)
            borderBcs.push_back({m.borderBcs[n].type == 0, m.borderBcs[n].colour1, m.borderBcs[n].colour2});
        for (std::int32_t n = 0; n < m.materialBcs.count; ++n)
            materialBcs.push_back({m.materialBcs[n].type == 0, m.materialBcs[n].colour});
        for (int c = 0; c < kColourCount; ++c)
            types[c] = m.colours[c].type;
        const kernels::CellGrid cells{Cells(0), Cells(1), Cells(2), g_work.cellColours};
        // A later node BC on a point replaces an earlier one.
        const kernels::NodeNumberingRules rules{nodeBcs, borderBcs, materialBcs, true};
        g_work.gridNodeCount = g_work.rowCount = kernels::NumberGridNodes(cells, types, rules, g_work.nodeIndex);
    } catch (const std::bad_alloc&) {
        common::RaiseError(kErrorMemory);
    }
    CheckEscAbort();
}

void BuildMatrixPattern()
{
    const WorkArrays& w = g_work;
    const kernels::NodeGrid nodes{Cells(0), Cells(1), Cells(2), w.nodeIndex};
    auto links = [&](auto&& link) {
        kernels::ForEachGridNeighbourLink(nodes, link, EngineEsc());
        ForEachZoneLink([&](kernels::Index a, kernels::Index b) { link(a, b); });
    };
    try {
        g_work.matrix.reset();
        g_work.pattern = std::make_unique<kernels::SymmetricPattern>(
            kernels::BuildSymmetricPattern(w.rowCount, w.gridNodeCount, links, EngineEsc()));
        g_work.matrix = std::make_unique<kernels::SymmetricMatrix>(*g_work.pattern);
    } catch (const std::bad_alloc&) {
        common::RaiseError(kErrorMemory);
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
