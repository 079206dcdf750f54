// The model's blocks and clip box as the face passes of the kernels see them,
// and the visible faces of the whole model, which the solar set-up reads
// without touching the 3D view's face list or the clip range.
#pragma once
#include "common/kernels/VisibleFaces.h"

#include <vector>

namespace gelmar {

// The store's blocks, in list order.
std::vector<kernels::FaceBlock> ModelFaceBlocks();
// The clip range of the store, and the range of the whole grid.
kernels::FaceClip ModelClip();
kernels::FaceClip WholeGridClip();
// True when the clip range equals the whole grid on all six bounds.
bool IsWholeModelClip();
// Both face passes over the whole grid, whatever the clip range.
std::vector<kernels::BlockFacePiece> ComputeWholeModelFaces();

} // namespace gelmar
