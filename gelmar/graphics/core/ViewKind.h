// ViewKind: what the 3D view draws on the blocks' faces.
#pragma once

namespace gelmar {

enum class ViewKind {
    Materials,          // faces in the material colours
    Transparent,        // material colours, half transparent, farthest first
    BoundaryConditions, // faces in the colour across each face
    Temperatures,       // the temperature field in colour bands
};

} // namespace gelmar
