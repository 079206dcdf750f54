// The visible-face list of a Novelk model: the pieces of the block faces
// inside the clip box that border empty space or a block of another colour,
// as the 3D view, the preview and the outlines read them. It belongs to
// whoever draws the model (the 3D view, the preview pane) and is rebuilt from
// the model after every edit.
#pragma once
#include "common/kernels/VisibleFaces.h"
#include "novelk/model/store/ModelStore.h"

#include <vector>

namespace novelk {

// flags bits 0-2 orientation 0..5 (x-min, x-max, y-min, y-max, z-min, z-max),
// bit 3 between blocks of different colours (neighbour valid), bit 4 hidden;
// block and neighbour indices; bounds x1, x2, y1, y2, z1, z2 (line indices,
// the face's own axis collapsed to its plane).
using FaceRecord = kernels::BlockFacePiece;
using kernels::kFaceBetweenColours;
using kernels::kFaceHidden;
using kernels::kFaceOrientation;

struct FaceList {
    std::vector<FaceRecord> faces;
};

// Both passes: the faces of every block inside the clip box, cut where other
// blocks touch them, then only those that can be seen. When memory runs out
// the list is left empty.
void BuildFaceList(const ModelStore& m, FaceList& list);

} // namespace novelk
