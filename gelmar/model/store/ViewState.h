// What the windows keep beside the model: the 3D view's visible-face list and
// colour outline, its view box, the display settings that every reset takes
// from the parameter defaults (the 3D view's split settings, the pens of the
// pictures), the colour a new block takes, and the default folders of the
// file dialogs. None of it is in the data file or an undo snapshot.
#pragma once
#include "common/core/RecordArray.h"
#include "gelmar/model/store/Records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gelmar {

struct ParameterSet;

// The visible-face list of the 3D view and its parallel index array.
struct FaceList {
    std::vector<FaceRecord> faces;
    std::vector<std::int32_t> index;
    std::int32_t count = 0;
    std::int32_t capacity = 0;
};

// A pen of the pictures: colour (COLORREF) and width (pixels; 0 thinnest).
struct LineStyle {
    std::int32_t colour = 0;
    std::int32_t width = 1;
};

struct DisplaySettings {
    float splitSize = 5.0f;     // the 3D view's split: meshes up to this size are split, mm
    float splitDistance = 1.0f; // split distance, mm
    float splitRatio = 1.5f;    // split ratio
    LineStyle object, grid;     // object and grid lines
    LineStyle isotherm1, isotherm2, singleIsotherm;
    LineStyle isoflux1, isoflux2;
};

struct ViewState {
    DisplaySettings display;
    FaceList faces;
    // Edges with which the 3D view outlines one colour or one colour pair.
    common::RecordArray<OutlineSegment, std::int32_t> outlines;
    // The view box of the 3D view: line indices and their coordinates
    // (x lower, x upper, y lower, ...).
    std::uint16_t viewLo[3] = {}, viewHi[3] = {};
    float viewCoord[6] = {};
    // The colour a new block takes.
    std::uint8_t currentColour = 0;
    // Default paths of the function-file dialogs and of the output windows'
    // save dialogs.
    std::string functionFileFolder;
    std::string outputSavePath;
};

// The face list's storage (the 3D view builds the list): grows to at least n
// records, keeping the old ones; a smaller n changes nothing.
void ReserveFaceList(ViewState& view, std::size_t n);
void FreeFaceList(ViewState& view);

// The view of an empty model: display settings from the parameter defaults,
// no faces (room for 100,000 kept), no outline.
void ResetView(ViewState& view, const ParameterSet& parameters);

} // namespace gelmar
