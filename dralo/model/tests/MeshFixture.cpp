// The mesh fixture's helpers and checks.
#include "dralo/model/tests/MeshFixture.h"

#include "dralo/model/check/ModelCheck.h"
#include "dralo/model/mesh/MeshPoints.h"
#include "dralo/model/store/BoundaryEdges.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace dralo::test {

long long DoubleArea(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c)
{
    return (static_cast<long long>(b.x) - a.x) * (static_cast<long long>(c.y) - a.y) -
           (static_cast<long long>(b.y) - a.y) * (static_cast<long long>(c.x) - a.x);
}

std::vector<MeshVertex> PointsOf(const MeshBuild& b)
{
    std::vector<MeshVertex> points;
    for (const ContourVertex& v : b.contours.vertices)
        points.push_back({v.x, v.y});
    return points;
}

void MeshTest::Fill(int x0, int y0, int x1, int y1, int colour)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            model.pixels[static_cast<std::size_t>(PixelIndex(model, x, y))] = static_cast<std::uint8_t>(colour);
}

void MeshTest::Disc(double cx, double cy, double r, int colour)
{
    for (int y = 0; y < model.height; ++y)
        for (int x = 0; x < model.width; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r)
                model.pixels[static_cast<std::size_t>(PixelIndex(model, x, y))] = static_cast<std::uint8_t>(colour);
}

void MeshTest::Finish()
{
    BuildColourBoundaryEdges(model);
}

void MeshTest::MeshSize(float tric)
{
    for (ColourRecord& c : model.colours)
        c.tric = tric;
}

void MeshTest::Triangulate()
{
    CheckCalculationModel(model, host);
    BuildMesh(model, build, host);
}

void MeshTest::ExpectSoundMesh(bool exactAreas)
{
    const std::vector<MeshVertex> p = PointsOf(build);
    const std::vector<MeshTriangle>& tris = build.triangles;
    ASSERT_FALSE(tris.empty());

    // Alike oriented and not degenerate; each directed side used once.
    std::map<std::pair<int, int>, std::pair<int, bool>> sides; // side -> (triangle colour, on a contour)
    std::map<int, long long> area;
    for (const MeshTriangle& t : tris) {
        const long long a = DoubleArea(p[t.v[0]], p[t.v[1]], p[t.v[2]]);
        EXPECT_GT(a, 0) << "triangle " << t.v[0] << " " << t.v[1] << " " << t.v[2];
        area[t.colour] += a;
        for (int k = 0; k < 3; ++k) {
            const auto key = std::make_pair(t.v[k], t.v[(k + 1) % 3]);
            EXPECT_TRUE(sides.emplace(key, std::make_pair(int(t.colour), bool(t.onContour >> k & 1))).second)
                << "side " << key.first << "->" << key.second << " used twice in one direction";
        }
    }
    // Every side without its opposite lies on a contour towards a colour
    // that is not meshed; sides between colours lie on contours.
    for (const auto& [key, value] : sides) {
        const auto back = sides.find({key.second, key.first});
        if (back == sides.end()) {
            EXPECT_TRUE(value.second) << "open side " << key.first << "->" << key.second << " off the contours";
        } else if (back->second.first != value.first) {
            EXPECT_TRUE(value.second) << "a side between two colours off the contours";
        }
    }
    // The contour edges beside a meshed colour are sides of its triangles.
    const ContourSet& c = build.contours;
    for (std::size_t k = 0; k < c.heads.size(); ++k)
        ForEachContourEdge(c, k, [&](std::int32_t e) {
            const ContourEdge& r = c.edges[static_cast<std::size_t>(e)];
            if (IsMeshedColour(model, r.high)) {
                EXPECT_TRUE(sides.count({r.start, r.end})) << "contour edge of colour " << r.high << " unmeshed";
            }
            if (IsMeshedColour(model, r.low)) {
                EXPECT_TRUE(sides.count({r.end, r.start})) << "contour edge of colour " << r.low << " unmeshed";
            }
        });

    // Each pixel centre of a meshed colour away from the smoothed contours
    // lies in exactly one triangle, of its colour (a slightly moved centre,
    // so that it never lies on a side).
    std::vector<std::pair<MeshVertex, MeshVertex>> slanted;
    for (std::size_t k = 0; k < c.heads.size(); ++k)
        ForEachContourEdge(c, k, [&](std::int32_t e) {
            const ContourEdge& r = c.edges[static_cast<std::size_t>(e)];
            const MeshVertex a = p[static_cast<std::size_t>(r.start)], b = p[static_cast<std::size_t>(r.end)];
            if (a.x != b.x && a.y != b.y)
                slanted.push_back({a, b});
        });
    for (int y = 0; y < model.height; ++y)
        for (int x = 0; x < model.width; ++x) {
            const int colour = Pixel(x, y);
            if (!IsMeshedColour(model, colour))
                continue;
            const double px = 16.0 * x + 8.0 + 0.0031415926, py = 16.0 * y + 8.0 + 0.0027182818;
            bool nearSlant = false;
            for (const auto& [a, b] : slanted) {
                const double dx = b.x - a.x, dy = b.y - a.y;
                const double t = std::clamp(((px - a.x) * dx + (py - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                if (std::hypot(a.x + t * dx - px, a.y + t * dy - py) < 16.0)
                    nearSlant = true;
            }
            if (nearSlant)
                continue;
            int inside = 0, ofColour = 0;
            for (const MeshTriangle& t : tris) {
                bool in = true;
                for (int k = 0; k < 3; ++k) {
                    const MeshVertex& a = p[t.v[k]];
                    const MeshVertex& b = p[t.v[(k + 1) % 3]];
                    if ((double(b.x) - a.x) * (py - a.y) - (double(b.y) - a.y) * (px - a.x) <= 0)
                        in = false;
                }
                if (in) {
                    ++inside;
                    ofColour += t.colour == colour;
                }
            }
            EXPECT_EQ(inside, 1) << "pixel " << x << "," << y;
            EXPECT_EQ(ofColour, inside) << "pixel " << x << "," << y << " of colour " << colour;
        }

    if (!exactAreas)
        return;
    for (int n = 0; n < kColourCount; ++n) {
        if (model.colours[static_cast<std::size_t>(n)].present && IsMeshedColour(model, n)) {
            EXPECT_EQ(area[n], 512LL * model.colours[static_cast<std::size_t>(n)].pixelCount) << "colour " << n;
        }
    }
}

} // namespace dralo::test
