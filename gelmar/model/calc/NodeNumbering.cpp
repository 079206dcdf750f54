// Numbering of boundary and calculation nodes, and the matrix pattern.
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "common/kernels/NodeNumbering.h"
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <array>
#include <new>
#include <vector>

namespace gelmar {

namespace {

int Cells(ModelStore& model, int axis)
{
    return model.axes[axis].n;
}

kernels::EscCheck EngineEsc(EngineHost& host)
{
    return [&host] {
        CheckEscAbort(host);
        return false;
    };
}

} // namespace

bool IsConductiveType(int type)
{
    return kernels::IsConductiveColourType(type);
}

bool IsConductiveCell(ModelStore& model, RunState& run, int i, int j, int k)
{
    const int c = GetCellColour(model, run.work, i, j, k);
    return c >= 0 && c < kColourCount && IsConductiveType(model.colours[c].type);
}

void BuildNodeNumbering(ModelStore& model, RunState& run, EngineHost& host)
{
    AllocWorkArray(model, run, kNodeIndexArray);
    const ModelStore& m = model;
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
        const kernels::CellGrid cells{Cells(model, 0), Cells(model, 1), Cells(model, 2), run.work.cellColours};
        // A later node BC on a point replaces an earlier one.
        const kernels::NodeNumberingRules rules{nodeBcs, borderBcs, materialBcs, true};
        run.work.gridNodeCount = run.work.rowCount =
            kernels::NumberGridNodes(cells, types, rules, run.work.nodeIndex);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    CheckEscAbort(host);
}

void BuildMatrixPattern(ModelStore& model, RunState& run, EngineHost& host)
{
    const WorkArrays& w = run.work;
    const kernels::NodeGrid nodes{Cells(model, 0), Cells(model, 1), Cells(model, 2), w.nodeIndex};
    auto links = [&](auto&& link) {
        kernels::ForEachGridNeighbourLink(nodes, link, EngineEsc(host));
        ForEachZoneLink(run, [&](kernels::Index a, kernels::Index b) { link(a, b); });
    };
    try {
        run.work.matrix.reset();
        run.work.pattern = std::make_unique<kernels::SymmetricPattern>(
            kernels::BuildSymmetricPattern(w.rowCount, w.gridNodeCount, links, EngineEsc(host)));
        run.work.matrix = std::make_unique<kernels::SymmetricMatrix>(*run.work.pattern);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    AllocWorkArray(model, run, kMatrixRowArrays);
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



} // namespace gelmar
