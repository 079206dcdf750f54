// The store side of Arrange Blocks: copying the blocks into the arrangement's
// records and back, and turning a refusal into a message.
#include "gelmar/model/editing/ArrangeBlocksCommand.h"

#include "common/kernels/ArrangeBlocks.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <new>
#include <vector>

namespace gelmar {

ArrangeFlags g_arrangeFlags;

ArrangeOutcome ArrangeBlocks(int mode)
{
    ModelStore& m = g_model;
    try {
        std::vector<kernels::ArrangeBlock> blocks(m.blocks.count);
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const BlockRecord& b = m.blocks[i];
            blocks[i] = kernels::ArrangeBlock{b.colour, b.x1, b.x2, b.y1, b.y2, b.z1, b.z2, b.flags};
        }
        kernels::ArrangeRequest request;
        for (int k = 0; k < 3; ++k)
            request.cells[k] = m.axes[k].n;
        request.blocks = blocks;
        request.mode = mode == kernels::kArrangeJuxtaposition ? kernels::kArrangeJuxtaposition
                                                              : kernels::kArrangeSuperposition;
        request.voidMode = g_arrangeFlags.voidMode;
        request.voidColour = g_arrangeFlags.voidColour;
        request.hiddenMode = g_arrangeFlags.hiddenMode;
        for (int c = 0; c < kColourCount; ++c)
            request.shown[c] = m.colours[c].clipShow != 0;

        const kernels::ArrangeResult result = kernels::ArrangeBlocks(request);
        switch (result.status) {
        case kernels::ArrangeStatus::Ok:
            break;
        case kernels::ArrangeStatus::BlockOutsideGrid:
            Host().MessageBox(kernels::kArrangeOutsideGridText, MessageStyle::Ok);
            return ArrangeOutcome::Refused;
        case kernels::ArrangeStatus::TooManyBlocks:
            Host().MessageBox(kTooManyBlocks, MessageStyle::Ok);
            return ArrangeOutcome::Refused;
        }
        if (!GrowBlockArray(result.blocks.size()))
            return ArrangeOutcome::OutOfMemory;
        for (std::size_t i = 0; i < result.blocks.size(); ++i) {
            const kernels::ArrangeBlock& a = result.blocks[i];
            BlockRecord& b = m.blocks[i];
            // In void mode the existing blocks come back unchanged; keep their
            // stored coordinates too.
            if (!(g_arrangeFlags.voidMode && i < m.blocks.count))
                b = BlockRecord{};
            b.colour = a.colour;
            b.x1 = a.x1, b.x2 = a.x2, b.y1 = a.y1, b.y2 = a.y2, b.z1 = a.z1, b.z2 = a.z2;
            b.flags = a.flags;
        }
        m.blocks.count = static_cast<std::uint16_t>(result.blocks.size());
    } catch (const std::bad_alloc&) {
        return ArrangeOutcome::OutOfMemory;
    }
    return ArrangeOutcome::Done;
}

} // namespace gelmar
