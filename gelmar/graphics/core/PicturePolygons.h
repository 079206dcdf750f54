// The picture polygons: every visible face piece with exactly one solid side
// (a colour in use of type MATERIAL, EQUIMAT or TRANSMAT) becomes one
// projected quad. In the perspective it carries the depth plane, corners,
// screen box and depth range that the filler and the hidden-line removal
// read, and the face turning away from the eye or seen edge-on is left out;
// in a section the faces of one orientation in the section's clip-box plane
// become polygons with their screen box only.
#pragma once
#include "common/kernels/picture/HiddenLines.h"
#include "common/kernels/picture/PictureMatrix.h"
#include "common/kernels/picture/SectionView.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"

#include <cstdint>
#include <vector>

namespace gelmar {

struct PicturePolygon {
    FaceRecord face;                  // the face piece drawn (a copy)
    std::uint8_t colour = 255;        // colour of the solid side
    std::int16_t farColour = -1;      // colour of the other side, -1 when none in use (perspective)
    kernels::HiddenLinePolygon shape; // plane, corners A..D, boxes (sections: box only)
};

// True for a colour in use of type MATERIAL, EQUIMAT or TRANSMAT.
bool IsSolidColour(const ModelStore& model, int colour);

// The perspective polygons of the visible faces through the picture matrix,
// over a picture of width x height pixels.
std::vector<PicturePolygon> BuildPicturePolygons(const ModelStore& model, const FaceList& faces,
                                                 const kernels::PictureMatrix& matrix, int width, int height);
// The polygons of section 1..12 through its transform.
std::vector<PicturePolygon> BuildSectionPolygons(const ModelStore& model, const FaceList& faces, int section,
                                                 const kernels::SectionTransform& transform, int width,
                                                 int height);

} // namespace gelmar
