// The working state of the solar calculation: the calculation arrays it
// reads (cell colours and node numbers), the functions it evaluates, and the
// tables it builds once per run (solar and shading faces, surface groups,
// sunlit-node records, node sources) and fills at every time step.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace gelmar {

// The calculation arrays of the run as the solar code reads them, in the
// layouts of the work arrays: cell colours at i + j*nx + k*nx*ny (0xFFFF for a
// void cell), node numbers at i + j*(nx+1) + k*(nx+1)*(ny+1) (-1 for none).
struct SolarGrid {
    std::span<const std::uint16_t> cellColours;
    std::span<const std::int32_t> nodeIndex;
    // Number of grid nodes (calculation nodes 0..gridNodes-1).
    std::int32_t gridNodes = 0;

    // -1 outside the grid or for a void cell.
    int CellColour(int i, int j, int k) const;
    // -1 outside the grid.
    std::int32_t NodeIndex(int i, int j, int k) const;
};

// What the solar code needs of the functions of time and temperature; the run
// driver sets them. Without evaluate every function reads 0; without
// reflectionAt a colour's reflection factor is its fixed value.
struct SolarFunctionHooks {
    std::function<float(int function, double t)> evaluate;
    std::function<float(int colour, float angleDegrees)> reflectionAt;
};

// A solar or shading face: grid-line box x1, x2, y1, y2, z1, z2 (its own axis
// collapsed) and the orientation of the solid surface (0..5).
struct SolarFace {
    std::uint16_t box[6] = {};
    std::uint8_t orientation = 0;

    auto operator<=>(const SolarFace&) const = default;
};

// A quarter of a cell face of a solar face, at one corner grid point.
struct SurfaceGroup {
    std::uint16_t i = 0, j = 0, k = 0;
    std::uint8_t orientation = 0;
    std::uint8_t corner = 0;  // bits x, y, z: the solid cell lies on the positive side
    std::uint8_t shading = 0; // bit 0: the sun reached the group in the last step
    std::int32_t node = -1;
    std::uint8_t colour = 0;
    float area = 0;    // m2
    float skyView = 0; // 0..1
    std::int32_t link = -1;
    float absorbedDirect = 0;  // W/m2
    float absorbedDiffuse = 0; // W/m2
};

// A surface node that receives solar power, with its flux of the step.
struct SunlitNodeRecord {
    std::uint16_t i = 0, j = 0, k = 0;
    std::uint8_t orientation = 0;
    std::uint8_t corner = 0;
    std::int32_t node = -1;
    std::uint8_t colour = 0;
    float area = 0; // m2
    float flux = 0; // W/m2
    // Position in the sunlit-node file: the line of the flux files that
    // belongs to the record, whatever order the records are in.
    std::int32_t fileLine = 0;
};

// The solar power of one calculation node, read by the equation assembly.
struct SolarNodeSource {
    std::int32_t node = 0;
    float power = 0;    // W, this step
    float previous = 0; // W, the step before
};

struct SolarState {
    bool solar = false; // the model has solar colours
    SolarGrid grid;
    SolarFunctionHooks hooks;
    int globalFunction = -1;  // "G01"
    int diffuseFunction = -1; // "D01"

    std::vector<SolarFace> solarFaces;
    std::vector<SolarFace> shadingFaces;
    float rayLength = 0;   // L, model units
    float planeOffset = 0; // delta, model units
    std::vector<SurfaceGroup> groups;
    std::vector<SunlitNodeRecord> records;
    std::vector<SolarNodeSource> sources;

    float directIrradiance[6] = {};    // W/m2 per orientation, this step
    float diffuseReflection[256] = {}; // per colour
    // The factors of the run per colour: a TRANSMAT colour reflects all and
    // transmits nothing, without its model record being touched.
    float transmission[256] = {};
    bool reflectsAll[256] = {};
};

extern SolarState g_solar;

// Drops every table of the run (the grid and the hooks stay).
void FreeSolarTables();

} // namespace gelmar
