// Colour outlines against a brute-force face scan: the faces of a colour's
// cells that border another colour or the void are scanned cell by cell, and
// an edge of them is an outline edge unless the boundary faces meeting at it
// are exactly two in one plane. The outline list, taken apart into unit
// edges, must be that set.
#include "gelmar/model/editing/Outlines.h"

#include "EditFixture.h"
#include "gelmar/model/store/Engine.h"

#include <random>
#include <set>
#include <tuple>

namespace gelmar::test {
namespace {

using OutlinesTest = EditEngineTest;
using UnitEdge = std::tuple<int, int, int, int>; // axis along, start x, y, z

struct Cells {
    int n[3];
    std::vector<int> colour; // -1 void
    std::vector<int> block;  // last block covering the cell, -1 none

    int At(int x, int y, int z, const std::vector<int>& v) const
    {
        if (x < 0 || y < 0 || z < 0 || x >= n[0] || y >= n[1] || z >= n[2])
            return -1;
        return v[static_cast<std::size_t>(x + n[0] * (y + n[1] * z))];
    }
};

Cells Scan(const ModelStore& m)
{
    Cells c;
    for (int k = 0; k < 3; ++k)
        c.n[k] = m.axes[k].n;
    const std::size_t total = static_cast<std::size_t>(c.n[0] * c.n[1] * c.n[2]);
    c.colour.assign(total, -1);
    c.block.assign(total, -1);
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        for (int z = r.z1; z < r.z2; ++z)
            for (int y = r.y1; y < r.y2; ++y)
                for (int x = r.x1; x < r.x2; ++x) {
                    const std::size_t i = static_cast<std::size_t>(x + c.n[0] * (y + c.n[1] * z));
                    c.colour[i] = r.colour;
                    c.block[i] = static_cast<int>(b);
                }
    }
    return c;
}

// The visible-face list as one record per cell face between two colours
// (or a colour and the void), seen from the coloured side.
void BuildCellFaceList(ViewState& view, const Cells& c)
{
    FaceList& list = view.faces;
    list.count = 0;
    for (int z = 0; z < c.n[2]; ++z)
        for (int y = 0; y < c.n[1]; ++y)
            for (int x = 0; x < c.n[0]; ++x) {
                const int own = c.At(x, y, z, c.colour);
                if (own < 0)
                    continue;
                for (int dir = 0; dir < 6; ++dir) {
                    const int axis = dir / 2, side = dir % 2;
                    int p[3] = {x, y, z};
                    p[axis] += side ? 1 : -1;
                    const int other = c.At(p[0], p[1], p[2], c.colour);
                    if (other == own)
                        continue;
                    FaceRecord f;
                    f.flags = static_cast<std::uint8_t>(dir | (other >= 0 ? 8 : 0));
                    f.block = c.At(x, y, z, c.block);
                    f.neighbour = c.At(p[0], p[1], p[2], c.block);
                    const int q[3] = {x, y, z};
                    for (int k = 0; k < 3; ++k) {
                        f.bounds[2 * k] = static_cast<std::uint16_t>(q[k] + (k == axis ? side : 0));
                        f.bounds[2 * k + 1] = static_cast<std::uint16_t>(q[k] + (k == axis ? side : 1));
                    }
                    ReserveFaceList(view, static_cast<std::size_t>(list.count) + 1);
                    list.faces[static_cast<std::size_t>(list.count++)] = f;
                }
            }
}

std::set<UnitEdge> BruteForceOutline(const Cells& c, int colour)
{
    std::set<UnitEdge> out;
    const auto is = [&](int x, int y, int z) { return c.At(x, y, z, c.colour) == colour; };
    for (int z = 0; z < c.n[2]; ++z)
        for (int y = 0; y < c.n[1]; ++y)
            for (int x = 0; x < c.n[0]; ++x) {
                if (!is(x, y, z))
                    continue;
                for (int dir = 0; dir < 6; ++dir) {
                    const int normal = dir / 2, side = dir % 2;
                    int p[3] = {x, y, z};
                    p[normal] += side ? 1 : -1;
                    if (is(p[0], p[1], p[2]))
                        continue;
                    // The four edges of this boundary face.
                    for (int along = 0; along < 3; ++along) {
                        if (along == normal)
                            continue;
                        const int across = 3 - normal - along;
                        for (int s = 0; s < 2; ++s) {
                            int e[3] = {x, y, z};
                            e[normal] += side;
                            e[across] += s;
                            // Cells around the edge, in order, and the four
                            // faces between neighbours in that order.
                            const int f = (along + 1) % 3, g = (along + 2) % 3;
                            bool around[4];
                            const int step[4][2] = {{-1, -1}, {0, -1}, {0, 0}, {-1, 0}};
                            for (int q = 0; q < 4; ++q) {
                                int cell[3] = {e[0], e[1], e[2]};
                                cell[f] += step[q][0];
                                cell[g] += step[q][1];
                                around[q] = is(cell[0], cell[1], cell[2]);
                            }
                            bool boundary[4];
                            int count = 0;
                            for (int q = 0; q < 4; ++q)
                                count += boundary[q] = around[q] != around[(q + 1) % 4];
                            const bool flat = count == 2 && boundary[0] == boundary[2];
                            if (!flat)
                                out.insert({along, e[0], e[1], e[2]});
                        }
                    }
                }
            }
    return out;
}

// The outline list taken apart into unit edges; a unit edge stored twice
// counts as a failure.
std::set<UnitEdge> StoredOutline(const ViewState& view)
{
    std::set<UnitEdge> out;
    for (std::int32_t i = 0; i < view.outlines.count; ++i) {
        const OutlineSegment& s = view.outlines[static_cast<std::size_t>(i)];
        const int a[3] = {s.x1, s.y1, s.z1}, b[3] = {s.x2, s.y2, s.z2};
        int along = -1, differing = 0;
        for (int k = 0; k < 3; ++k)
            if (a[k] != b[k])
                along = k, ++differing;
        EXPECT_EQ(differing, 1) << "segment " << i;
        if (differing != 1)
            continue;
        for (int t = a[along]; t < b[along]; ++t) {
            int p[3] = {a[0], a[1], a[2]};
            p[along] = t;
            EXPECT_TRUE(out.insert({along, p[0], p[1], p[2]}).second) << "unit edge stored twice";
        }
    }
    return out;
}

TEST_F(OutlinesTest, RandomModelsMatchTheBruteForceFaceScan)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        engine.model.blocks.count = 0;
        const int n[3] = {5, 4, 6};
        SetUnitGrid(n[0], n[1], n[2]);
        for (int b = 0; b < 10; ++b) {
            int lo[3], hi[3];
            for (int k = 0; k < 3; ++k) {
                lo[k] = static_cast<int>(rng() % static_cast<unsigned>(n[k]));
                hi[k] =
                    lo[k] + 1 + static_cast<int>(rng() % static_cast<unsigned>(std::min(3, n[k] - lo[k])));
            }
            Block(static_cast<int>(rng() % 3), lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
        }
        const Cells cells = Scan(engine.model);
        BuildCellFaceList(engine.view, cells);
        for (int colour = 0; colour < 3; ++colour) {
            BuildColourOutline(engine.model, engine.view, Host(), colour);
            EXPECT_EQ(StoredOutline(engine.view), BruteForceOutline(cells, colour)) << "colour " << colour;
        }
    }
}

// The six faces of every block as single records, those inside a run of the
// same colour marked hidden: long face edges are judged cell by cell.
void BuildBlockFaceList(const ModelStore& m, ViewState& view)
{
    const Cells c = Scan(m);
    FaceList& list = view.faces;
    list.count = 0;
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        const int lo[3] = {r.x1, r.y1, r.z1}, hi[3] = {r.x2, r.y2, r.z2};
        for (int dir = 0; dir < 6; ++dir) {
            const int axis = dir / 2, side = dir % 2;
            FaceRecord f;
            f.flags = static_cast<std::uint8_t>(dir);
            f.block = static_cast<std::int32_t>(b);
            for (int k = 0; k < 3; ++k) {
                f.bounds[2 * k] = static_cast<std::uint16_t>(k == axis ? (side ? hi[k] : lo[k]) : lo[k]);
                f.bounds[2 * k + 1] = static_cast<std::uint16_t>(k == axis ? (side ? hi[k] : lo[k]) : hi[k]);
            }
            int p[3] = {lo[0], lo[1], lo[2]};
            p[axis] = side ? hi[axis] : lo[axis] - 1;
            if (c.At(p[0], p[1], p[2], c.colour) == r.colour)
                f.flags |= 16;
            ReserveFaceList(view, static_cast<std::size_t>(list.count) + 1);
            list.faces[static_cast<std::size_t>(list.count++)] = f;
        }
    }
}

TEST_F(OutlinesTest, OneBlockGivesItsTwelveEdgesOnce)
{
    SetUnitGrid(4, 4, 4);
    Block(2, 1, 3, 0, 2, 1, 4);
    BuildBlockFaceList(engine.model, engine.view);
    BuildColourOutline(engine.model, engine.view, Host(), 2);
    EXPECT_EQ(engine.view.outlines.count, 12);
    EXPECT_EQ(StoredOutline(engine.view).size(), 2 * 4u + 2 * 4u + 3 * 4u);
}

TEST_F(OutlinesTest, BlocksSideBySideGiveNoSegmentWhereTheirFacesMeet)
{
    SetUnitGrid(4, 1, 1);
    Block(2, 0, 1, 0, 1, 0, 1);
    Block(2, 1, 3, 0, 1, 0, 1);
    BuildBlockFaceList(engine.model, engine.view);
    BuildColourOutline(engine.model, engine.view, Host(), 2);
    EXPECT_EQ(engine.view.outlines.count, 12);
    const std::set<UnitEdge> edges = StoredOutline(engine.view);
    EXPECT_EQ(edges.count({1, 1, 0, 0}), 0u);
    EXPECT_EQ(edges, BruteForceOutline(Scan(engine.model), 2));
}

TEST_F(OutlinesTest, NothingVisibleGivesNoSegments)
{
    SetUnitGrid(2, 2, 2);
    Block(2, 0, 2, 0, 2, 0, 2);
    engine.view.faces.count = 0;
    engine.view.outlines.count = 5;
    GrowOutlineSegmentArray(engine.view, 5);
    BuildColourOutline(engine.model, engine.view, Host(), 2);
    EXPECT_EQ(engine.view.outlines.count, 0);
}

TEST_F(OutlinesTest, PairOutlineFramesTheInterface)
{
    SetUnitGrid(4, 2, 2);
    Block(1, 0, 2, 0, 2, 0, 2);
    Block(6, 2, 4, 0, 2, 0, 2);
    BuildCellFaceList(engine.view, Scan(engine.model));
    ASSERT_TRUE(GrowBorderBcArray(engine.model, 1));
    engine.model.borderBcs.count = 1;
    engine.model.borderBcs[0].colour1 = 6;
    engine.model.borderBcs[0].colour2 = 1;
    BuildColourPairOutline(engine.model, engine.view, Host(), 0);
    // The square at x = 2: four segments of two cells each.
    const std::set<UnitEdge> expected = {{1, 2, 0, 0}, {1, 2, 1, 0}, {1, 2, 0, 2}, {1, 2, 1, 2},
                                         {2, 2, 0, 0}, {2, 2, 0, 1}, {2, 2, 2, 0}, {2, 2, 2, 1}};
    EXPECT_EQ(engine.view.outlines.count, 4);
    EXPECT_EQ(StoredOutline(engine.view), expected);

    // The faces of colour 1 towards the void frame its five outer faces.
    engine.model.borderBcs[0].colour1 = -1;
    BuildColourPairOutline(engine.model, engine.view, Host(), 0);
    EXPECT_GT(engine.view.outlines.count, 0);
    BuildColourPairOutline(engine.model, engine.view, Host(), 3); // no such row
    EXPECT_EQ(engine.view.outlines.count, 0);

    FreeOutlineSegments(engine.view);
    EXPECT_EQ(engine.view.outlines.capacity, 0);
}

} // namespace
} // namespace gelmar::test
