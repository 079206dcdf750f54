// One pass over the rows from the last to the first: a node's terms from
// higher rows (its upper elements) are gathered in the scratch before its own
// row is reached, so each node is judged as soon as its row is done.
#include "common/kernels/HeatBalance.h"

#include <algorithm>
#include <cmath>

namespace kernels {

HeatBalanceResult ComputeHeatBalance(const SymmetricMatrix& a, const double* b, const double* x,
                                     HeatBalanceWork& work, double* flows, const HeatBalanceRule& rule,
                                     const EscCheck& esc)
{
    const SymmetricPattern& p = a.Pattern();
    const Index rows = p.RowCount(), grid = p.GridRowCount();
    const Index* start = p.RowStarts();
    const Column* col = p.Columns();
    const double* l = a.Lower().data();
    const double* d = a.Diagonal().data();
    work.net.assign(grid, 0.0);
    work.total.assign(grid, 0.0);
    work.couplings.assign(grid, 0.0);
    double* net = work.net.data();
    double* total = work.total.data();
    double* couplings = work.couplings.data();
    if (flows)
        std::fill(flows, flows + grid, 0.0);

    auto difference = [&](double t) { return std::abs(t) < rule.negligibleDifference ? 0.0 : t; };
    double in = 0.0, out = 0.0, worst = 0.0;
    auto boundary = [&](double f) { (f >= 0.0 ? in : out) += f; };

    // Flows from zone rows into grid nodes cross the object's boundary.
    for (Index m = rows - 1; m >= grid; --m)
        for (Index e = start[m]; e < start[m + 1]; ++e) {
            const Index c = col[e];
            if (c >= grid || l[e] == 0.0)
                continue;
            couplings[c] += l[e];
            const double f = difference(x[c] - x[m]) * l[e];
            if (f != 0.0) {
                net[c] += f;
                total[c] += std::abs(f);
                boundary(f);
                if (flows)
                    flows[c] += f;
            }
        }

    for (Index n = grid - 1; n >= 0; --n) {
        const double t = x[n];
        double sNet = net[n], sTotal = total[n], sCouplings = couplings[n];
        for (Index e = start[n]; e < start[n + 1]; ++e) {
            if (l[e] == 0.0)
                continue;
            const Index c = col[e];
            sCouplings += l[e];
            couplings[c] += l[e];
            const double f = difference(t - x[c]) * l[e];
            if (f != 0.0) {
                sNet += f;
                sTotal += std::abs(f);
                net[c] -= f;
                total[c] += std::abs(f);
            }
        }
        const double own = b[n] - (d[n] + sCouplings) * t;
        if (own != 0.0 && (!rule.ownTermNeedsCouplingFlow || sTotal > 0.0)) {
            sNet += own;
            sTotal += std::abs(own);
            boundary(own);
            if (flows)
                flows[n] += own;
        }
        if (sTotal != 0.0 && sCouplings != 0.0)
            worst = std::max(worst, std::abs(sNet) / sTotal);
    }

    HeatBalanceResult result;
    result.heatIn = in;
    result.heatOut = out;
    result.nodeDivergence = static_cast<float>(worst * 200.0);
    result.objectDivergence = in == out ? 0.0f : static_cast<float>(std::abs(in + out) / (in - out) * 200.0);
    PollEsc(esc);
    return result;
}

} // namespace kernels
