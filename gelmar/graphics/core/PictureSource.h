// What Gelmar's pictures read: the model, its calculation arrays with the
// loaded results (cell colours, node numbers, the solution of the loaded
// step, the heat-flux table), the solar set-up's sunlit-surface table, the
// sun of the picture's time, the colour scale and the fill patterns. The
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
}

namespace gelmar {

struct ModelStore;
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
    PictureSource(const ModelStore& m, const WorkArrays& w, const SolarState& s, const ColourScale& c)
        : model(m), work(w), solar(s), colourScale(c)
    {
    }

    const ModelStore& model;
    const WorkArrays& work;
    const SolarState& solar;
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
