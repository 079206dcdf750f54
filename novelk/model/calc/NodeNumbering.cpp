// Node numbers of the grid points and the pattern of the system.
#include "novelk/model/calc/NodeNumbering.h"

#include "novelk/model/calc/Zones.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"

#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

namespace novelk {

namespace {

std::size_t PointIndex(const RunState& run, long long i, long long j, long long k)
{
    const std::size_t nx = run.cells.n[0], ny = run.cells.n[1];
    return std::size_t(i) + (nx + 1) * (std::size_t(j) + (ny + 1) * std::size_t(k));
}

} // namespace

kernels::CellGrid CellGridOf(const RunState& run)
{
    return {static_cast<int>(run.cells.n[0]), static_cast<int>(run.cells.n[1]), static_cast<int>(run.cells.n[2]),
            run.cells.colour};
}

kernels::NodeGrid NodeGridOf(const RunState& run)
{
    return {static_cast<int>(run.cells.n[0]), static_cast<int>(run.cells.n[1]), static_cast<int>(run.cells.n[2]),
            run.nodeIndex};
}

std::array<int, kColourCount> ColourTypes(const ModelStore& m)
{
    std::array<int, kColourCount> types{};
    for (int c = 0; c < kColourCount; ++c)
        types[static_cast<std::size_t>(c)] = m.colours[static_cast<std::size_t>(c)].type;
    return types;
}

void BuildNodeNumbering(const ModelStore& m, RunState& run, EngineHost& host)
{
    try {
        std::vector<kernels::NodeBcEntry> nodeBcs;
        std::vector<kernels::BorderBcEntry> borderBcs;
        std::vector<kernels::MaterialBcEntry> materialBcs;
        for (std::size_t n = 0; n < std::size_t(m.nodeBcs.count); ++n) {
            const NodeBcRecord& r = m.nodeBcs[n];
            nodeBcs.push_back({r.type == NODE_TEMP, r.i, r.j, r.k});
        }
        for (std::size_t n = 0; n < std::size_t(m.borderBcs.count); ++n) {
            const BorderFaceBcRecord& r = m.borderBcs[n];
            borderBcs.push_back({r.type == BORDER_TEMP, r.colour1, r.colour2});
        }
        for (std::size_t n = 0; n < std::size_t(m.materialBcs.count); ++n) {
            const MaterialBcRecord& r = m.materialBcs[n];
            materialBcs.push_back({r.type == MATERIAL_TEMP, r.colour});
        }
        const kernels::NodeGrid grid = NodeGridOf(run);
        run.nodeIndex.assign(grid.PointCount(), -1);
        const kernels::NodeNumberingRules rules{nodeBcs, borderBcs, materialBcs, false};
        run.gridUnknowns = run.unknowns =
            kernels::NumberGridNodes(CellGridOf(run), ColourTypes(m), rules, run.nodeIndex);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    } catch (const std::length_error&) {
        throw EngineError::Memory();
    }
    CheckEscAbort(host);
}

void SetNodeIndex(RunState& run, std::int32_t n, int i, int j, int k)
{
    run.nodeIndex[PointIndex(run, i, j, k)] = n;
}

std::int32_t GetNodeIndex(const RunState& run, long long i, long long j, long long k)
{
    return NodeGridOf(run).At(i, j, k);
}

double GetNodeValue(const ModelStore& m, const RunState& run, std::int32_t n)
{
    if (n >= 0)
        return std::size_t(n) < run.temperature.size() ? run.temperature[std::size_t(n)] : 0.0;
    if (n == -1)
        return 0.0;
    std::int64_t e = -2 - std::int64_t(n);
    if (e < m.nodeBcs.count)
        return m.nodeBcs[std::size_t(e)].temperature;
    e -= m.nodeBcs.count;
    if (e < m.borderBcs.count)
        return m.borderBcs[std::size_t(e)].temperature;
    e -= m.borderBcs.count;
    if (e < m.materialBcs.count)
        return m.materialBcs[std::size_t(e)].temperature;
    return 0.0;
}

double GetNodeValueAt(const ModelStore& m, const RunState& run, long long i, long long j, long long k)
{
    return GetNodeValue(m, run, GetNodeIndex(run, i, j, k));
}

void BuildMatrixStructure(const ModelStore&, RunState& run, EngineHost& host)
{
    CalcArrays& c = run.calc;
    const kernels::EscCheck esc = [&host] {
        CheckEscAbort(host);
        return false;
    };
    const kernels::NodeGrid nodes = NodeGridOf(run);
    auto links = [&](auto&& link) {
        kernels::ForEachGridNeighbourLink(nodes, link, esc);
        ForEachZoneLink(run, link, host);
    };
    try {
        if (run.unknowns > std::numeric_limits<kernels::Column>::max())
            throw std::bad_alloc();
        c.matrix.reset();
        c.pattern = std::make_unique<kernels::SymmetricPattern>(
            kernels::BuildSymmetricPattern(run.unknowns, run.gridUnknowns, links, esc));
        c.matrix = std::make_unique<kernels::SymmetricMatrix>(*c.pattern);
        c.rhs.assign(std::size_t(run.unknowns), 0.0);
        run.temperature.resize(std::size_t(run.unknowns), 0.0);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    } catch (const std::length_error&) {
        throw EngineError::Memory();
    }
}

} // namespace novelk
