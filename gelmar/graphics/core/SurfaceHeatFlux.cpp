// Surface heat flux at a node (see SurfaceHeatFlux.h).
#include "gelmar/graphics/core/SurfaceHeatFlux.h"

#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <tuple>

namespace gelmar {

namespace {

float Width(const ModelStore& model, int axis, int cell)
{
    const GridAxis& a = model.axes[static_cast<std::size_t>(axis)];
    if (cell < 0 || cell >= a.n || static_cast<std::size_t>(cell) >= a.widths.size())
        return 0.0f;
    return a.widths[static_cast<std::size_t>(cell)];
}

// The heat-flux table's value of a radiating face; 0 when it has none.
float TableFlux(const WorkArrays& work, int i, int j, int k, int orientation)
{
    const auto key = std::make_tuple(i, j, k, orientation);
    auto keyOf = [](const HeatFlowRecord& r) {
        return std::make_tuple(int(r.i), int(r.j), int(r.k), int(r.direction));
    };
    auto it = std::partition_point(work.heatFlows.begin(), work.heatFlows.end(),
                                   [&](const HeatFlowRecord& r) { return keyOf(r) < key; });
    return it != work.heatFlows.end() && keyOf(*it) == key ? it->flow : 0.0f;
}

} // namespace

float HeatFluxAtSurfaceNode(const ModelStore& model, const WorkArrays& work, int i, int j, int k,
                            int orientation)
{
    const int node[3] = {i, j, k};
    const int axis = orientation / 2;
    const int ua = axis == 0 ? 1 : 0;
    const int ub = axis == 2 ? 1 : 2;
    // The solid lies above the node's grid line for the min-side faces.
    const int step = orientation % 2 == 0 ? 1 : -1;
    const int inner = orientation % 2 == 0 ? node[axis] : node[axis] - 1;
    const int outer = orientation % 2 == 0 ? node[axis] - 1 : node[axis];
    const double g = model.gridUnit;
    const double t0 = GetNodeValueAt(model, work, i, j, k, 0);
    auto valueAlong = [&](int offset) {
        int p[3] = {i, j, k};
        p[axis] += offset;
        return GetNodeValueAt(model, work, p[0], p[1], p[2], 0);
    };
    double sumArea = 0.0, sumFlux = 0.0;
    static constexpr int kAround[4][2] = {{-1, -1}, {0, -1}, {0, 0}, {-1, 0}};
    for (const auto& around : kAround) {
        int in[3], out[3];
        in[ua] = out[ua] = node[ua] + around[0];
        in[ub] = out[ub] = node[ub] + around[1];
        in[axis] = inner;
        out[axis] = outer;
        const double area = static_cast<double>(Width(model, ua, in[ua])) * Width(model, ub, in[ub]);
        const int ci = GetCellColourInClip(model, work, in[0], in[1], in[2]);
        if (ci < 0 || ci >= kColourCount)
            continue;
        const ColourRecord& cin = model.colours[static_cast<std::size_t>(ci)];
        if (cin.type != MATERIAL && cin.type != EQUIMAT)
            continue;
        const int co = GetCellColour(model, work, out[0], out[1], out[2]);
        if (co < 0 || co >= kColourCount)
            continue;
        const ColourRecord& cout = model.colours[static_cast<std::size_t>(co)];
        const double wIn = Width(model, axis, inner), wOut = Width(model, axis, outer);
        double q = 0.0;
        switch (cout.type) {
        case MATERIAL:
        case EQUIMAT:
            if (wIn > 0 && wOut > 0 && g > 0)
                q = ((valueAlong(-step) - t0) * cout.lambda / wOut +
                     (t0 - valueAlong(step)) * cin.lambda / wIn) /
                    (2.0 * g);
            break;
        case TRANSMAT:
            if (wIn > 0 && g > 0)
                q = (t0 - valueAlong(step)) * cin.lambda / (wIn * g);
            break;
        case BC_SIMPL:
        case BC_FRE_S:
            q = (cout.temperature - t0) * cout.hGlobal + cout.flux;
            break;
        default:
            q = TableFlux(work, in[0], in[1], in[2], orientation);
            break;
        }
        sumArea += area;
        sumFlux += area * q;
    }
    return sumArea > 0.0 ? static_cast<float>(sumFlux / sumArea) : 0.0f;
}

} // namespace gelmar
