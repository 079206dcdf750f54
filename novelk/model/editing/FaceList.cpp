// The visible faces of the model by the face passes of the kernels.
#include "novelk/model/editing/FaceList.h"

#include <new>

namespace novelk {

void BuildFaceList(const ModelStore& m, FaceList& list)
{
    list.faces.clear();
    try {
        std::vector<kernels::FaceBlock> blocks(m.blocks.count);
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            const BlockRecord& r = m.blocks[b];
            blocks[b].colour = r.colour;
            blocks[b].lo[0] = r.x1, blocks[b].hi[0] = r.x2;
            blocks[b].lo[1] = r.y1, blocks[b].hi[1] = r.y2;
            blocks[b].lo[2] = r.z1, blocks[b].hi[2] = r.z2;
        }
        kernels::FaceClip clip;
        bool whole = true;
        for (int k = 0; k < 3; ++k) {
            clip.lo[k] = m.clipLo[k];
            clip.hi[k] = m.clipHi[k];
            whole = whole && clip.lo[k] == 0 && clip.hi[k] == m.axes[static_cast<std::size_t>(k)].n;
        }
        kernels::CollectBlockFacePieces(blocks, clip, list.faces);
        if (!list.faces.empty())
            kernels::KeepVisibleFacePieces(blocks, clip, whole, list.faces);
    } catch (const std::bad_alloc&) {
        list.faces.clear();
    }
}

} // namespace novelk
