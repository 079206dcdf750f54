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
        const std::vector<kernels::ArrangeBlock> blocks =
            kernels::ArrangeBlocksOf(m.blocks.data.data(), m.blocks.count);
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
        if (result.status != kernels::ArrangeStatus::Ok) {
            host.MessageBox(kernels::ArrangeRefusalText(result.status), MessageStyle::Ok);
            return ArrangeOutcome::Refused;
        }
        // The list fills from its start; whenever it is full it grows by
        // another 1000 records (never beyond the 16-bit count).
        std::size_t capacity = m.blocks.capacity;
        while (capacity < result.blocks.size())
            capacity = std::min(capacity + 1000, kMaxCount16);
        if (!GrowBlockArray(m, capacity))
            return ArrangeOutcome::OutOfMemory;
        // In void mode the existing blocks come back unchanged and keep their
        // stored coordinates.
        kernels::StoreArrangedBlocks(result.blocks, options.voidMode ? m.blocks.count : 0,
                                     m.blocks.data.data());
        m.blocks.count = static_cast<std::uint16_t>(result.blocks.size());
    } catch (const std::bad_alloc&) {
        return ArrangeOutcome::OutOfMemory;
    }
    return ArrangeOutcome::Done;
}

} // namespace novelk
