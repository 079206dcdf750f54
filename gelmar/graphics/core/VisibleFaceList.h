// The process-wide visible-face list of the model store: the block faces
// inside the clip range that the 3D view, the preview and the perspective
// pictures draw. Callers run CollectBlockFaces and then BuildVisibleFaceList.
// Neither writes into the blocks or the clip range.
#pragma once

namespace gelmar {

// The faces of every block inside the clip range, cut into pieces that each
// block covers uniformly; replaces the list.
void CollectBlockFaces();
// Keeps the pieces that border empty space or a block of another colour,
// with bit 3 and the neighbour set for the latter; hidden pieces are dropped.
void BuildVisibleFaceList();

} // namespace gelmar
