// What a 3D view takes of a model store: its shared camera angles, the model
// centre and size, and the grid of the clipped model box that the overlays
// draw. Every view and picture reads the store's camera inputs through these.
#pragma once
#include "gelmar/graphics/core/SceneOverlays.h"
#include "gelmar/graphics/core/ViewCamera.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>

namespace gelmar {

inline ViewAngles ModelViewAngles(ModelStore& model)
{
    return {model.viewAzimuth, model.viewAltitude};
}

inline ViewExtent ModelViewExtent(const ModelStore& model)
{
    ViewExtent e;
    for (int k = 0; k < 3; ++k)
        e.centre[k] = model.centre[k];
    e.size = model.halfDiagonal;
    return e;
}

// The grid lines of the clipped model box.
inline OverlayGrid ModelOverlayGrid(const ModelStore& model)
{
    OverlayGrid g;
    for (int k = 0; k < 3; ++k) {
        const GridAxis& axis = model.axes[static_cast<std::size_t>(k)];
        g.coords[k] = std::span<const float>(axis.coords.data(), std::min<std::size_t>(axis.n, axis.coords.size()));
        g.lo[k] = model.clipLo[k];
        g.hi[k] = model.clipHi[k];
    }
    return g;
}

} // namespace gelmar
