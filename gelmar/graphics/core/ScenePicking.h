// The named objects of the 3D view's selection-mode picks, and how a
// selection buffer's hits are read:
//
//   block pick, colour read-out: the faces of each block by block index, in
//     block order; in the BC view the faces of the shown materials named by
//     the shown boundary-condition block in front of them, then every such
//     face once more under kNoBlockName;
//   value read-out, step 1: the drawn faces by their index in the face list;
//   value read-out, step 2: the grid quads of one face by their running
//     number (drawn with culling off).
//
// A pick region filter keeps only the quads that may reach the 1 x 1 pixel
// region of a pick, so that a pick draws a handful of quads whatever the
// model's size; what reaches the region, and at which depth, is left to the
// selection itself.
#pragma once
#include "gelmar/graphics/core/ViewKind.h"
#include "gelmar/graphics/core/ViewMatrices.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstdint>
#include <vector>

namespace gelmar {

struct FaceList;

// The name of faces without a block of the shown kind in front of them.
constexpr std::uint32_t kNoBlockName = 65535;

struct NamedQuad {
    std::uint32_t name = 0;
    float corners[4][3] = {}; // clockwise seen from the side named
};

class PickRegionFilter {
  public:
    // clip: the pick projection x the model-view matrix.
    explicit PickRegionFilter(const GlMatrix& clip) : m_clip(clip) {}
    // False when all four corners lie beyond one plane of the clip volume.
    bool Keep(const float corners[4][3]) const;

  private:
    GlMatrix m_clip;
};

// Block names of the materials view (material blocks) or the
// boundary-condition view (boundary-condition blocks, then kNoBlockName);
// nothing for other kinds. A null filter keeps every quad. faces: the
// visible-face list.
void CollectBlockNames(const ModelStore& model, ViewKind viewKind, const PickRegionFilter* filter,
                       const FaceList& faces, std::vector<NamedQuad>& out);
// The faces the result surfaces draw, named by face index, in list order.
void CollectFaceNames(const ModelStore& model, const PickRegionFilter* filter, const FaceList& faces,
                      std::vector<NamedQuad>& out);
// The grid quads of face `face` of the list, named 0, 1, ... in the order
// FaceQuadCount counts them.
void CollectQuadNames(const ModelStore& model, int face, const FaceList& faces, std::vector<NamedQuad>& out);

// The name of the hit with the smallest minimum depth, the first of equal
// ones; -1 without hits. buffer holds `size` values, hits records of (name
// count, minimum depth, maximum depth, names...).
std::int64_t NearestHitName(const std::uint32_t* buffer, std::size_t size, int hits);
// The first name of the first hit record; -1 without hits.
std::int64_t FirstHitName(const std::uint32_t* buffer, std::size_t size, int hits);

} // namespace gelmar
