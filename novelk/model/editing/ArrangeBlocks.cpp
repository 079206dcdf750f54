// The store side of Arrange Blocks.
#include "novelk/model/editing/ArrangeBlocks.h"

#include "novelk/model/store/EngineHost.h"

#include <algorithm>
#include <new>
#include <vector>

namespace novelk {

ArrangeOutcome ArrangeBlocks(ModelStore& m, const ArrangeOptions& options, EngineHost& host)
{
    try {
        std::vector<kernels::ArrangeBlock> blocks(m.blocks.count);
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const BlockRecord& b = m.blocks[i];
            blocks[i] = kernels::ArrangeBlock{b.colour, b.x1, b.x2, b.y1, b.y2, b.z1, b.z2, b.flags};
        }
        kernels::ArrangeRequest request;
        for (int k = 0; k < 3; ++k)
            request.cells[std::size_t(k)] = m.axes[std::size_t(k)].n;
        request.blocks = blocks;
        request.mode = options.mode == kernels::kArrangeJuxtaposition ? kernels::kArrangeJuxtaposition
                                                                      : kernels::kArrangeSuperposition;
        request.voidMode = options.voidMode;
        request.voidColour = options.voidColour;
        request.hiddenMode = options.hiddenMode;
        for (int c = 0; c < kColourCount; ++c)
            request.shown[std::size_t(c)] = m.colours[std::size_t(c)].show != 0;

        const kernels::ArrangeResult result = kernels::ArrangeBlocks(request);
        switch (result.status) {
        case kernels::ArrangeStatus::Ok:
            break;
        case kernels::ArrangeStatus::BlockOutsideGrid:
            host.MessageBox(kernels::kArrangeOutsideGridText, MessageStyle::Ok);
            return ArrangeOutcome::Refused;
        case kernels::ArrangeStatus::TooManyBlocks:
            host.MessageBox(kernels::kArrangeTooManyBlocksText, MessageStyle::Ok);
            return ArrangeOutcome::Refused;
        }
        // The list fills from its start; whenever it is full it grows by
        // another 1000 records (never beyond the 16-bit count).
        std::size_t capacity = m.blocks.capacity;
        while (capacity < result.blocks.size())
            capacity = std::min(capacity + 1000, kMaxCount16);
        if (!GrowBlockArray(m, capacity))
            return ArrangeOutcome::OutOfMemory;
        for (std::size_t i = 0; i < result.blocks.size(); ++i) {
            const kernels::ArrangeBlock& a = result.blocks[i];
            BlockRecord& b = m.blocks[i];
            // In void mode the existing blocks come back unchanged; they keep
            // their stored coordinates too.
            if (!(options.voidMode && i < m.blocks.count))
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

} // namespace novelk
