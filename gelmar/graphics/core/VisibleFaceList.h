// The visible-face list of a view: the block faces of the model inside its
// clip range that the 3D view, the preview and the perspective pictures draw.
// Callers run CollectBlockFaces and then BuildVisibleFaceList. Neither writes
// into the blocks or the clip range.
#pragma once

namespace gelmar {

struct ModelStore;
struct ViewState;

// The faces of every block inside the clip range, cut into pieces that each
// block covers uniformly; replaces the view's list.
void CollectBlockFaces(const ModelStore& m, ViewState& view);
// Keeps the pieces that border empty space or a block of another colour,
// with bit 3 and the neighbour set for the latter; hidden pieces are dropped.
void BuildVisibleFaceList(const ModelStore& m, ViewState& view);

} // namespace gelmar
