// What the mesh and calculation steps keep beside the model: the fill stage
// reached (which the 3D view shows and the next fill produces) and whether
// results are present. A new model, an undo or a redo starts them afresh.
#pragma once

namespace parven {

struct MeshState {
    // 0 none, 1 blocks triangulated, 2 grid filled, 3 grid fitted.
    int fillStage = 0;
};

struct RunState {
    bool resultsPresent = false; // node temperatures of a calculation are loaded
};

} // namespace parven
