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

ArrangeOutcome ArrangeBlocks(ModelStore& m, EngineHost& host, int mode, const ArrangeFlags& flags)
{
    try {
        const std::vector<kernels::ArrangeBlock> blocks =
            kernels::ArrangeBlocksOf(m.blocks.data.data(), m.blocks.count);
        kernels::ArrangeRequest request;
        for (int k = 0; k < 3; ++k)
            request.cells[k] = m.axes[k].n;
        request.blocks = blocks;
        request.mode = mode == kernels::kArrangeJuxtaposition ? kernels::kArrangeJuxtaposition
                                                              : kernels::kArrangeSuperposition;
        request.voidMode = flags.voidMode;
        request.voidColour = flags.voidColour;
        request.hiddenMode = flags.hiddenMode;
        for (int c = 0; c < kColourCount; ++c)
            request.shown[c] = m.colours[c].clipShow != 0;

        const kernels::ArrangeResult result = kernels::ArrangeBlocks(request);
        if (result.status != kernels::ArrangeStatus::Ok) {
            host.MessageBox(kernels::ArrangeRefusalText(result.status), MessageStyle::Ok);
            return ArrangeOutcome::Refused;
        }
        if (!GrowBlockArray(m, result.blocks.size()))
            return ArrangeOutcome::OutOfMemory;
        // In void mode the existing blocks come back unchanged; keep their
        // stored coordinates too.
        kernels::StoreArrangedBlocks(result.blocks, flags.voidMode ? m.blocks.count : 0, m.blocks.data.data());
        m.blocks.count = static_cast<std::uint16_t>(result.blocks.size());
    } catch (const std::bad_alloc&) {
        return ArrangeOutcome::OutOfMemory;
    }
    return ArrangeOutcome::Done;
}

} // namespace gelmar
