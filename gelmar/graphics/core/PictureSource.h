// What Gelmar's pictures read: the model, the run's state with the loaded
// results (the step's time, cell colours, node numbers, the solution of the
// loaded step, the heat-flux table, the solar set-up's sunlit-surface table),
// the 3D view's visible faces, the sun of the picture's time, the colour
// scale and the fill patterns. The
// owner (the graphic output window, a test, a benchmark) fills it from the
// objects it holds; the pictures only read through it, except for the two
// services it names: loading the flux table on first use, and the shadow ray
// test of the solar set-up.
#pragma once
#include "gelmar/model/solar/SunPosition.h"

#include <functional>
#include <string>

namespace common {
class CPatternList;
struct ColourScale;
} // namespace common

namespace gelmar {

struct FaceList;
struct ModelStore;
struct RunState;
struct WorkArrays;
struct SolarState;
using common::ColourScale;

// The user-interface texts a picture writes (the window passes its string
// table's texts; these are the English ones).
struct PictureTexts {
    std::string colourTitle = "Colour";
    std::string profileTitle = "From (%d,%d,%d) to (%d,%d,%d)";
};

struct PictureSource {
    PictureSource(const ModelStore& m, const RunState& r, const FaceList& f, const ColourScale& c);

    const ModelStore& model;
    const RunState& run;
    const WorkArrays& work;  // of the run
    const SolarState& solar; // of the run
    const FaceList& faces;   // the visible faces of the perspective and the sections
    const ColourScale& colourScale;
    // Patterns by number for the pattern fill and its legend; none: the
    // default hatch.
    const common::CPatternList* patterns = nullptr;
    // The sun at the picture's time (altitude, azimuth, site frame) and
    // whether a sun obstacle hides it.
    SunState sun;
    bool sunVisible = true;
    // Called when a flux pass begins: loads the heat-flux table of the
    // loaded step into work when it is not loaded yet.
    std::function<void()> ensureFluxTable;
    // True when the ray from a model point towards the sun meets a block of
    // the shading set (the shadow display).
    std::function<bool(float x, float y, float z)> rayBlocked;
    PictureTexts texts;
};

} // namespace gelmar
