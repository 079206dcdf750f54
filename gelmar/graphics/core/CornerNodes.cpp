// Gelmar's corner nodes: the solid cells around a grid point with a node.
#include "gelmar/graphics/core/CornerNodes.h"

#include "common/kernels/CornerPattern.h"
#include "gelmar/graphics/core/LoadedResults.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

bool IsCornerNode(const ModelStore& model, const LoadedResults& results, int i, int j, int k)
{
    if (results.NodeIndex(i, j, k) < 0)
        return false;
    unsigned mask = 0;
    for (unsigned q = 0; q < 8; ++q) {
        const int c =
            results.CellColour(i - 1 + static_cast<int>(q & 1), j - 1 + static_cast<int>(q >> 1 & 1),
                               k - 1 + static_cast<int>(q >> 2 & 1));
        if (c < 0 || c >= kColourCount)
            continue;
        const int type = model.colours[static_cast<std::size_t>(c)].type;
        if (type == MATERIAL || type == EQUIMAT || type == TRANSMAT)
            mask |= 1u << q;
    }
    return kernels::IsCornerPattern(mask);
}

} // namespace gelmar
