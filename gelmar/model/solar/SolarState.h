// The working state of the solar calculation: the calculation arrays it
// reads (cell colours and node numbers), the functions it evaluates, and the
// tables it builds once per run (solar and shading faces, surface groups,
// sunlit-node records, node sources) and fills at every time step.
//
// A run sets, before PrepareSolarSurfaces (SolarRun.h): grid (the
// cell-colour and node-index arrays, which must outlive the run), hooks
// (function values and reflection factors) and zones (the radiation zones
// with the faces and view factors read back from the view-factor file; none
// without zones).
#pragma once
#include "common/kernels/ViewFactor.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace gelmar {

struct ModelStore;
struct RunState;

// The calculation arrays of the run as the solar code reads them, in the
// layouts of the work arrays: cell colours at i + j*nx + k*nx*ny (0xFFFF for a
// void cell), node numbers at i + j*(nx+1) + k*(nx+1)*(ny+1) (-1 for none).
struct SolarGrid {
    int n[3] = {}; // cells of the model's axes (nx, ny, nz)
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

// A shading face as the ray test reads it: the plane, moved a little into
// the solid, and the face's range on the other axes (unbounded along an axis
// with a single cell, which the test leaves out).
struct ShadingPlane {
    int axis = 0;
    float plane = 0;
    float lo[3] = {};
    float hi[3] = {};
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

// A radiating face of a zone (the fields of the collected faces that the
// solar exchange reads).
struct SolarZoneFace {
    kernels::ViewFactorFace geometry;            // bounds in grid coordinates and orientation
    std::array<int, 3> cell{};                   // owning (solid) cell
    int zoneColour = 0;                          // colour of the cavity cell it looks into
    int ownerColour = 0;                         // colour of the owning cell
    double area = 0;                             // m2
    std::array<std::array<int, 3>, 4> corners{}; // its grid points, in order around it
};

// A radiation zone as the solar exchange reads it; the run driver fills it
// from the zone table and the faces read back from the view-factor file.
struct SolarZone {
    int type = 0;                                   // colour type of the zone
    std::vector<SolarZoneFace> faces;               // model faces, in stored order
    std::vector<int> fileFaceOfFace;                // matched file face of each model face, -1 for none
    std::vector<kernels::ViewFactorFace> fileFaces; // faces of the view-factor file, in file order
    std::vector<double> fileAreas;                  // m2
    std::vector<int> fileOwnerColours;              // colour of each file face's solid cell
    std::vector<double> viewFactors;                // packed lower triangle of F(i->j), j < i
};

// The solar powers of a zone face in one step (W).
struct ZoneFacePower {
    int zone = 0;
    int face = 0;
    float pending = 0;   // reflected power still to be spread over the zone
    float direct = 0;    // received direct
    float diffuse = 0;   // received diffuse
    float reflected = 0; // reflected in the step: the source of the zone exchange
    float exchanged = 0; // exchanged diffuse, from the zone exchange
    bool open = false;
    bool taken = false;
};

// A file face of the exchange, with its exchange number as its position.
struct ExchangeFace {
    int zone = 0;
    int face = 0;
    float reflected = 0;
    float exchanged = 0;
};

// A grid node at a corner of a transparent solid's zone face.
struct TransmissionNode {
    std::uint16_t i = 0, j = 0, k = 0;
    std::int32_t node = 0;
    float pending = 0;     // transmitted direct power (W)
    std::uint8_t mask = 0; // bit o: a zone face of orientation o has the node as a corner
};

struct SolarState {
    bool solar = false; // the model has solar colours
    SolarGrid grid;
    SolarFunctionHooks hooks;
    int globalFunction = -1;  // "G01"
    int diffuseFunction = -1; // "D01"

    std::vector<SolarFace> solarFaces;
    std::vector<SolarFace> shadingFaces;
    std::vector<ShadingPlane> shadingPlanes; // of the shading faces, for the ray test
    float rayLength = 0;                     // L, model units
    float planeOffset = 0;                   // delta, model units
    std::vector<SurfaceGroup> groups;
    std::vector<SunlitNodeRecord> records;
    std::vector<SolarNodeSource> sources;
    // Set for the heat-flow balance after a step: the assembly leaves the
    // node powers out until the next step's fluxes. The powers stay, as the
    // next step keeps them as its previous powers.
    bool sourcesLeftOut = false;

    // Radiation zones (set by the run driver) and the exchange tables.
    std::vector<SolarZone> zones;
    std::vector<ZoneFacePower> zoneFaces;            // sorted by box
    std::vector<std::vector<int>> zoneFaceOf;        // per zone and model face: its zone-face entry
    std::vector<ExchangeFace> exchangeFaces;         // in exchange order
    std::vector<int> exchangeBase;                   // per zone: exchange number of its first file face
    std::vector<TransmissionNode> transmissionNodes; // by node number
    std::vector<std::pair<std::int32_t, int>> zoneFacesAtNode; // (corner node, zone-face entry), sorted
    std::vector<double> exchangeMatrix;                        // N rows of N + 1

    float directIrradiance[6] = {};    // W/m2 per orientation, this step
    float diffuseReflection[256] = {}; // per colour
    // The factors of the run per colour: a TRANSMAT colour reflects all and
    // transmits nothing, without its model record being touched.
    float transmission[256] = {};
    bool reflectsAll[256] = {};
    // Faces the shading ray test checks before it polls Esc again.
    int escCountdown = 500;
};

// Drops every table of the run (the grid and the hooks stay).
void FreeSolarTables(RunState& run);

} // namespace gelmar
