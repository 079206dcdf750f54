// Arrange Blocks on Novelk's store: the blocks go to the shared block
// arrangement, which rebuilds them from the cell colours as fewer, larger
// blocks; on success its result replaces the block list (the array grown in
// steps of 1000 records where it must hold more), on a refusal the list stays
// as it was. The grid is not changed.
#pragma once
#include "common/kernels/ArrangeBlocks.h"
#include "novelk/model/store/ModelStore.h"

#include <cstdint>

namespace novelk {

class EngineHost;

struct ArrangeOptions {
    // kernels::kArrangeSuperposition (blocks may overlap, a later one wins)
    // or kArrangeJuxtaposition (no overlaps).
    int mode = kernels::kArrangeSuperposition;
    // Convert Void to Blocks: cells without a block become blocks of
    // voidColour, appended after the existing blocks.
    bool voidMode = false;
    std::uint8_t voidColour = 0;
    // Reduce to Clip: cells of colours the Clip Colours table hides count as
    // empty, so their blocks disappear.
    bool hiddenMode = false;
};

enum class ArrangeOutcome {
    Done,
    // Refused with a message through the host (a block beyond the grid, or
    // more than 65535 blocks); the blocks are unchanged.
    Refused,
    // The working arrays or the grown block array could not be had; the
    // blocks are unchanged and the command reports "Not enough memory".
    OutOfMemory,
};

ArrangeOutcome ArrangeBlocks(ModelStore& m, const ArrangeOptions& options, EngineHost& host);

} // namespace novelk
