// Arrange Blocks: rebuilds a block list so that it paints exactly the same colour
// into every grid cell with as few and as large blocks as it can find. Written
// over explicit data so that every block-grid program calls it from its own
// store: the caller copies its blocks into ArrangeBlock records, runs the
// arrangement and, on success, replaces its block list by the result.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kernels {

// A block as the arrangement reads and writes it: colour number and grid-line
// bounds (the block covers cells x1..x2-1, y1..y2-1, z1..z2-1) and the flags word.
struct ArrangeBlock {
    std::uint8_t colour = 0;
    std::uint16_t x1 = 0;
    std::uint16_t x2 = 0;
    std::uint16_t y1 = 0;
    std::uint16_t y2 = 0;
    std::uint16_t z1 = 0;
    std::uint16_t z2 = 0;
    std::uint32_t flags = 0;
    bool operator==(const ArrangeBlock&) const = default;
};

// Modes: superposition lets blocks overlap (a later block overwrites an earlier
// one cell by cell); juxtaposition produces blocks that never overlap.
inline constexpr int kArrangeJuxtaposition = 0;
inline constexpr int kArrangeSuperposition = 1;

// The block count is a 16-bit number in the stores and data files.
inline constexpr std::size_t kArrangeMaxBlocks = 65535;

struct ArrangeRequest {
    // Cell counts of the three axes (the store's nx, ny, nz); lines are 0..n.
    std::array<std::uint16_t, 3> cells{};
    // The block list in model order.
    std::span<const ArrangeBlock> blocks;
    int mode = kArrangeSuperposition;
    // Void mode: cells that no block covers become blocks of voidColour,
    // appended after the existing blocks, which are kept unchanged.
    bool voidMode = false;
    std::uint8_t voidColour = 0;
    // Hidden-colour mode: cells whose colour has shown[colour] false count as
    // empty, so those blocks disappear.
    bool hiddenMode = false;
    std::array<bool, 256> shown = MakeAllShown();

    static constexpr std::array<bool, 256> MakeAllShown()
    {
        std::array<bool, 256> all{};
        all.fill(true);
        return all;
    }
};

enum class ArrangeStatus {
    Ok,
    // A block bound lies beyond the last grid line of its axis.
    BlockOutsideGrid,
    // The result would hold more than kArrangeMaxBlocks blocks.
    TooManyBlocks,
};

// What the calling command shows for a refusal.
inline constexpr char kArrangeOutsideGridText[] =
    "Arrange Blocks: a block lies outside the grid; the blocks are left unchanged.";
inline constexpr char kArrangeTooManyBlocksText[] = "Too many blocks: a model holds at most 65535 blocks.";

struct ArrangeResult {
    ArrangeStatus status = ArrangeStatus::Ok;
    // The new block list (only when status is Ok): in void mode the request's
    // blocks followed by the void blocks, otherwise the new blocks alone. Every
    // new block has its flags word 0.
    std::vector<ArrangeBlock> blocks;
};

// The message of a refusal, for the calling command to show (empty for Ok).
inline const char* ArrangeRefusalText(ArrangeStatus status)
{
    switch (status) {
    case ArrangeStatus::BlockOutsideGrid:
        return kArrangeOutsideGridText;
    case ArrangeStatus::TooManyBlocks:
        return kArrangeTooManyBlocksText;
    default:
        return "";
    }
}

// A store's block records (fields colour, x1, x2, y1, y2, z1, z2 and flags)
// as the arrangement reads them.
template <class Record> std::vector<ArrangeBlock> ArrangeBlocksOf(const Record* records, std::size_t count)
{
    std::vector<ArrangeBlock> blocks(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Record& r = records[i];
        blocks[i] = ArrangeBlock{r.colour, r.x1, r.x2, r.y1, r.y2, r.z1, r.z2, r.flags};
    }
    return blocks;
}

// Writes the arranged blocks over the records (which hold at least as many):
// each becomes a fresh record with the block's colour, bounds and flags, but
// the first `kept` records (the blocks a void mode returns unchanged) keep
// their other fields.
template <class Record>
void StoreArrangedBlocks(const std::vector<ArrangeBlock>& blocks, std::size_t kept, Record* records)
{
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const ArrangeBlock& a = blocks[i];
        Record& r = records[i];
        if (i >= kept)
            r = Record{};
        r.colour = a.colour;
        r.x1 = a.x1, r.x2 = a.x2, r.y1 = a.y1, r.y2 = a.y2, r.z1 = a.z1, r.z2 = a.z2;
        r.flags = a.flags;
    }
}

// Runs the arrangement. The caller's list is not touched, so on a refusal the
// model stays as it was. Throws std::bad_alloc when the working arrays cannot
// be allocated; the calling command reports it.
ArrangeResult ArrangeBlocks(const ArrangeRequest& request);

} // namespace kernels
