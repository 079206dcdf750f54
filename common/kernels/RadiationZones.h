// Radiation zones of a cell raster and their radiating faces, over explicit
// data: a zone is a face-connected region of cavity cells of one radiating
// colour type; its radiating faces are the sides of solid cells that border
// it (and the outer sides of transparent cells on the grid boundary). Also
// the matching of a model's faces to faces read back from a view-factor file
// and the partner counts of a zone's matrix. Engines call these from their
// own stores and turn a CavityFault into their own error code.
#pragma once
#include "common/kernels/ViewFactor.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kernels {

// Colour types as the models define them.
enum CavityColourType : int {
    kMaterial = 0,
    kBcSimple = 1,
    kBcFree = 2,
    kBcSky = 3,
    kBcNoSky = 4,
    kEquivalentMaterial = 5,
    kBcFreeSolar = 6,
    kTransparentMaterial = 7,
};

constexpr std::uint16_t kVoidCell = 0xFFFF;

// The cell raster: colour numbers 0..255 (kVoidCell for no block) at index
// i + j*nx + k*nx*ny.
struct CellGrid {
    int nx = 0;
    int ny = 0;
    int nz = 0;
    std::span<const std::uint16_t> colours;
    // Colour of cell (i, j, k); -1 outside the grid or for a void cell.
    int ColourAt(int i, int j, int k) const;
};

enum class CavityError {
    None,
    SeparatedZones,       // a colour occurs in two separated regions
    DifferentBcTypes,     // a zone touches a boundary colour of another type
    TransparentBesideVoid // a transparent cell borders void space inside the grid
};

// The first fault met, with the colour and the cell it is reported at.
struct CavityFault {
    CavityError error = CavityError::None;
    int colour = -1;
    int i = 0;
    int j = 0;
    int k = 0;
};

struct RadiationZoneMap {
    std::array<int, 256> zoneOfColour; // -1: the colour has no zone
    int zoneCount = 0;
    CavityFault fault; // zones found before a fault are kept
};

// Finds the zones by flood fill, cells scanned with i outermost and k
// innermost. BC_FRE_S cavities form zones only when withSolarFree is set (a
// calculation run, not the view-factor run). checkAbort is called after each
// zone. colourTypes holds the type of each of the 256 colours.
RadiationZoneMap FindRadiationZones(const CellGrid& grid, std::span<const int> colourTypes,
                                    bool withSolarFree, const std::function<void()>& checkAbort = {});

// A radiating face as the collection finds it.
struct CollectedFace {
    std::array<int, 3> cell;                   // owning cell (the outside position for boundary faces)
    int zoneColour;                            // colour of the cavity cell the face looks into
    int ownerColour;                           // colour of the owning cell
    ViewFactorFace geometry;                   // bounds in grid coordinates and orientation
    double area;                               // m2
    std::array<std::array<int, 3>, 4> corners; // grid points of the face, in order around it
};

// The grid coordinates per axis: entry n is the upper end of cell n (the
// lower end of cell 0 is 0).
using GridCoordinates = std::array<std::span<const float>, 3>;

struct ZoneFaces {
    std::vector<std::vector<CollectedFace>> zones; // faces of each zone, in order of discovery
    CavityFault fault;
};

// Collects the faces of every zone: first the sides of solid (MATERIAL,
// EQUIMAT) cells towards a zone cell, then the sides of transparent cells on
// the grid boundary (not along an axis with a single cell). areaScale is the
// square of the grid unit.
ZoneFaces CollectZoneFaces(const CellGrid& grid, const GridCoordinates& coordinates,
                           std::span<const int> colourTypes, const RadiationZoneMap& zones, double areaScale);

// A file face's box is widened on every side by this fraction of its largest
// extent when a model face's centre is looked up in it.
constexpr double kFaceMatchTolerance = 1e-4;

// For each model face the index of the first file face whose box, widened by
// kFaceMatchTolerance, holds the model face's centre; -1 when none does.
// matchedCount receives how many model faces each file face got.
std::vector<int> MatchFileFaces(std::span<const ViewFactorFace> modelFaces,
                                std::span<const ViewFactorFace> fileFaces,
                                std::vector<int>* matchedCount = nullptr);

// For each of the n faces of a zone the number of non-zero entries in its row
// and column of the packed matrix; checkAbort every 100000 entries.
std::vector<int> CountFacePartners(std::span<const double> matrix, std::size_t n,
                                   const std::function<void()>& checkAbort = {});

} // namespace kernels
