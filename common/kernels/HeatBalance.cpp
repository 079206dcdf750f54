// Each grid node gathers its own terms: the flows from the rows above it (its
// upper elements, zone rows first, the highest row first), then those to the
// rows below it, then its own term. Nodes are independent of each other, so
// they are judged block by block on several threads; the sums of heat in and
// out are kept per block and added in block order.
#include "common/kernels/HeatBalance.h"

#include "common/kernels/MatrixArrays.h"
#include "common/kernels/Parallel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kernels {

HeatBalanceResult ComputeHeatBalance(const SymmetricMatrix& a, const double* b, const double* x, double* flows,
                                     const HeatBalanceRule& rule, const EscCheck& esc, ThreadTeam* team)
{
    const SymmetricPattern& p = a.Pattern();
    const Index grid = p.GridRowCount();
    // Named copies rather than a structured binding: the row loops run in
    // lambdas, and not every compiler lets a lambda capture a binding.
    const MatrixArrays arrays = ArraysOf(a);
    const auto start = arrays.start, upperStart = arrays.upperStart, upperPos = arrays.upperPos;
    const auto col = arrays.col, upperRow = arrays.upperRow;
    const auto l = arrays.lower, d = arrays.diagonal;
    auto difference = [&](double t) { return std::abs(t) < rule.negligibleDifference ? 0.0 : t; };

    const Index blocks = BlockCount(grid);
    std::vector<double> ins(blocks, 0.0), outs(blocks, 0.0), worsts(blocks, 0.0);
    ForEachBlock(grid, team, [&](Index first, Index end, Index block) {
        double in = 0.0, out = 0.0, worst = 0.0;
        for (Index n = first; n < end; ++n) {
            const double t = x[n];
            double net = 0.0, total = 0.0, couplings = 0.0, boundaryFlow = 0.0;
            auto add = [&](double f) {
                net += f;
                total += std::abs(f);
            };
            for (Index u = Index{upperStart[n + 1]} - 1; u >= upperStart[n]; --u) {
                const double g = l[upperPos[u]];
                if (g == 0.0)
                    continue;
                const Index m = upperRow[u];
                couplings += g;
                const double f = difference(t - x[m]) * g;
                if (f != 0.0) {
                    add(f);
                    // A flow from a zone row crosses the object's boundary.
                    if (m >= grid) {
                        (f >= 0.0 ? in : out) += f;
                        boundaryFlow += f;
                    }
                }
            }
            for (Index e = start[n]; e < start[n + 1]; ++e) {
                if (l[e] == 0.0)
                    continue;
                couplings += l[e];
                const double f = difference(t - x[col[e]]) * l[e];
                if (f != 0.0)
                    add(f);
            }
            const double own = b[n] - (d[n] + couplings) * t;
            if (own != 0.0 && (!rule.ownTermNeedsCouplingFlow || total > 0.0)) {
                add(own);
                (own >= 0.0 ? in : out) += own;
                boundaryFlow += own;
            }
            if (flows)
                flows[n] = boundaryFlow;
            if (total != 0.0 && couplings != 0.0)
                worst = std::max(worst, std::abs(net) / total);
        }
        ins[block] = in;
        outs[block] = out;
        worsts[block] = worst;
    });

    HeatBalanceResult result;
    result.heatIn = SumInOrder(ins);
    result.heatOut = SumInOrder(outs);
    const double worst = worsts.empty() ? 0.0 : *std::max_element(worsts.begin(), worsts.end());
    result.nodeDivergence = static_cast<float>(worst * 200.0);
    result.objectDivergence = result.heatIn == result.heatOut
                                  ? 0.0f
                                  : static_cast<float>(std::abs(result.heatIn + result.heatOut) /
                                                       (result.heatIn - result.heatOut) * 200.0);
    PollEsc(esc);
    return result;
}

} // namespace kernels
