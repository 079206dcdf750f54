// Corner nodes: the grid points where the surface of the solid cells has a
// vertex. A point is classified by which of its eight surrounding cells are
// solid (of a conductive colour type).
#pragma once

namespace gelmar {

class LoadedResults;
struct ModelStore;

// A grid point with a calculation node whose cells form a corner pattern.
bool IsCornerNode(const ModelStore& model, const LoadedResults& results, int i, int j, int k);

} // namespace gelmar
