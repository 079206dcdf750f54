// Output node, output block and report item arrays, the heat flow into an
// output block, the solar value of a colour and the output block's box in
// the 3D view.
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>

namespace gelmar {

void FreeOutputNodeArray(ModelStore& model)
{
    model.outputNodes.Free();
}

void InitOutputNode(ModelStore& model, std::size_t n)
{
    model.outputNodes[n] = OutputNodeRecord{};
}

void FreeOutputBlockArray(ModelStore& model)
{
    model.outputBlocks.Free();
}

void InitOutputBlock(ModelStore& model, std::size_t n)
{
    model.outputBlocks[n] = DefaultOutputBlock(model);
}

OutputBlockRecord DefaultOutputBlock(const ModelStore& m)
{
    OutputBlockRecord b;
    if (m.rcl) {
        b.k1 = m.axes[2].n;
        b.k2 = static_cast<std::uint16_t>(m.axes[2].n + 1);
    }
    if (m.axes[2].n == 1) {
        b.k1 = 0;
        b.k2 = 2;
    } else if (m.axes[1].n == 1) {
        b.j1 = 0;
        b.j2 = 2;
    } else if (m.axes[0].n == 1) {
        b.i1 = 0;
        b.i2 = 2;
    }
    return b;
}

void FreeReportItemArray(ModelStore& model)
{
    model.reportItems.Free();
}

void InitReportItem(ModelStore& model, std::size_t n)
{
    model.reportItems[n] = ReportItemRecord{};
}

float ComputeOutputBlockHeatFlow(ModelStore& model, RunState& run, const OutputBlockRecord& block)
{
    const int lo[3] = {block.i1, block.j1, block.k1};
    const int hi[3] = {block.i2, block.j2, block.k2};
    double sum = 0;
    for (int face = 0; face < 6; ++face) {
        const int axis = face / 2;
        const bool upper = face % 2 == 1;
        const int outside = upper ? hi[axis] : lo[axis] - 1;
        const int inside = upper ? hi[axis] - 1 : lo[axis];
        const int layer = upper ? hi[axis] - 1 : lo[axis] - 1;
        // The two in-plane axes.
        const int u = (axis + 1) % 3 == 0 ? 0 : (axis == 0 ? 1 : 0);
        const int v = 3 - axis - u;
        for (int a = lo[u]; a < hi[u]; ++a)
            for (int b = lo[v]; b < hi[v]; ++b)
                for (int ca = a - 1; ca <= a; ++ca)
                    for (int cb = b - 1; cb <= b; ++cb) {
                        int cell[3], out[3], in[3];
                        cell[axis] = layer;
                        cell[u] = ca;
                        cell[v] = cb;
                        const int colour = GetCellColour(model, run.work, cell[0], cell[1], cell[2]);
                        // Cells outside the grid (colour -1) conduct nothing.
                        if (colour < 0 || !IsConductiveType(model.colours[colour].type))
                            continue;
                        out[axis] = outside;
                        in[axis] = inside;
                        out[u] = in[u] = a;
                        out[v] = in[v] = b;
                        const double to = GetNodeValueAt(model, run.work, out[0], out[1], out[2], 0);
                        const double ti = GetNodeValueAt(model, run.work, in[0], in[1], in[2], 0);
                        const ColourRecord& c = model.colours[colour];
                        const double lambda = GetConductivityAt(model, run, c, static_cast<float>((to + ti) / 2), false);
                        const double d = model.axes[axis].widths[layer];
                        const double wa = model.axes[u].widths[ca];
                        const double wb = model.axes[v].widths[cb];
                        if (d > 0)
                            sum += (to - ti) * lambda * wa * wb / d;
                    }
    }
    return static_cast<float>(sum * model.gridUnit * 0.25);
}

float GetColourSolarValue(RunState& run, int colour, int direction)
{
    if (colour < 0 || colour >= kColourCount)
        return 0.0f;
    double area = 0, flux = 0;
    ForEachSolarSurface(run, [&](int c, int d, double a, double q) {
        if (c == colour && d == direction) {
            area += a;
            flux += a * q;
        }
    });
    return area > 0 ? static_cast<float>(flux / area) : 0.0f;
}

bool ClipOutputBlockRange(ModelStore& model, const OutputBlockRecord& block, std::uint16_t range[6])
{
    const std::uint16_t bounds[6] = {block.i1, block.i2, block.j1, block.j2, block.k1, block.k2};
    for (int k = 0; k < 3; ++k) {
        const int lo = std::max<int>(bounds[2 * k], model.clipLo[k]);
        const int hi = std::min<int>(bounds[2 * k + 1], model.clipHi[k] + 1);
        if (lo >= hi)
            return false;
        range[2 * k] = static_cast<std::uint16_t>(lo);
        range[2 * k + 1] = static_cast<std::uint16_t>(hi);
    }
    return true;
}

void ComputeOutputBlockBox(ModelStore& model, const std::uint16_t range[6], float box[6])
{
    for (int k = 0; k < 3; ++k) {
        // Middle of cell n - 1, between lines n - 1 and n.
        auto middle = [k, &model](int n) {
            const float before = n < 2 ? 0.0f : LineCoordinate(model, k, static_cast<std::size_t>(n - 1));
            const float after = n < 1 ? 0.0f : LineCoordinate(model, k, static_cast<std::size_t>(n));
            return (before + after) / 2;
        };
        const int lo = range[2 * k], hi = range[2 * k + 1];
        box[2 * k] =
            lo == model.clipLo[k] ? LineCoordinate(model, k, static_cast<std::size_t>(lo)) : middle(lo);
        box[2 * k + 1] =
            hi == model.clipHi[k] + 1 ? LineCoordinate(model, k, model.clipHi[k]) : middle(hi);
    }
}

} // namespace gelmar
