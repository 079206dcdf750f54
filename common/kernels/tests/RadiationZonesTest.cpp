// Radiation zones and faces of small rasters: the cavity faults with the cell
// they are reported at, faces of solid and transparent cells, and a raster
// cavity whose view factors close to one.
#include "common/kernels/RadiationZones.h"

#include "common/kernels/ViewFactorZone.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace kernels {
namespace {

// A raster with its own storage, filled with one colour.
struct Raster {
    int nx, ny, nz;
    std::vector<std::uint16_t> cells;
    Raster(int x, int y, int z, std::uint16_t colour)
        : nx(x), ny(y), nz(z), cells(std::size_t(x * y * z), colour)
    {
    }
    void Set(int i, int j, int k, std::uint16_t colour)
    {
        cells[std::size_t(i + j * nx + k * nx * ny)] = colour;
    }
    void Box(int i1, int j1, int k1, int i2, int j2, int k2, std::uint16_t colour)
    {
        for (int i = i1; i < i2; ++i) {
            for (int j = j1; j < j2; ++j) {
                for (int k = k1; k < k2; ++k) {
                    Set(i, j, k, colour);
                }
            }
        }
    }
    CellGrid Grid() const { return {nx, ny, nz, cells}; }
};

// Colours: 1 material, 2 and 3 BC_FREE, 4 BC_SKY, 5 BC_SIMPL, 6 BC_FRE_S, 7 TRANSMAT.
std::vector<int> Types()
{
    std::vector<int> types(256, kMaterial);
    types[2] = kBcFree;
    types[3] = kBcFree;
    types[4] = kBcSky;
    types[5] = kBcSimple;
    types[6] = kBcFreeSolar;
    types[7] = kTransparentMaterial;
    return types;
}

TEST(RadiationZones, CavitiesAndTheirFaults)
{
    const auto types = Types();
    {
        Raster r(4, 4, 4, 1);
        EXPECT_EQ(FindRadiationZones(r.Grid(), types, true).zoneCount, 0);
    }
    {
        // Two touching BC_FREE colours form one zone.
        Raster r(5, 4, 4, 1);
        r.Box(1, 1, 1, 2, 3, 3, 2);
        r.Box(2, 1, 1, 4, 3, 3, 3);
        const RadiationZoneMap map = FindRadiationZones(r.Grid(), types, true);
        EXPECT_EQ(map.fault.error, CavityError::None);
        EXPECT_EQ(map.zoneCount, 1);
        EXPECT_EQ(map.zoneOfColour[2], 0);
        EXPECT_EQ(map.zoneOfColour[3], 0);
        EXPECT_EQ(map.zoneOfColour[1], -1);
    }
    {
        // Two separated cavities of colour 2: reported at the first cell of the second.
        Raster r(6, 3, 3, 1);
        r.Set(1, 1, 1, 2);
        r.Set(4, 1, 1, 2);
        const RadiationZoneMap map = FindRadiationZones(r.Grid(), types, true);
        EXPECT_EQ(map.fault.error, CavityError::SeparatedZones);
        EXPECT_EQ(map.fault.colour, 2);
        EXPECT_EQ((std::array<int, 3>{map.fault.i, map.fault.j, map.fault.k}), (std::array<int, 3>{4, 1, 1}));
    }
    for (std::uint16_t other : {4, 5}) {
        // A BC_FREE cavity touching a BC_SKY or BC_SIMPL cell: reported at that cell.
        Raster r(5, 3, 3, 1);
        r.Box(1, 1, 1, 3, 2, 2, 2);
        r.Set(3, 1, 1, other);
        const RadiationZoneMap map = FindRadiationZones(r.Grid(), types, true);
        EXPECT_EQ(map.fault.error, CavityError::DifferentBcTypes);
        EXPECT_EQ(map.fault.colour, other);
        EXPECT_EQ(map.fault.i, 3);
    }
    {
        // BC_FRE_S forms a zone only in a calculation run.
        Raster r(3, 3, 3, 1);
        r.Set(1, 1, 1, 6);
        EXPECT_EQ(FindRadiationZones(r.Grid(), types, true).zoneCount, 1);
        EXPECT_EQ(FindRadiationZones(r.Grid(), types, false).zoneCount, 0);
    }
}

TEST(RadiationZones, SolidFacesAroundACavityCell)
{
    const auto types = Types();
    Raster r(3, 3, 3, 1);
    r.Set(1, 1, 1, 2);
    const std::vector<float> x = {1, 3, 4}, y = {2, 3, 5}, z = {1, 1.5f, 3};
    const GridCoordinates coords = {x, y, z};
    const RadiationZoneMap map = FindRadiationZones(r.Grid(), types, false);
    const ZoneFaces faces = CollectZoneFaces(r.Grid(), coords, types, map, 0.25);
    ASSERT_EQ(faces.fault.error, CavityError::None);
    ASSERT_EQ(faces.zones.size(), 1u);
    const auto& zone = faces.zones[0];
    ASSERT_EQ(zone.size(), 6u);
    // Cells scanned with i outermost: the x-1 neighbour first (its +x side), the x+1 neighbour last.
    const int expectedOrientation[6] = {1, 3, 5, 4, 2, 0};
    for (std::size_t n = 0; n < zone.size(); ++n) {
        EXPECT_EQ(zone[n].geometry.orientation, expectedOrientation[n]);
        EXPECT_EQ(zone[n].zoneColour, 2);
        EXPECT_EQ(zone[n].ownerColour, 1);
    }
    // The +x face of cell (0, 1, 1) lies in the plane x = 1 and spans the cavity cell's y and z.
    const CollectedFace& west = zone[0];
    EXPECT_EQ(west.cell, (std::array<int, 3>{0, 1, 1}));
    EXPECT_EQ(west.geometry.lo, (std::array<float, 3>{1, 2, 1}));
    EXPECT_EQ(west.geometry.hi, (std::array<float, 3>{1, 3, 1.5f}));
    EXPECT_DOUBLE_EQ(west.area, 0.25 * 1.0 * 0.5);
    EXPECT_EQ(west.corners[0], (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(west.corners[2], (std::array<int, 3>{1, 2, 2}));
}

TEST(RadiationZones, TransparentCellsOnTheBoundaryAndBesideVoid)
{
    const auto types = Types();
    const std::vector<float> c = {1, 2, 3};
    const GridCoordinates coords = {c, c, c};
    {
        // A transparent slab through the grid along x at j = k = 1, one cell in z: its two
        // ends on the x boundary give faces; no faces along z, the single-cell axis.
        Raster r(3, 3, 1, 1);
        r.Box(0, 1, 0, 3, 2, 1, 7);
        const RadiationZoneMap map = FindRadiationZones(r.Grid(), types, false);
        ASSERT_EQ(map.zoneCount, 1);
        const ZoneFaces faces = CollectZoneFaces(r.Grid(), coords, types, map, 1.0);
        ASSERT_EQ(faces.fault.error, CavityError::None);
        const auto& zone = faces.zones[0];
        ASSERT_EQ(zone.size(), 6u + 2u); // three solid cells on each side, two boundary ends
        const CollectedFace& low = zone[6];
        EXPECT_EQ(low.geometry.orientation, 1);
        EXPECT_EQ(low.geometry.lo[0], 0.0f);
        EXPECT_EQ(low.geometry.hi[0], 0.0f);
        EXPECT_EQ(low.zoneColour, 7);
        EXPECT_EQ(low.ownerColour, 7);
        EXPECT_EQ(low.corners[0][0], 0);
        const CollectedFace& high = zone[7];
        EXPECT_EQ(high.geometry.orientation, 0);
        EXPECT_EQ(high.geometry.lo[0], 3.0f);
        EXPECT_EQ(high.corners[0][0], 3);
    }
    {
        Raster r(3, 3, 3, 1);
        r.Set(1, 1, 1, 7);
        r.Set(1, 2, 1, kVoidCell);
        const RadiationZoneMap map = FindRadiationZones(r.Grid(), types, false);
        const ZoneFaces faces = CollectZoneFaces(r.Grid(), coords, types, map, 1.0);
        EXPECT_EQ(faces.fault.error, CavityError::TransparentBesideVoid);
        EXPECT_EQ(faces.fault.colour, 7);
        EXPECT_EQ((std::array<int, 3>{faces.fault.i, faces.fault.j, faces.fault.k}),
                  (std::array<int, 3>{1, 1, 1}));
    }
}

TEST(RadiationZones, RasterCavityViewFactorsCloseToOne)
{
    const auto types = Types();
    Raster r(5, 4, 5, 1);
    r.Box(1, 1, 1, 4, 3, 4, 2);
    const std::vector<float> x = {0.5f, 1, 2, 2.5f, 3}, y = {1, 2, 3, 4}, z = {1, 1.2f, 2, 3, 4};
    const GridCoordinates coords = {x, y, z};
    const RadiationZoneMap map = FindRadiationZones(r.Grid(), types, false);
    const ZoneFaces collected = CollectZoneFaces(r.Grid(), coords, types, map, 1.0);
    const auto& zone = collected.zones.at(0);
    ASSERT_EQ(zone.size(), 2u * (3 * 2 + 2 * 3 + 3 * 3));
    std::vector<ViewFactorFace> faces;
    std::vector<double> areas;
    for (const CollectedFace& f : zone) {
        faces.push_back(f.geometry);
        areas.push_back(f.area);
    }
    ViewFactorSettings settings;
    settings.vwfc = 1e-9f;
    std::vector<double> matrix(PackedSize(faces.size()));
    ComputeZoneViewFactors(faces, settings, matrix);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_NEAR(ViewFactorRowSum(matrix, areas, i), 1.0, 1e-6) << i;
    }
    const std::vector<int> partners = CountFacePartners(matrix, faces.size());
    // A face sees every face of the box but those in its own wall.
    EXPECT_EQ(partners[0], int(faces.size()) - 6);
}

TEST(RadiationZones, MatchFileFacesByCentre)
{
    const std::vector<ViewFactorFace> file = {
        {{0, 0, 0}, {1, 1, 0}, 5}, {{1, 0, 0}, {2, 1, 0}, 5}, {{1, 0, 0}, {2, 1, 0}, 5}};
    const std::vector<ViewFactorFace> model = {
        {{1, 0, 0}, {2, 1, 0}, 5},                 // second file face (the first of two equal ones)
        {{0.25f, 0.25f, 0}, {0.75f, 0.75f, 0}, 5}, // centre inside the first
        {{5, 5, 5}, {6, 6, 5}, 5},                 // nowhere
    };
    std::vector<int> counts;
    EXPECT_EQ(MatchFileFaces(model, file, &counts), (std::vector<int>{1, 0, -1}));
    EXPECT_EQ(counts, (std::vector<int>{1, 1, 0}));
}

TEST(RadiationZones, MatchingToleranceFollowsTheFaceSize)
{
    // Faces of one cell width (0.01) far from the origin and at 0: a model
    // face finds the file face at its place, never its neighbour, and a face
    // read back with rounded bounds still finds its own.
    const float x = 1000.0f;
    const std::vector<ViewFactorFace> file = {{{x, 0, 0}, {x, 0.01f, 0.01f}, 1},
                                              {{x + 0.01f, 0, 0}, {x + 0.01f, 0.01f, 0.01f}, 1},
                                              {{0, 0, 0}, {0, 0.01f, 0.01f}, 1}};
    const std::vector<ViewFactorFace> model = {{{x + 0.01f, 0, 0}, {x + 0.01f, 0.01f, 0.01f}, 1},
                                               {{x, 0, 0}, {x, 0.01f, 0.01f}, 1},
                                               {{1e-7f, 0, 0}, {1e-7f, 0.01f, 0.01f}, 1},
                                               {{0.0001f, 0, 0}, {0.0001f, 0.01f, 0.01f}, 1}};
    EXPECT_EQ(MatchFileFaces(model, file), (std::vector<int>{1, 0, 2, -1}));
}

} // namespace
} // namespace kernels
