// The surfaces of the 3D view as triangles, from the visible-face list: the
// block faces in the colours of their materials or of the boundary
// conditions in front of them, the same faces depth-sorted for the
// transparent view, and the temperature field on the faces in colour bands.
//
// A face is drawn for each of its sides that is a shown material (a colour
// in use, shown in the Clip Colours table, of type MATERIAL, EQUIMAT or
// TRANSMAT), wound so that it is a front face (clockwise) seen from that
// side, with that side's outward normal; a face between two shown materials
// is inside the solid and never drawn.
#pragma once
#include "common/core/ColourScale.h"
#include "common/kernels/picture/BandPolygons.h"
#include "gelmar/graphics/core/PictureGrid.h"
#include "gelmar/graphics/core/SceneMesh.h"
#include "gelmar/graphics/core/ViewKind.h"

#include <cstdint>
#include <span>
#include <vector>

namespace gelmar {

struct FaceList;

// The colour of a boundary-condition face with no shown colour in front.
constexpr COLORREF kUncoveredFaceColour = RGB(255, 255, 215);

// A colour in use, shown, of type MATERIAL, EQUIMAT or TRANSMAT.
bool IsShownMaterial(const ModelStore& model, int colour);

// The faces of the list that are there to read: its count, at most the
// records it holds.
std::int32_t FaceCount(const FaceList& list);

// The two sides of a face: the colour of the face's own block and of the
// block across (-1 when none), and which of them are drawn.
struct FaceSides {
    int ownerColour = -1, otherColour = -1;
    bool owner = false, other = false;
};
FaceSides SidesOf(const ModelStore& model, const FaceRecord& face);

// The plane and the in-plane axes of a face seen from one side.
struct FaceFrame {
    int axis = 0, u = 1, v = 2;
    float plane = 0.0f;
    float normal[3] = {};
    bool positive = false; // the normal points along +axis
};
FaceFrame FaceFrameOf(const ModelStore& model, const FaceRecord& face, bool ownerSide);
// The corners of the rectangle [u1, u2] x [v1, v2] (model coordinates) of
// the face's plane, clockwise seen from the frame's side and starting at
// (u1, v1), so that (c0, c2) is the diagonal from the lowest to the highest
// grid indices.
void RectCorners(const FaceFrame& frame, float u1, float u2, float v1, float v2, float out[4][3]);

// The highlight of the span a table view selects: the faces' parts on axis
// `axis` between grid lines lo and hi (both included) are lightened.
struct FaceHighlight {
    bool on = false;
    int axis = 0;
    int lo = 0, hi = 0;
};
// Each channel c of a highlighted piece: c + (255 - c) x 5 / 8.
COLORREF HighlightColour(COLORREF c);

// The block faces: the materials and transparent views in the material
// colours, the boundary-condition view in the colour across each face
// (kUncoveredFaceColour where none is shown).
// faces: the visible-face list. order: the faces in drawing order (empty:
// list order). alpha: the alpha of every vertex (128 in the transparent view).
void EmitBlockFaces(const ModelStore& model, ViewKind viewKind, const FaceHighlight& highlight,
                    std::uint8_t alpha, std::span<const std::int32_t> order, const FaceList& list,
                    TriangleMesh& out);

// The preview's surface: colour by colour (0..255), for each colour in use
// of type MATERIAL, EQUIMAT or TRANSMAT, every visible face of its blocks
// with its outward normal, in the colour's display colour.
void EmitColourFaces(const ModelStore& model, const FaceList& list, TriangleMesh& out);

// The transparent view's drawing order: every face, farthest first, by where
// the view direction from the eye meets the face's plane; a face whose plane
// the view direction runs parallel to sorts first.
void SortTransparentFaces(const ModelStore& model, const float eye[3], const float focus[3],
                          const FaceList& list, std::vector<std::int32_t>& order);

// The temperature field on the faces in colour bands of the range (band
// width: its increment; colours of the scale, its out-of-range colour below
// and above). Regions of a face inside one band become single quads; only
// the cells that band limits cross are drawn cell by cell.
void EmitResultSurfaces(const ModelStore& model, const GridPointValue& value,
                        const kernels::ValueRange& range, const common::ColourScale& scale,
                        const FaceList& list, TriangleMesh& out);

// The bands of one triangle (corners in winding order with their values), as
// triangles in the band colours.
void EmitTriangleBands(const kernels::BandVertex corners[3], const float normal[3],
                       const kernels::ValueRange& range, const common::ColourScale& scale, TriangleMesh& out);

} // namespace gelmar
