// Outlines against a brute-force scan of every grid edge of the cells, and
// the cases of the Colours and Borderface BCs tables.
#include "novelk/model/editing/Outlines.h"

#include "ModelFixture.h"
#include "common/kernels/OutlineEdges.h"

#include <random>
#include <set>

namespace novelk::test {
namespace {

using OutlinesTest = ModelTest;
using UnitEdge = std::array<int, 4>; // axis, start x, y, z

// The unit edges the list's segments cover.
std::set<UnitEdge> Covered(const ModelStore& m)
{
    std::set<UnitEdge> edges;
    for (std::int32_t s = 0; s < m.outlines.count; ++s) {
        const OutlineSegment& e = m.outlines[static_cast<std::size_t>(s)];
        const int a[3] = {e.x1, e.y1, e.z1}, b[3] = {e.x2, e.y2, e.z2};
        const int axis = a[0] != b[0] ? 0 : a[1] != b[1] ? 1 : 2;
        for (int t = std::min(a[axis], b[axis]); t < std::max(a[axis], b[axis]); ++t) {
            UnitEdge u{axis, a[0], a[1], a[2]};
            u[static_cast<std::size_t>(axis) + 1] = t;
            edges.insert(u);
        }
    }
    return edges;
}

// Every unit edge of the grid, with the colours of its four cells in cyclic order.
template <typename F> void ForEachGridEdge(const ModelStore& m, const CellRaster& cells, F&& f)
{
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    for (int axis = 0; axis < 3; ++axis)
        for (int x = 0; x <= n[0]; ++x)
            for (int y = 0; y <= n[1]; ++y)
                for (int z = 0; z <= n[2]; ++z) {
                    const int p[3] = {x, y, z};
                    if (p[axis] == n[axis])
                        continue;
                    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
                    const int steps[4][2] = {{-1, -1}, {0, -1}, {0, 0}, {-1, 0}};
                    int around[4];
                    for (int q = 0; q < 4; ++q) {
                        int c[3] = {x, y, z};
                        c[u] += steps[q][0];
                        c[v] += steps[q][1];
                        around[q] = GetCellColour(cells, c[0], c[1], c[2]);
                    }
                    f(UnitEdge{axis, x, y, z}, around);
                }
}

// Brute force: the edges on the boundary of the colour's region that are not
// flat.
std::set<UnitEdge> ColourEdges(const ModelStore& m, const CellRaster& cells, int c)
{
    std::set<UnitEdge> edges;
    ForEachGridEdge(m, cells, [&](const UnitEdge& e, const int around[4]) {
        const int count = (around[0] == c) + (around[1] == c) + (around[2] == c) + (around[3] == c);
        if (count >= 1 && count <= 3 && kernels::IsColourOutlineEdge(around, c))
            edges.insert(e);
    });
    return edges;
}

// Brute force: the edges of faces between the two colours that are corners.
std::set<UnitEdge> InterfaceEdges(const ModelStore& m, const CellRaster& cells, int c1, int c2)
{
    std::set<UnitEdge> edges;
    ForEachGridEdge(m, cells, [&](const UnitEdge& e, const int around[4]) {
        bool onInterface = false;
        for (int q = 0; q < 4; ++q) {
            const int a = around[q], b = around[(q + 1) % 4];
            onInterface = onInterface || (a == c1 && b == c2) || (a == c2 && b == c1);
        }
        if (onInterface && kernels::IsInterfaceOutlineEdge(around))
            edges.insert(e);
    });
    return edges;
}

TEST_F(OutlinesTest, MatchTheCellsOfRandomModels)
{
    std::mt19937 random(7);
    for (int model_ = 0; model_ < 40; ++model_) {
        ResetModel(model, defaults);
        SetUnitGrid(4, 3, 3);
        const int blocks = 3 + static_cast<int>(random() % 8);
        for (int b = 0; b < blocks; ++b) {
            int lo[3], hi[3];
            for (int a = 0; a < 3; ++a) {
                const int n = model.axes[static_cast<std::size_t>(a)].n;
                lo[a] = static_cast<int>(random() % static_cast<unsigned>(n));
                hi[a] = lo[a] + 1 + static_cast<int>(random() % static_cast<unsigned>(n - lo[a]));
            }
            AddBlock(static_cast<int>(random() % 3), lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
        }
        RasteriseBlocks(model, run, host);
        FaceList faces;
        BuildFaceList(model, faces);
        for (int c = 0; c < 3; ++c) {
            BuildColourOutline(model, faces, run.cells, c);
            EXPECT_EQ(Covered(model), ColourEdges(model, run.cells, c))
                << "model " << model_ << " colour " << c;
        }
        GrowBorderBcArray(model, 3);
        model.borderBcs.count = 3;
        const int pairs[3][2] = {{0, 1}, {2, 1}, {0, 2}};
        for (int r = 0; r < 3; ++r) {
            model.borderBcs[static_cast<std::size_t>(r)].colour1 = static_cast<std::int16_t>(pairs[r][0]);
            model.borderBcs[static_cast<std::size_t>(r)].colour2 = static_cast<std::int16_t>(pairs[r][1]);
            BuildBorderFaceOutline(model, faces, run.cells, r);
            EXPECT_EQ(Covered(model), InterfaceEdges(model, run.cells, pairs[r][0], pairs[r][1]))
                << "model " << model_ << " row " << r;
        }
        // No segment is held twice.
        std::set<std::array<int, 6>> distinct;
        for (std::int32_t s = 0; s < model.outlines.count; ++s) {
            const OutlineSegment& e = model.outlines[static_cast<std::size_t>(s)];
            EXPECT_TRUE(distinct.insert({e.x1, e.y1, e.z1, e.x2, e.y2, e.z2}).second);
        }
    }
}

TEST_F(OutlinesTest, CornersAndFlatFaces)
{
    // An L of colour 1 in one layer, drawn as two blocks that meet inside a
    // flat face, with colour 2 in the inner corner.
    SetUnitGrid(2, 2, 1);
    AddBlock(1, 0, 2, 0, 1, 0, 1);
    AddBlock(1, 0, 1, 1, 2, 0, 1);
    AddBlock(2, 1, 2, 1, 2, 0, 1);
    RasteriseBlocks(model, run, host);
    FaceList faces;
    BuildFaceList(model, faces);
    BuildColourOutline(model, faces, run.cells, 1);
    const std::set<UnitEdge> edges = Covered(model);
    EXPECT_TRUE(edges.count({2, 1, 1, 0}));  // the inner corner, along z
    EXPECT_FALSE(edges.count({2, 0, 1, 0})); // where the two blocks meet on the flat side
    EXPECT_FALSE(edges.count({0, 0, 1, 0})); // across the flat bottom face between the blocks
    EXPECT_TRUE(edges.count({0, 0, 0, 0}));  // the model's corner edges
}

TEST_F(OutlinesTest, BorderRowsInEitherOrderAndHiddenFaces)
{
    SetUnitGrid(2, 1, 1);
    AddBlock(3, 0, 1, 0, 1, 0, 1);
    AddBlock(4, 1, 2, 0, 1, 0, 1);
    RasteriseBlocks(model, run, host);
    FaceList faces;
    BuildFaceList(model, faces);
    GrowBorderBcArray(model, 2);
    model.borderBcs.count = 2;
    model.borderBcs[0].colour1 = 3, model.borderBcs[0].colour2 = 4;
    model.borderBcs[1].colour1 = 4, model.borderBcs[1].colour2 = 3;
    BuildBorderFaceOutline(model, faces, run.cells, 0);
    const std::set<UnitEdge> first = Covered(model);
    EXPECT_EQ(first.size(), 4u); // the square of the shared face
    BuildBorderFaceOutline(model, faces, run.cells, 1);
    EXPECT_EQ(Covered(model), first);

    // Hidden faces are never outlined; another row rebuilds the list from empty.
    FaceList hidden = faces;
    for (FaceRecord& f : hidden.faces)
        f.flags |= kFaceHidden;
    BuildBorderFaceOutline(model, hidden, run.cells, 0);
    EXPECT_EQ(model.outlines.count, 0);
    BuildColourOutline(model, hidden, run.cells, 3);
    EXPECT_EQ(model.outlines.count, 0);

    // Without a raster the border list stays as it was.
    BuildBorderFaceOutline(model, faces, run.cells, 0);
    const std::int32_t count = model.outlines.count;
    FreeWorkArrays(run, WorkGroup::CellsAndNodes, host);
    BuildBorderFaceOutline(model, faces, run.cells, 1);
    EXPECT_EQ(model.outlines.count, count);
}

} // namespace
} // namespace novelk::test
