// The node reports of a loaded result: "_COR.txt", the temperatures of the
// corner nodes of the solid geometry, and "_NOT.txt", the temperatures at the
// node BCs of type POWER.
#include "common/kernels/CornerPattern.h"
#include "novelk/model/calc/NodeNumbering.h"
#include "novelk/model/reports/ReportText.h"

namespace novelk {

using namespace report;

bool IsCornerNode(const ModelStore& m, const RunState& run, int i, int j, int k)
{
    // -1: no node; a fixed node (-2 and below) is a node like an unknown.
    if (GetNodeIndex(run, i, j, k) == -1)
        return false;
    unsigned mask = 0;
    for (unsigned q = 0; q < 8; ++q) {
        const int c =
            GetCellColour(run.cells, i - 1 + int(q & 1), j - 1 + int(q >> 1 & 1), k - 1 + int(q >> 2 & 1));
        if (c < 0 || c >= kColourCount)
            continue;
        const int type = m.colours[std::size_t(c)].type;
        if (type == MATERIAL || type == EQUIMAT || type == TRANSMAT)
            mask |= 1u << q;
    }
    // A node with no solid cell around it stands alone: a corner too.
    return mask == 0 || kernels::IsCornerPattern(mask);
}

namespace {

std::string NodeReportHead(const ReportContext& r, unsigned title)
{
    return Str(r, title) + "\n\n" + DataFileLine(r) + Str(r, r.model.rcl ? kStrPointHeadRcl : kStrPointHead) +
           "\n" + Str(r, kStrPointUnits) + "\n";
}

} // namespace

bool WriteCornerNodeReport(ReportContext& r)
{
    const ModelStore& m = r.model;
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    std::string s = NodeReportHead(r, kStrCornerNodes);
    for (int i = 0; i <= n[0]; ++i)
        for (int j = 0; j <= n[1]; ++j)
            // In the R/C/L numbering L ascends: k runs from the far end.
            for (int step = 0; step <= n[2]; ++step) {
                const int k = m.rcl ? n[2] - step : step;
                if (!IsCornerNode(m, r.run, i, j, k))
                    continue;
                s += Int(ShownIndex(m, 0, i), 6) + Int(ShownIndex(m, 1, j), 6) + Int(ShownIndex(m, 2, k), 6) +
                     Fixed(GetNodeValueAt(m, r.run, i, j, k), 10, r.decimals.temperature) + "\n";
            }
    return SaveReport(ReportFilePath(m.dataFilePath, "_COR.txt"), s);
}

bool WriteNodeBcTemperatureReport(ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = NodeReportHead(r, kStrNodeBcTemperatures);
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n) {
        const NodeBcRecord& b = m.nodeBcs[std::size_t(n)];
        if (b.type != NODE_POWER)
            continue;
        s += NodeCoordinates(m, b.i, b.j, b.k) +
             Fixed(GetNodeValueAt(m, r.run, b.i, b.j, b.k), 10, r.decimals.temperature) + "\n";
    }
    return SaveReport(ReportFilePath(m.dataFilePath, "_NOT.txt"), s);
}

} // namespace novelk
