// The model's blocks and clip box as the face passes of the kernels see them,
// and the visible faces of the whole model, which the solar set-up reads
// without touching the 3D view's face list or the clip range.
#pragma once
#include "common/kernels/VisibleFaces.h"

#include <vector>

namespace gelmar {

struct ModelStore;

// The store's blocks, in list order.
std::vector<kernels::FaceBlock> ModelFaceBlocks(const ModelStore& m);
// The clip range of the store, and the range of the whole grid.
kernels::FaceClip ModelClip(const ModelStore& m);
kernels::FaceClip WholeGridClip(const ModelStore& m);
// True when the clip range equals the whole grid on all six bounds.
bool IsWholeModelClip(const ModelStore& m);
// Both face passes over the whole grid, whatever the clip range.
std::vector<kernels::BlockFacePiece> ComputeWholeModelFaces(const ModelStore& m);

} // namespace gelmar
