// Adapters from the model store to the face passes (see ModelFaces.h).
#include "gelmar/model/editing/ModelFaces.h"

#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

std::vector<kernels::FaceBlock> ModelFaceBlocks(const ModelStore& m)
{
    std::vector<kernels::FaceBlock> blocks(m.blocks.count);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const BlockRecord& r = m.blocks[b];
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

kernels::FaceClip ModelClip(const ModelStore& m)
{
    kernels::FaceClip clip;
    for (int a = 0; a < 3; ++a) {
        clip.lo[a] = m.clipLo[a];
        clip.hi[a] = m.clipHi[a];
    }
    return clip;
}

kernels::FaceClip WholeGridClip(const ModelStore& m)
{
    kernels::FaceClip clip;
    for (int a = 0; a < 3; ++a)
        clip.hi[a] = m.axes[a].n;
    return clip;
}

bool IsWholeModelClip(const ModelStore& m)
{
    for (int a = 0; a < 3; ++a) {
        if (m.clipLo[a] != 0 || m.clipHi[a] != m.axes[a].n)
            return false;
    }
    return true;
}

std::vector<kernels::BlockFacePiece> ComputeWholeModelFaces(const ModelStore& m)
{
    const std::vector<kernels::FaceBlock> blocks = ModelFaceBlocks(m);
    const kernels::FaceClip clip = WholeGridClip(m);
    std::vector<kernels::BlockFacePiece> faces;
    kernels::CollectBlockFacePieces(blocks, clip, faces);
    kernels::KeepVisibleFacePieces(blocks, clip, true, faces);
    return faces;
}

} // namespace gelmar
