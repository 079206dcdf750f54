// Zone flood fill, face collection, file-face matching and partner counts.
#include "common/kernels/RadiationZones.h"

#include <algorithm>
#include <stdexcept>

namespace kernels {

namespace {

// The six neighbours in the order x-1, x+1, y-1, y+1, z-1, z+1; side n of a
// cell is orientation n.
constexpr int kStep[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};

bool IsSolid(int type)
{
    return type == kMaterial || type == kEquivalentMaterial;
}

bool IsRadiating(int type, bool withSolarFree)
{
    return type == kBcFree || type == kBcSky || type == kBcNoSky || type == kTransparentMaterial ||
           (withSolarFree && type == kBcFreeSolar);
}

void CheckTypes(std::span<const int> colourTypes)
{
    if (colourTypes.size() < 256) {
        throw std::invalid_argument("colour types must cover all 256 colours");
    }
}

void CheckGrid(const CellGrid& grid)
{
    if (grid.nx < 0 || grid.ny < 0 || grid.nz < 0 ||
        grid.colours.size() < std::size_t(grid.nx) * std::size_t(grid.ny) * std::size_t(grid.nz)) {
        throw std::invalid_argument("cell raster smaller than the grid");
    }
}

std::size_t CellIndex(const CellGrid& grid, int i, int j, int k)
{
    return std::size_t(i) + std::size_t(j) * std::size_t(grid.nx) +
           std::size_t(k) * std::size_t(grid.nx) * std::size_t(grid.ny);
}

// Lower and upper coordinate of cell n on an axis: below 0 gives 0..0, from
// the cell count on both the last coordinate.
void CellSpan(std::span<const float> coordinate, int n, float& lo, float& hi)
{
    if (n < 0 || coordinate.empty()) {
        lo = hi = 0.0f;
    } else if (std::size_t(n) >= coordinate.size()) {
        lo = hi = coordinate.back();
    } else {
        lo = n == 0 ? 0.0f : coordinate[std::size_t(n) - 1];
        hi = coordinate[std::size_t(n)];
    }
}

CollectedFace MakeFace(const GridCoordinates& coordinates, std::array<int, 3> cell, int orientation,
                       int zoneColour, int ownerColour, double areaScale)
{
    CollectedFace face{};
    face.cell = cell;
    face.zoneColour = zoneColour;
    face.ownerColour = ownerColour;
    face.geometry.orientation = orientation;
    const int axis = orientation / 2;
    for (int a = 0; a < 3; ++a) {
        CellSpan(coordinates[a], cell[a], face.geometry.lo[a], face.geometry.hi[a]);
    }
    if (orientation & 1) {
        face.geometry.lo[axis] = face.geometry.hi[axis];
    } else {
        face.geometry.hi[axis] = face.geometry.lo[axis];
    }
    face.area = areaScale;
    for (int a = 0; a < 3; ++a) {
        if (a != axis) {
            face.area *= double(face.geometry.hi[a]) - double(face.geometry.lo[a]);
        }
    }
    // Grid point n is the lower corner of cell n; the face's plane is the
    // cell's lower or upper point on its axis.
    const int u = (axis + 1) % 3;
    const int v = (axis + 2) % 3;
    const int du[4] = {0, 1, 1, 0};
    const int dv[4] = {0, 0, 1, 1};
    for (int c = 0; c < 4; ++c) {
        face.corners[c][axis] = cell[axis] + (orientation & 1);
        face.corners[c][u] = cell[u] + du[c];
        face.corners[c][v] = cell[v] + dv[c];
    }
    return face;
}

} // namespace

int CellGrid::ColourAt(int i, int j, int k) const
{
    if (i < 0 || j < 0 || k < 0 || i >= nx || j >= ny || k >= nz) {
        return -1;
    }
    const std::uint16_t c = colours[std::size_t(i) + std::size_t(j) * std::size_t(nx) +
                                    std::size_t(k) * std::size_t(nx) * std::size_t(ny)];
    return c > 255 ? -1 : int(c);
}

RadiationZoneMap FindRadiationZones(const CellGrid& grid, std::span<const int> colourTypes,
                                    bool withSolarFree, const std::function<void()>& checkAbort)
{
    CheckTypes(colourTypes);
    CheckGrid(grid);
    RadiationZoneMap map;
    map.zoneOfColour.fill(-1);
    // Visited marks in an array of their own, so the raster stays untouched
    // whatever fault ends the search.
    std::vector<std::uint8_t> visited(grid.colours.size(), 0);
    std::vector<std::array<int, 3>> stack;

    auto fail = [&](CavityError error, int colour, const std::array<int, 3>& c) {
        map.fault = {error, colour, c[0], c[1], c[2]};
    };
    // Marks a cell as part of zone z; false after a fault.
    auto visit = [&](const std::array<int, 3>& c, int z) {
        const int colour = grid.ColourAt(c[0], c[1], c[2]);
        if (map.zoneOfColour[std::size_t(colour)] != -1 && map.zoneOfColour[std::size_t(colour)] != z) {
            fail(CavityError::SeparatedZones, colour, c);
            return false;
        }
        map.zoneOfColour[std::size_t(colour)] = z;
        visited[CellIndex(grid, c[0], c[1], c[2])] = 1;
        return true;
    };
    // Depth first with an explicit stack; a cell is pushed only while it may
    // still have unexamined neighbours.
    auto fill = [&](std::array<int, 3> cell, int type, int z) {
        stack.clear();
        if (!visit(cell, z)) {
            return false;
        }
        for (;;) {
            bool moved = false;
            for (int d = 0; d < 6 && !moved; ++d) {
                const std::array<int, 3> n = {cell[0] + kStep[d][0], cell[1] + kStep[d][1],
                                              cell[2] + kStep[d][2]};
                const int colour = grid.ColourAt(n[0], n[1], n[2]);
                if (colour < 0 || visited[CellIndex(grid, n[0], n[1], n[2])] ||
                    IsSolid(colourTypes[std::size_t(colour)])) {
                    continue;
                }
                if (colourTypes[std::size_t(colour)] != type) {
                    fail(CavityError::DifferentBcTypes, colour, n);
                    return false;
                }
                if (d < 5) {
                    stack.push_back(cell);
                }
                if (!visit(n, z)) {
                    return false;
                }
                cell = n;
                moved = true;
            }
            if (!moved) {
                if (stack.empty()) {
                    return true;
                }
                cell = stack.back();
                stack.pop_back();
            }
        }
    };

    for (int i = 0; i < grid.nx; ++i) {
        for (int j = 0; j < grid.ny; ++j) {
            for (int k = 0; k < grid.nz; ++k) {
                const int colour = grid.ColourAt(i, j, k);
                if (colour < 0 || visited[CellIndex(grid, i, j, k)]) {
                    continue;
                }
                const int type = colourTypes[std::size_t(colour)];
                if (!IsRadiating(type, withSolarFree)) {
                    continue;
                }
                if (map.zoneOfColour[std::size_t(colour)] != -1) {
                    fail(CavityError::SeparatedZones, colour, {i, j, k});
                    return map;
                }
                if (!fill({i, j, k}, type, map.zoneCount)) {
                    return map;
                }
                ++map.zoneCount;
                if (checkAbort) {
                    checkAbort();
                }
            }
        }
    }
    return map;
}

ZoneFaces CollectZoneFaces(const CellGrid& grid, const GridCoordinates& coordinates,
                           std::span<const int> colourTypes, const RadiationZoneMap& zones, double areaScale)
{
    CheckTypes(colourTypes);
    CheckGrid(grid);
    ZoneFaces result;
    result.zones.resize(std::size_t(std::max(zones.zoneCount, 0)));
    auto zoneOf = [&](int colour) {
        const int z = colour < 0 ? -1 : zones.zoneOfColour[std::size_t(colour)];
        return z >= 0 && z < zones.zoneCount ? z : -1;
    };
    for (int i = 0; i < grid.nx; ++i) {
        for (int j = 0; j < grid.ny; ++j) {
            for (int k = 0; k < grid.nz; ++k) {
                const int owner = grid.ColourAt(i, j, k);
                if (owner < 0 || !IsSolid(colourTypes[std::size_t(owner)])) {
                    continue;
                }
                for (int d = 0; d < 6; ++d) {
                    const int cavity = grid.ColourAt(i + kStep[d][0], j + kStep[d][1], k + kStep[d][2]);
                    const int z = zoneOf(cavity);
                    if (z >= 0) {
                        result.zones[std::size_t(z)].push_back(
                            MakeFace(coordinates, {i, j, k}, d, cavity, owner, areaScale));
                    }
                }
            }
        }
    }
    const int counts[3] = {grid.nx, grid.ny, grid.nz};
    for (int i = 0; i < grid.nx; ++i) {
        for (int j = 0; j < grid.ny; ++j) {
            for (int k = 0; k < grid.nz; ++k) {
                const int colour = grid.ColourAt(i, j, k);
                if (colour < 0 || colourTypes[std::size_t(colour)] != kTransparentMaterial) {
                    continue;
                }
                const int z = zoneOf(colour);
                for (int d = 0; d < 6; ++d) {
                    const std::array<int, 3> n = {i + kStep[d][0], j + kStep[d][1], k + kStep[d][2]};
                    if (grid.ColourAt(n[0], n[1], n[2]) >= 0) {
                        continue;
                    }
                    const int axis = d / 2;
                    const bool outside = n[axis] < 0 || n[axis] >= counts[axis];
                    if (!outside) {
                        result.fault = {CavityError::TransparentBesideVoid, colour, i, j, k};
                        return result;
                    }
                    if (counts[axis] > 1 && z >= 0) {
                        // The face lies on the grid boundary, seen from outside.
                        result.zones[std::size_t(z)].push_back(
                            MakeFace(coordinates, n, d ^ 1, colour, colour, areaScale));
                    }
                }
            }
        }
    }
    return result;
}

std::vector<int> MatchFileFaces(std::span<const ViewFactorFace> modelFaces,
                                std::span<const ViewFactorFace> fileFaces, std::vector<int>* matchedCount)
{
    std::vector<int> links(modelFaces.size(), -1);
    if (matchedCount != nullptr) {
        matchedCount->assign(fileFaces.size(), 0);
    }
    for (std::size_t m = 0; m < modelFaces.size(); ++m) {
        float centre[3];
        for (int a = 0; a < 3; ++a) {
            const float lo = modelFaces[m].lo[a];
            const float hi = modelFaces[m].hi[a];
            centre[a] = lo == hi ? lo : 0.5f * (lo + hi);
        }
        for (std::size_t f = 0; f < fileFaces.size(); ++f) {
            // The box widened by a small fraction of the face's own size: the
            // same everywhere in the grid, and far below any cell width.
            const ViewFactorFace& box = fileFaces[f];
            double size = 0.0;
            for (int a = 0; a < 3; ++a)
                size = std::max(size, double(box.hi[a]) - double(box.lo[a]));
            const double margin = kFaceMatchTolerance * size;
            bool inside = true;
            for (int a = 0; a < 3 && inside; ++a) {
                inside = double(box.lo[a]) - margin <= centre[a] && double(centre[a]) <= double(box.hi[a]) + margin;
            }
            if (inside) {
                links[m] = static_cast<int>(f);
                if (matchedCount != nullptr) {
                    ++(*matchedCount)[f];
                }
                break;
            }
        }
    }
    return links;
}

std::vector<int> CountFacePartners(std::span<const double> matrix, std::size_t n,
                                   const std::function<void()>& checkAbort)
{
    if (matrix.size() < (n < 2 ? 0 : n * (n - 1) / 2)) {
        throw std::invalid_argument("view-factor matrix smaller than the zone's pairs");
    }
    std::vector<int> partners(n, 0);
    std::size_t p = 0;
    for (std::size_t i = 1; i < n; ++i) {
        for (std::size_t j = 0; j < i; ++j, ++p) {
            if (matrix[p] != 0.0) {
                ++partners[i];
                ++partners[j];
            }
            if (checkAbort && (p + 1) % 100000 == 0) {
                checkAbort();
            }
        }
    }
    return partners;
}

} // namespace kernels
