// The view's face list filled by the face passes of the kernels (see
// VisibleFaceList.h).
#include "gelmar/graphics/core/VisibleFaceList.h"

#include "gelmar/model/editing/ModelFaces.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"

#include <algorithm>
#include <new>

namespace gelmar {

namespace {

// Growth steps of the list: a full list grows by this many records.
constexpr std::size_t kFaceListStep = 100000;

std::vector<kernels::BlockFacePiece> LoadFaces(const FaceList& list)
{
    std::vector<kernels::BlockFacePiece> faces(static_cast<std::size_t>(list.count));
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const FaceRecord& r = list.faces[i];
        faces[i].flags = r.flags;
        faces[i].block = r.block;
        faces[i].neighbour = r.neighbour;
        for (int b = 0; b < 6; ++b)
            faces[i].bounds[b] = r.bounds[b];
    }
    return faces;
}

// Copies the pieces into the list, growing its capacity in whole steps; when
// memory for a larger list cannot be had the list keeps what fits.
void StoreFaces(ViewState& view, const std::vector<kernels::BlockFacePiece>& faces)
{
    FaceList& list = view.faces;
    std::size_t capacity = static_cast<std::size_t>(list.capacity);
    while (capacity < faces.size())
        capacity += kFaceListStep;
    ReserveFaceList(view, capacity);
    const std::size_t n = std::min(faces.size(), static_cast<std::size_t>(list.capacity));
    for (std::size_t i = 0; i < n; ++i) {
        FaceRecord& r = list.faces[i];
        r.flags = faces[i].flags;
        r.block = faces[i].block;
        r.neighbour = faces[i].neighbour;
        for (int b = 0; b < 6; ++b)
            r.bounds[b] = faces[i].bounds[b];
    }
    list.count = static_cast<std::int32_t>(n);
}

} // namespace

void CollectBlockFaces(const ModelStore& m, ViewState& view)
{
    std::vector<kernels::BlockFacePiece> faces;
    try {
        kernels::CollectBlockFacePieces(ModelFaceBlocks(m), ModelClip(m), faces);
    } catch (const std::bad_alloc&) {
        faces.clear();
    }
    StoreFaces(view, faces);
}

void BuildVisibleFaceList(const ModelStore& m, ViewState& view)
{
    try {
        std::vector<kernels::BlockFacePiece> faces = LoadFaces(view.faces);
        kernels::KeepVisibleFacePieces(ModelFaceBlocks(m), ModelClip(m), IsWholeModelClip(m), faces);
        StoreFaces(view, faces);
    } catch (const std::bad_alloc&) {
        view.faces.count = 0;
    }
}

} // namespace gelmar
