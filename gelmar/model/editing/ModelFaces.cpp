// Adapters from the model store to the face passes (see ModelFaces.h).
#include "gelmar/model/editing/ModelFaces.h"

#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

std::vector<kernels::FaceBlock> ModelFaceBlocks()
{
    std::vector<kernels::FaceBlock> blocks(g_model.blocks.count);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const BlockRecord& r = g_model.blocks[b];
        blocks[b].colour = r.colour;
        blocks[b].lo[0] = r.x1;
        blocks[b].hi[0] = r.x2;
        blocks[b].lo[1] = r.y1;
        blocks[b].hi[1] = r.y2;
        blocks[b].lo[2] = r.z1;
        blocks[b].hi[2] = r.z2;
    }
    return blocks;
}

kernels::FaceClip ModelClip()
{
    kernels::FaceClip clip;
    for (int a = 0; a < 3; ++a) {
        clip.lo[a] = g_model.clipLo[a];
        clip.hi[a] = g_model.clipHi[a];
    }
    return clip;
}

kernels::FaceClip WholeGridClip()
{
    kernels::FaceClip clip;
    for (int a = 0; a < 3; ++a)
        clip.hi[a] = g_model.axes[a].n;
    return clip;
}

bool IsWholeModelClip()
{
    for (int a = 0; a < 3; ++a) {
        if (g_model.clipLo[a] != 0 || g_model.clipHi[a] != g_model.axes[a].n)
            return false;
    }
    return true;
}

std::vector<kernels::BlockFacePiece> ComputeWholeModelFaces()
{
    const std::vector<kernels::FaceBlock> blocks = ModelFaceBlocks();
    const kernels::FaceClip clip = WholeGridClip();
    std::vector<kernels::BlockFacePiece> faces;
    kernels::CollectBlockFacePieces(blocks, clip, faces);
    kernels::KeepVisibleFacePieces(blocks, clip, true, faces);
    return faces;
}

} // namespace gelmar
