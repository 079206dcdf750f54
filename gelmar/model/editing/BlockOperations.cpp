// Clip tests, mirroring, Revolve 90 degrees, Reduce to Clip, rebuilding a
// colour's blocks from its cells, block size texts and the progress-window runs.
#include "gelmar/model/editing/BlockOperations.h"

#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/StaleResults.h"
#include "gelmar/model/store/ValueText.h"

#include <algorithm>

namespace gelmar {

namespace {

template <typename Block> auto& Lower(Block& b, int axis)
{
    return axis == 0 ? b.x1 : axis == 1 ? b.y1 : b.z1;
}
template <typename Block> auto& Upper(Block& b, int axis)
{
    return axis == 0 ? b.x2 : axis == 1 ? b.y2 : b.z2;
}

int ClipTest(const ModelStore& m, std::size_t block, bool inclusive, std::uint16_t range[6])
{
    const BlockRecord& b = m.blocks[block];
    for (int k = 0; k < 3; ++k) {
        const int lo = Lower(b, k), hi = Upper(b, k);
        const int clo = m.clipLo[k], chi = m.clipHi[k];
        const bool outside = inclusive ? (lo > chi || hi < clo) : (lo >= chi || hi <= clo);
        if (outside)
            return 0;
        range[2 * k] = static_cast<std::uint16_t>(std::clamp(lo, clo, chi));
        range[2 * k + 1] = static_cast<std::uint16_t>(std::clamp(hi, clo, chi));
    }
    return 1;
}

// Mirrors the blocks on an axis of n cells: new lower = n - old upper.
void MirrorBlocks(std::vector<BlockRecord>& blocks, int axis, int n)
{
    for (BlockRecord& b : blocks) {
        const int lo = Lower(b, axis), hi = Upper(b, axis);
        Lower(b, axis) = static_cast<std::uint16_t>(std::max(0, n - hi));
        Upper(b, axis) = static_cast<std::uint16_t>(std::max(0, n - lo));
    }
}

std::vector<BlockRecord> StoreBlocks(const ModelStore& m)
{
    return {m.blocks.data.begin(), m.blocks.data.begin() + m.blocks.count};
}

// Replaces the block list; false (with a message) when it cannot hold them.
bool ReplaceBlocks(ModelStore& m, EngineHost& host, const std::vector<BlockRecord>& blocks)
{
    if (blocks.size() > kMaxCount16) {
        host.MessageBox(kTooManyBlocks, MessageStyle::Ok);
        return false;
    }
    if (!GrowBlockArray(m, blocks.size())) {
        ReportOutOfMemory(host);
        return false;
    }
    std::copy(blocks.begin(), blocks.end(), m.blocks.data.begin());
    m.blocks.count = static_cast<std::uint16_t>(blocks.size());
    return true;
}

void ReverseGrid(ModelStore& m, int axis)
{
    GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    std::reverse(a.widths.begin(), a.widths.begin() + a.n);
    std::vector<BlockRecord> blocks = StoreBlocks(m);
    MirrorBlocks(blocks, axis, a.n);
    std::copy(blocks.begin(), blocks.end(), m.blocks.data.begin());
    ComputeGridCoordinates(m);
}

bool IsEmpty(const BlockRecord& b)
{
    return b.x1 >= b.x2 || b.y1 >= b.y2 || b.z1 >= b.z2;
}

void FinishGridChange(ModelStore& m)
{
    ComputeGridCoordinates(m);
    for (int k = 0; k < 3; ++k) {
        m.clipLo[k] = 0;
        m.clipHi[k] = m.axes[k].n;
    }
    ComputeModelExtent(m);
}

} // namespace

int ClipBlockRange(const ModelStore& m, std::size_t block, std::uint16_t range[6])
{
    return ClipTest(m, block, false, range);
}

int ClipBlockRangeInclusive(const ModelStore& m, std::size_t block, std::uint16_t range[6])
{
    return ClipTest(m, block, true, range);
}

void ComputeClipCoordinates(ModelStore& m)
{
    for (int k = 0; k < 3; ++k) {
        m.clipCoord[2 * k] = LineCoordinate(m, k, m.clipLo[k]);
        m.clipCoord[2 * k + 1] = LineCoordinate(m, k, m.clipHi[k]);
    }
}

void ReverseGridX(ModelStore& m)
{
    ReverseGrid(m, 0);
}
void ReverseGridY(ModelStore& m)
{
    ReverseGrid(m, 1);
}
void ReverseGridZ(ModelStore& m)
{
    ReverseGrid(m, 2);
}

bool RevolveModel90(ModelStore& m, RunState& run, EngineHost& host, int axis, bool reverseX, bool reverseY,
                    bool reverseZ)
{
    ReleaseCalculationResults(run);
    const bool reverse[3] = {reverseX, reverseY, reverseZ};
    std::vector<BlockRecord> blocks = StoreBlocks(m);
    std::vector<float> widths[3];
    int n[3];
    for (int k = 0; k < 3; ++k) {
        n[k] = m.axes[k].n;
        widths[k].assign(m.axes[k].widths.begin(), m.axes[k].widths.begin() + n[k]);
    }

    int t = 0;
    while (t < 3 && n[t] != 1)
        ++t;
    // Revolving about the thin axis itself, or into an axis without cells,
    // has no corner to make.
    const int d = 3 - t - axis;
    if (t < 3 && t != axis && axis >= 0 && axis < 3 && n[d] > 0) {
        const auto reverseAxis = [&](std::vector<BlockRecord>& list, int k) {
            std::reverse(widths[k].begin(), widths[k].end());
            MirrorBlocks(list, k, n[k]);
        };
        if (reverse[d])
            reverseAxis(blocks, d);
        n[t] = n[d];
        widths[t] = widths[d];
        std::vector<BlockRecord> corner;
        corner.reserve(2 * blocks.size());
        for (BlockRecord b : blocks) {
            Upper(b, t) = Upper(b, d);
            corner.push_back(b);
            const std::uint16_t d1 = Lower(b, d);
            Lower(b, t) = d1;
            Lower(b, d) = 0;
            Upper(b, d) = d1;
            corner.push_back(b);
        }
        blocks.swap(corner);
        if (reverse[d])
            reverseAxis(blocks, d);
        if (reverse[t])
            reverseAxis(blocks, t);
    }
    blocks.erase(std::remove_if(blocks.begin(), blocks.end(), IsEmpty), blocks.end());
    if (!ReplaceBlocks(m, host, blocks))
        return false;
    for (int k = 0; k < 3; ++k) {
        m.axes[k].n = static_cast<std::uint16_t>(n[k]);
        std::copy(widths[k].begin(), widths[k].end(), m.axes[k].widths.begin());
    }
    FinishGridChange(m);
    return true;
}

void ReduceBlocksToClip(ModelStore& m)
{
    for (std::size_t i = 0; i < m.blocks.count; ++i) {
        BlockRecord& b = m.blocks[i];
        for (int k = 0; k < 3; ++k) {
            Lower(b, k) = std::clamp(Lower(b, k), m.clipLo[k], m.clipHi[k]);
            Upper(b, k) = std::clamp(Upper(b, k), m.clipLo[k], m.clipHi[k]);
        }
    }
}

bool BuildBlocksFromColourCells(ModelStore& m, EngineHost& host, int colour, const CellRaster& cells,
                                std::vector<std::int32_t>& cover)
{
    const std::uint16_t* box = m.colours[static_cast<std::size_t>(colour)].cellBox;
    std::size_t lo[3], hi[3]; // inclusive cell range of the box, within the grid
    for (int k = 0; k < 3; ++k) {
        if (cells.n[k] == 0)
            return true;
        lo[k] = box[2 * k];
        hi[k] = std::min<std::size_t>(box[2 * k + 1], cells.n[k] - 1);
        if (lo[k] > hi[k])
            return true;
    }
    cover.resize(cells.colour.size(), 0);
    const auto qualifies = [&](std::size_t i, std::size_t j, std::size_t k) {
        const std::size_t c = cells.Index(i, j, k);
        return cells.colour[c] == colour && cover[c] == 0;
    };
    for (std::size_t x = lo[0]; x <= hi[0]; ++x)
        for (std::size_t y = lo[1]; y <= hi[1]; ++y)
            for (std::size_t z = lo[2]; z <= hi[2]; ++z) {
                if (!qualifies(x, y, z))
                    continue;
                std::size_t x2 = x + 1, y2 = y + 1, z2 = z + 1; // exclusive
                while (x2 < cells.n[0] && qualifies(x2, y, z))
                    ++x2;
                const auto rowFree = [&](std::size_t j, std::size_t k) {
                    for (std::size_t i = x; i < x2; ++i)
                        if (!qualifies(i, j, k))
                            return false;
                    return true;
                };
                while (y2 < cells.n[1] && rowFree(y2, z))
                    ++y2;
                const auto layerFree = [&](std::size_t k) {
                    for (std::size_t j = y; j < y2; ++j)
                        if (!rowFree(j, k))
                            return false;
                    return true;
                };
                while (z2 < cells.n[2] && layerFree(z2))
                    ++z2;

                const std::size_t count = m.blocks.count;
                if (count >= kMaxCount16) {
                    host.MessageBox(kTooManyBlocks, MessageStyle::Ok);
                    return false;
                }
                if (count >= m.blocks.capacity &&
                    !GrowBlockArray(m, std::min<std::size_t>(count + 1000, kMaxCount16))) {
                    ReportOutOfMemory(host);
                    return false;
                }
                BlockRecord& b = m.blocks[count];
                b = BlockRecord{};
                b.colour = static_cast<std::uint8_t>(colour);
                b.x1 = static_cast<std::uint16_t>(x), b.x2 = static_cast<std::uint16_t>(x2);
                b.y1 = static_cast<std::uint16_t>(y), b.y2 = static_cast<std::uint16_t>(y2);
                b.z1 = static_cast<std::uint16_t>(z), b.z2 = static_cast<std::uint16_t>(z2);
                m.blocks.count = static_cast<std::uint16_t>(count + 1);
                m.colours[static_cast<std::size_t>(colour)].inUse = 1;
                for (std::size_t k = z; k < z2; ++k)
                    for (std::size_t j = y; j < y2; ++j)
                        for (std::size_t i = x; i < x2; ++i)
                            cover[cells.Index(i, j, k)] = 1;
            }
    return true;
}

std::string FormatBlockSizeText(const ModelStore& m, std::size_t block)
{
    const BlockRecord& b = m.blocks[block];
    std::string text;
    for (int k = 0; k < 3; ++k) {
        const double length =
            (static_cast<double>(LineCoordinate(m, k, Upper(b, k))) - LineCoordinate(m, k, Lower(b, k))) *
            m.gridUnit;
        if (k > 0)
            text += " x ";
        text += length >= 0.01 ? FormatG(length, 3) + " m" : FormatG(length * 1000, 3) + " mm";
    }
    return text;
}

namespace {

WorkOutcome RunInProgressWindow(ModelStore& model, RunState& run, EngineHost& host, ProgressWindow window)
{
    return host.RunProgressWindow(window, model, run, [&model, &run, &host, window] {
        return RunProgressWork(model, run, host, window);
    });
}

} // namespace

WorkOutcome RunCalculationDialog(ModelStore& model, RunState& run, EngineHost& host)
{
    return RunInProgressWindow(model, run, host, ProgressWindow::Calculation);
}
WorkOutcome RunViewFactorDialog(ModelStore& model, RunState& run, EngineHost& host)
{
    return RunInProgressWindow(model, run, host, ProgressWindow::ViewFactors);
}
WorkOutcome RunSolarFluxDialog(ModelStore& model, RunState& run, EngineHost& host)
{
    return RunInProgressWindow(model, run, host, ProgressWindow::SolarFluxes);
}

} // namespace gelmar
