// The Blocks table's edits on the model store.
#include "gelmar/model/editing/BlockEdits.h"

#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ViewState.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace gelmar {

namespace {

BlockRecord* Begin(ModelStore& m)
{
    return m.blocks.data.data();
}

// Room for `more` blocks, growing the array by 100 records when full.
bool MakeRoom(ModelStore& m, EngineHost& host, std::size_t more)
{
    const std::size_t count = m.blocks.count;
    if (count + more > kMaxCount16) {
        host.MessageBox(kTooManyBlocks, MessageStyle::Ok);
        return false;
    }
    if (count + more > m.blocks.capacity &&
        !m.blocks.Grow(std::min<std::size_t>(count + more + 100, kMaxCount16))) {
        ReportOutOfMemory(host);
        return false;
    }
    return true;
}

// The block count a data file announces on its "nblk=" line, when it has one.
std::optional<int> AnnouncedBlockCount(const std::string& path)
{
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        return std::nullopt;
    int key = -1;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine("nblk=", 5, key);
        if (st != common::LineStatus::Line)
            return std::nullopt;
        if (key == 0) {
            const char* p = reader.Value();
            int n = 0;
            if (common::ScanInt(p, n))
                return n;
            return std::nullopt;
        }
    }
}

} // namespace

bool ClearBlockSelection(ModelStore& m)
{
    std::uint32_t marked = 0;
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        marked |= m.blocks[b].flags & kBlockSelected;
        m.blocks[b].flags &= ~kBlockSelected;
    }
    return marked != 0;
}

kernels::SelectionRange BlockSelectionRange(const ModelStore& m)
{
    return kernels::FindSelectionRange(m.blocks.count,
                                       [&m](int b) { return IsBlockSelected(m.blocks[static_cast<std::size_t>(b)]); });
}

int UpdateUsedColours(ModelStore& m, RunState& run)
{
    for (ColourRecord& c : m.colours)
        c.inUse = 0;
    for (std::size_t b = 0; b < m.blocks.count; ++b)
        m.colours[m.blocks[b].colour].inUse = 1;
    return ApplySurfaceRules(m, run, 0);
}

kernels::BlockBox BoxOf(const BlockRecord& b)
{
    return {b.x1, b.x2, b.y1, b.y2, b.z1, b.z2};
}

void SetBox(BlockRecord& b, const kernels::BlockBox& box)
{
    std::uint16_t* fields[6] = {&b.x1, &b.x2, &b.y1, &b.y2, &b.z1, &b.z2};
    for (std::size_t k = 0; k < 6; ++k)
        *fields[k] = static_cast<std::uint16_t>(box[k]);
}

bool EditBlockCell(ModelStore& m, ViewState& view, std::size_t block, int column, std::string_view text)
{
    if (block >= m.blocks.count || column < 2 || column > 8)
        return false;
    const std::optional<int> v = ReadCellInt(text);
    if (!v)
        return false;
    BlockRecord& b = m.blocks[block];
    if (column == 2) {
        if (*v < 0 || *v >= kColourCount)
            return false;
        b.colour = static_cast<std::uint8_t>(*v);
        view.currentColour = b.colour;
        return true;
    }
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    kernels::BlockBox box = BoxOf(b);
    if (!kernels::EditBlockBound(box, column - 3, *v, n, m.rcl != 0))
        return false;
    SetBox(b, box);
    return true;
}

bool InsertBlock(ModelStore& m, const ViewState& view, EngineHost& host, std::size_t at)
{
    const std::size_t count = m.blocks.count;
    if (at > count || !MakeRoom(m, host, 1))
        return false;
    std::copy_backward(Begin(m) + at, Begin(m) + count, Begin(m) + count + 1);
    BlockRecord& b = m.blocks[at];
    b = BlockRecord{};
    b.colour = view.currentColour;
    const std::uint16_t nz = m.axes[2].n;
    if (m.rcl && nz > 0) {
        b.z1 = static_cast<std::uint16_t>(nz - 1);
        b.z2 = nz;
    }
    m.colours[b.colour].inUse = 1;
    m.blocks.count = static_cast<std::uint16_t>(count + 1);
    return true;
}

std::size_t DeleteSelectedBlocks(ModelStore& m)
{
    BlockRecord* end = std::stable_partition(Begin(m), Begin(m) + m.blocks.count,
                                             [](const BlockRecord& b) { return !IsBlockSelected(b); });
    const std::size_t kept = static_cast<std::size_t>(end - Begin(m));
    const std::size_t removed = m.blocks.count - kept;
    m.blocks.count = static_cast<std::uint16_t>(kept);
    return removed;
}

bool DuplicateSelection(ModelStore& m, EngineHost& host, std::size_t focus)
{
    const kernels::SelectionRange sel = BlockSelectionRange(m);
    if (sel.Empty() || !sel.contiguous || focus >= m.blocks.count)
        return false;
    const std::size_t first = static_cast<std::size_t>(sel.first), last = static_cast<std::size_t>(sel.last);
    if (focus >= first && focus < last)
        focus = last;
    const std::size_t k = last - first + 1;
    if (!MakeRoom(m, host, k))
        return false;
    const std::vector<BlockRecord> copies(Begin(m) + first, Begin(m) + last + 1);
    const std::size_t count = m.blocks.count;
    std::copy_backward(Begin(m) + focus + 1, Begin(m) + count, Begin(m) + count + k);
    std::copy(copies.begin(), copies.end(), Begin(m) + focus + 1);
    m.blocks.count = static_cast<std::uint16_t>(count + k);
    ClearBlockSelection(m);
    for (std::size_t b = focus + 1; b <= focus + k; ++b)
        m.blocks[b].flags |= kBlockSelected;
    return true;
}

void MoveSelection(ModelStore& m, std::size_t focus)
{
    const kernels::SelectionRange sel = BlockSelectionRange(m);
    if (sel.Empty() || !sel.contiguous || focus >= m.blocks.count)
        return;
    const std::size_t first = static_cast<std::size_t>(sel.first), last = static_cast<std::size_t>(sel.last);
    if (focus < first)
        std::rotate(Begin(m) + focus, Begin(m) + first, Begin(m) + last + 1);
    else if (focus > last)
        std::rotate(Begin(m) + first, Begin(m) + last + 1, Begin(m) + focus + 1);
}

void ToggleBlockRun(ModelStore& m, std::size_t start, int step, bool sameColour, int colour)
{
    const long long count = m.blocks.count;
    if (static_cast<long long>(start) >= count)
        return;
    const bool was = IsBlockSelected(m.blocks[start]);
    for (long long b = static_cast<long long>(start); b >= 0 && b < count; b += step) {
        BlockRecord& r = m.blocks[static_cast<std::size_t>(b)];
        if (sameColour && r.colour != colour)
            continue;
        if (IsBlockSelected(r) != was)
            break;
        r.flags ^= kBlockSelected;
    }
}

std::size_t RecolourBlocks(ModelStore& m, int from, int to)
{
    std::size_t changed = 0;
    for (std::size_t b = 0; b < m.blocks.count; ++b)
        if (m.blocks[b].colour == from) {
            m.blocks[b].colour = static_cast<std::uint8_t>(to);
            ++changed;
        }
    return changed;
}

bool TransformSelectedBlocks(ModelStore& m, EngineHost& host, const kernels::TransformSettings& settings)
{
    const ModelStore before = m;
    for (int a = 0; a < 3; ++a)
        StoreItemCoordinates(m, a);
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        BlockRecord& r = m.blocks[b];
        if (IsBlockSelected(r) && !kernels::TransformBoxCoordinates(r.coord, settings, m.origin)) {
            m = before;
            host.MessageBox(kBlockWithoutThickness, MessageStyle::Ok);
            return false;
        }
    }
    for (int a = 0; a < 3; ++a)
        if (!RebuildGridFromCoordinates(m, host, a)) {
            m = before;
            return false;
        }
    ComputeGridCoordinates(m);
    ComputeModelExtent(m);
    return true;
}

std::size_t InsertBlocksFromFile(ModelStore& m, const ParameterSet& defaults, EngineHost& host,
                                 const std::string& path, std::size_t focus)
{
    const std::size_t before = m.blocks.count;
    if (const std::optional<int> n = AnnouncedBlockCount(path); n && before + static_cast<std::size_t>(*n) > kMaxCount16) {
        host.MessageBox(kTooManyBlocks, MessageStyle::Ok);
        return 0;
    }
    const ModelStore backup = m;
    for (int a = 0; a < 3; ++a)
        StoreItemCoordinates(m, a);
    // The reader takes the file from the data-file path and leaves its own
    // name there; the model keeps its file.
    const std::string dataFile = m.dataFilePath;
    const bool read = ReadDataFile(m, path, ReadMode::Insert, defaults, host);
    m.dataFilePath = dataFile;
    if (!read) {
        m.blocks.count = static_cast<std::uint16_t>(before);
        return 0;
    }
    const std::size_t count = m.blocks.count;
    if (count == before)
        return 0;
    for (int a = 0; a < 3; ++a)
        if (!RebuildGridFromCoordinates(m, host, a)) {
            m = backup;
            return 0;
        }
    ComputeGridCoordinates(m);
    // The new blocks follow the focused one.
    const std::size_t at = std::min(focus + 1, before);
    std::rotate(Begin(m) + at, Begin(m) + before, Begin(m) + count);
    ClearBlockSelection(m);
    for (std::size_t b = at; b < at + (count - before); ++b)
        m.blocks[b].flags |= kBlockSelected;
    ComputeModelExtent(m);
    return count - before;
}

} // namespace gelmar
