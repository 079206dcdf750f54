// The heat flux into the solid through a face at a surface node (W/m2), as
// the isoflux lines, isoflux fills, value read-out and flux legend show it:
// the area-weighted mean over the up to four cells around the node in the
// face plane, each taking its flux from the kind of cell on the other side
// of the face (conduction between two materials, conduction into a
// transparent solid, a simple boundary condition, or the heat-flux table of
// the loaded step for radiating boundaries).
#pragma once

namespace gelmar {

struct ModelStore;
struct WorkArrays;

// Orientation 0..5: the face of the solid on its x-min, x-max, y-min, y-max,
// z-min or z-max side. 0 when no cell around the node conducts inside the
// clip box.
float HeatFluxAtSurfaceNode(const ModelStore& model, const WorkArrays& work, int i, int j, int k,
                            int orientation);

} // namespace gelmar
