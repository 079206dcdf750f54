// Per-colour extremes and heat flows.
#include "common/kernels/ColourResults.h"

#include <stdexcept>

namespace kernels {

namespace {

void CheckColourTables(std::size_t a, std::size_t b, std::size_t c)
{
    if (a < 256 || b < 256 || c < 256)
        throw std::invalid_argument("colour tables must cover all 256 colours");
}

// The eight corners of cell (i, j, k): i, then j, then k from the cell's
// index to index + 1.
template <class Visit> void ForEachCorner(int i, int j, int k, Visit&& visit)
{
    for (int a = i; a <= i + 1; ++a)
        for (int b = j; b <= j + 1; ++b)
            for (int c = k; c <= k + 1; ++c)
                visit(a, b, c);
}

} // namespace

void ComputeColourExtremes(const CellGrid& cells, const NodeGrid& nodes,
                           const std::function<double(std::int32_t node)>& value, std::span<const bool> reset,
                           std::span<ColourExtremes> extremes)
{
    CheckColourTables(reset.size(), extremes.size(), 256);
    for (std::size_t c = 0; c < 256; ++c)
        if (reset[c])
            extremes[c] = ColourExtremes{};
    for (int i = 0; i < cells.nx; ++i)
        for (int j = 0; j < cells.ny; ++j)
            for (int k = 0; k < cells.nz; ++k) {
                const int colour = cells.ColourAt(i, j, k);
                if (colour < 0)
                    continue;
                ColourExtremes& e = extremes[std::size_t(colour)];
                ForEachCorner(i, j, k, [&](int a, int b, int c) {
                    const std::int32_t n = nodes.At(a, b, c);
                    if (n == -1)
                        return;
                    const float t = static_cast<float>(value(n));
                    auto place = [&](std::uint16_t* at) {
                        at[0] = static_cast<std::uint16_t>(a);
                        at[1] = static_cast<std::uint16_t>(b);
                        at[2] = static_cast<std::uint16_t>(c);
                    };
                    if (t < e.lowest) {
                        e.lowest = t;
                        place(e.lowestPoint);
                    }
                    if (t > e.highest) {
                        e.highest = t;
                        place(e.highestPoint);
                    }
                });
            }
}

void DistributeColourHeatFlows(const CellGrid& cells, const NodeGrid& nodes, std::span<double> nodeFlows,
                               std::span<const bool> reset, std::span<const bool> collect,
                               std::span<ColourFlows> flows)
{
    CheckColourTables(reset.size(), collect.size(), flows.size());
    for (std::size_t c = 0; c < 256; ++c)
        if (reset[c])
            flows[c] = ColourFlows{};
    for (int i = 0; i < cells.nx; ++i)
        for (int j = 0; j < cells.ny; ++j)
            for (int k = 0; k < cells.nz; ++k) {
                const int colour = cells.ColourAt(i, j, k);
                if (colour < 0 || !collect[std::size_t(colour)])
                    continue;
                ColourFlows& f = flows[std::size_t(colour)];
                ForEachCorner(i, j, k, [&](int a, int b, int c) {
                    const std::int32_t n = nodes.At(a, b, c);
                    if (n < 0 || std::size_t(n) >= nodeFlows.size() || nodeFlows[std::size_t(n)] == 0.0)
                        return;
                    double& q = nodeFlows[std::size_t(n)];
                    if (q >= 0)
                        f.in += static_cast<float>(q);
                    else
                        f.out += static_cast<float>(-q);
                    q = 0.0;
                });
            }
}

} // namespace kernels
