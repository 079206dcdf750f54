// The value under the mouse pointer on a face of the 3D view: the view picks
// a face of the visible-face list and a grid quad of that face (quads counted
// as FaceQuadCount orders them), sets the picture matrix from its camera,
// and ValueAtScreenPoint interpolates the quad's corner values at the pixel.
//
//   kernels::PictureMatrix matrix;        // forward = viewport x projection x modelview
//   matrix.SetForward(forward);
//   float t = ValueAtScreenPoint(matrix, model, face, quad, LoadedTemperatures(model, work), px, py);
#pragma once
#include "common/kernels/picture/PictureGeometry.h"
#include "common/kernels/picture/PictureMatrix.h"
#include "gelmar/graphics/core/PictureGrid.h"

namespace gelmar {

struct WorkArrays;

// The loaded temperatures of the grid points (node field 0): the solution of
// the loaded step at calculation nodes, the boundary value at boundary nodes,
// 0 where a point has no node. The store and work arrays must outlive it.
GridPointValue LoadedTemperatures(const ModelStore& model, const WorkArrays& work);

// The four corners of quad `quad` of the face, projected with their values
// and ordered so that they run clockwise on the screen; false (corners
// untouched) for a quad number outside 0 .. FaceQuadCount - 1.
bool ProjectQuadCorners(const kernels::PictureMatrix& matrix, const ModelStore& model, const FaceRecord& face,
                        int quad, const GridPointValue& value, kernels::QuadCorner corners[4]);

// The value at pixel (px, py) of quad `quad` of the face: the plane values of
// the quad's triangles that hold the pixel, averaged; outside them the value
// along the nearest edge. 0 for a quad number outside the face.
float ValueAtScreenPoint(const kernels::PictureMatrix& matrix, const ModelStore& model,
                         const FaceRecord& face, int quad, const GridPointValue& value, int px, int py);

} // namespace gelmar
