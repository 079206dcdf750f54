// The results of the last calculation as the output windows, the line
// values and the reports see them: read back from the files the calculation
// left ("tmp.tri", "tmp.sol", "tmp.flw", "tmp.flx"), never taken from the
// calculation's own arrays, so that they show whatever the files hold.
#pragma once
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/Errors.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dralo {

struct ResultPoint {
    std::int32_t x = 0, y = 0; // 1/16 pixel
    float temperature = 0.0f;  // °C
    float flux = 0.0f;         // W/m²
};

struct ResultTriangle {
    std::array<std::int32_t, 3> v{};
    std::array<float, 3> flow{}; // heat-flow function at the corners, W/m
    std::uint8_t colour = 0;
    std::uint8_t contour = 0; // bit k: the side from corner k lies on a contour
};

// A border edge of a free cavity (its B lines) or an outer edge of one (A
// lines), with the cavity's colour.
struct RadiationEdge {
    std::int32_t start = 0, end = 0;
    std::uint8_t colour = 0;
};

struct MeshResults {
    std::vector<ResultPoint> points;
    std::vector<ResultTriangle> triangles;
    std::vector<RadiationEdge> radiationEdges; // sorted by start point
    std::int32_t borderEdges = 0;
    std::int32_t zones = 0;
    // Read-outs of the solution file.
    std::int32_t equations = 0;
    float largestChange = 0.0f, objectDivergence = 200.0f, nodeDivergence = 200.0f;
};

// Reads the four files in order into `r`, and into the colour table the air
// temperatures, temperature ranges and heat flows. Each is looked for in the
// working folder, else as the data file's name with the file's extension.
// The first file that fails ends the reading with its EngineError: no mesh
// or solution file is ResultFile, a file that cannot be opened FileOpen with
// its path, a line that breaks the rules or counts that do not match
// Syntax, memory that cannot be had Memory (the arrays then freed). A
// missing flow or flux file is no error (a calculation stopped by Esc
// leaves none).
void ReadResults(BitmapModel& m, const std::string& workFolder, MeshResults& r);

// Frees the arrays.
void FreeFillBuffers(MeshResults& r);

} // namespace dralo
