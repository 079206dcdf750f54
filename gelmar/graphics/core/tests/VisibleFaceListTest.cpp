// The visible-face list against a brute-force voxel computation on random
// block models, with and without a clip range, and the small cases whose
// answer is known by hand.
#include "gelmar/graphics/core/VisibleFaceList.h"

#include "gelmar/model/editing/ModelFaces.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <tuple>
#include <vector>

namespace gelmar {
namespace {

// One unit cell face: position of the owning cell, orientation, owner block,
// between-colours bit and neighbour block (-1 without).
using UnitFace = std::tuple<int, int, int, int, int, int, int>;

class VisibleFaceListTest : public ::testing::Test {
  protected:
    // A fresh model: the random-model test starts each model from here.
    void SetUp() override
    {
        FreeModel(engine);
        ResetModel(engine);
    }
    void SetGrid(int nx, int ny, int nz)
    {
        const int n[3] = {nx, ny, nz};
        for (int a = 0; a < 3; ++a) {
            engine.model.axes[a].n = static_cast<std::uint16_t>(n[a]);
            engine.model.clipLo[a] = 0;
            engine.model.clipHi[a] = static_cast<std::uint16_t>(n[a]);
        }
    }
    void AddBlock(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        BlockRecord b;
        b.colour = static_cast<std::uint8_t>(colour);
        b.x1 = static_cast<std::uint16_t>(x1), b.x2 = static_cast<std::uint16_t>(x2);
        b.y1 = static_cast<std::uint16_t>(y1), b.y2 = static_cast<std::uint16_t>(y2);
        b.z1 = static_cast<std::uint16_t>(z1), b.z2 = static_cast<std::uint16_t>(z2);
        ASSERT_TRUE(GrowBlockArray(engine.model, engine.model.blocks.count + 1u));
        engine.model.blocks[engine.model.blocks.count++] = b;
    }
    void Build()
    {
        CollectBlockFaces(engine.model, engine.view);
        BuildVisibleFaceList(engine.model, engine.view);
    }
    std::vector<FaceRecord> Faces() const
    {
        return {engine.view.faces.faces.begin(), engine.view.faces.faces.begin() + engine.view.faces.count};
    }

    // The latest block covering the cell inside the clip range, -1 for none.
    int OwnerOfCell(int i, int j, int k) const
    {
        const int p[3] = {i, j, k};
        for (int a = 0; a < 3; ++a) {
            if (p[a] < engine.model.clipLo[a] || p[a] >= engine.model.clipHi[a])
                return -1;
        }
        for (int b = engine.model.blocks.count - 1; b >= 0; --b) {
            const BlockRecord& r = engine.model.blocks[b];
            if (r.x1 <= i && i < r.x2 && r.y1 <= j && j < r.y2 && r.z1 <= k && k < r.z2)
                return b;
        }
        return -1;
    }

    // True when the cell lies inside the block's box clamped to the clip range.
    bool InClampedBlock(int b, int i, int j, int k) const
    {
        const BlockRecord& r = engine.model.blocks[b];
        return OwnerOfCell(i, j, k) >= 0 && r.x1 <= i && i < r.x2 && r.y1 <= j && j < r.y2 && r.z1 <= k &&
               k < r.z2;
    }

    // Every cell face between a filled cell and an empty one or one of
    // another colour, from the side of the latest block covering the cell,
    // where that block's clamped box ends (inside a block, the face belongs to
    // the later block that interrupts it).
    std::vector<UnitFace> VoxelFaces() const
    {
        std::vector<UnitFace> out;
        const int step[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
        for (int i = 0; i < engine.model.axes[0].n; ++i)
            for (int j = 0; j < engine.model.axes[1].n; ++j)
                for (int k = 0; k < engine.model.axes[2].n; ++k) {
                    const int own = OwnerOfCell(i, j, k);
                    if (own < 0)
                        continue;
                    for (int o = 0; o < 6; ++o) {
                        const int ni = i + step[o][0], nj = j + step[o][1], nk = k + step[o][2];
                        if (InClampedBlock(own, ni, nj, nk))
                            continue;
                        const int across = OwnerOfCell(ni, nj, nk);
                        if (across < 0)
                            out.emplace_back(i, j, k, o, own, 0, -1);
                        else if (engine.model.blocks[across].colour != engine.model.blocks[own].colour)
                            out.emplace_back(i, j, k, o, own, 1, across);
                    }
                }
        std::sort(out.begin(), out.end());
        return out;
    }

    // The list's pieces cut into unit cell faces.
    std::vector<UnitFace> ListFaces() const
    {
        std::vector<UnitFace> out;
        for (const FaceRecord& f : Faces()) {
            const int o = f.flags & 7;
            const int axis = o / 2;
            int lo[3], hi[3];
            for (int a = 0; a < 3; ++a) {
                lo[a] = f.bounds[2 * a];
                hi[a] = f.bounds[2 * a + 1];
            }
            // The owning cells on the face's axis.
            lo[axis] = o % 2 == 0 ? lo[axis] : lo[axis] - 1;
            hi[axis] = lo[axis] + 1;
            const bool between = (f.flags & 8) != 0;
            for (int i = lo[0]; i < hi[0]; ++i)
                for (int j = lo[1]; j < hi[1]; ++j)
                    for (int k = lo[2]; k < hi[2]; ++k)
                        out.emplace_back(i, j, k, o, f.block, between ? 1 : 0, between ? f.neighbour : -1);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    NullEngineHost host;
    Engine engine{host};
};

TEST_F(VisibleFaceListTest, MatchesVoxelFacesOnRandomModels)
{
    std::mt19937 gen(7);
    for (int model = 0; model < 300; ++model) {
        SetUp();
        std::uniform_int_distribution<int> size(1, 7);
        const int n[3] = {size(gen), size(gen), size(gen)};
        SetGrid(n[0], n[1], n[2]);
        const int blocks = std::uniform_int_distribution<int>(0, 14)(gen);
        for (int b = 0; b < blocks; ++b) {
            int lo[3], hi[3];
            for (int a = 0; a < 3; ++a) {
                // Some blocks are flat on an axis; they must show nothing.
                lo[a] = std::uniform_int_distribution<int>(0, n[a])(gen);
                hi[a] = std::uniform_int_distribution<int>(lo[a], n[a])(gen);
            }
            AddBlock(std::uniform_int_distribution<int>(0, 2)(gen), lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
        }
        if (model % 3 == 1) {
            for (int a = 0; a < 3; ++a) {
                engine.model.clipLo[a] =
                    static_cast<std::uint16_t>(std::uniform_int_distribution<int>(0, n[a] - 1)(gen));
                engine.model.clipHi[a] = static_cast<std::uint16_t>(
                    std::uniform_int_distribution<int>(engine.model.clipLo[a] + 1, n[a])(gen));
            }
        }
        const std::vector<BlockRecord> blocksBefore(
            engine.model.blocks.data.begin(), engine.model.blocks.data.begin() + engine.model.blocks.count);
        const std::array<std::uint16_t, 6> clipBefore = {engine.model.clipLo[0], engine.model.clipLo[1],
                                                         engine.model.clipLo[2], engine.model.clipHi[0],
                                                         engine.model.clipHi[1], engine.model.clipHi[2]};
        Build();
        const std::vector<UnitFace> got = ListFaces(), want = VoxelFaces();
        std::vector<UnitFace> extra, missing;
        std::set_difference(got.begin(), got.end(), want.begin(), want.end(), std::back_inserter(extra));
        std::set_difference(want.begin(), want.end(), got.begin(), got.end(), std::back_inserter(missing));
        ASSERT_TRUE(extra.empty() && missing.empty())
            << "model " << model << ": " << extra.size() << " extra, first "
            << ::testing::PrintToString(extra) << "; " << missing.size() << " missing "
            << ::testing::PrintToString(missing);
        // The passes only read the blocks and the clip range.
        EXPECT_TRUE(std::equal(blocksBefore.begin(), blocksBefore.end(), engine.model.blocks.data.begin()));
        const std::array<std::uint16_t, 6> clipAfter = {engine.model.clipLo[0], engine.model.clipLo[1],
                                                        engine.model.clipLo[2], engine.model.clipHi[0],
                                                        engine.model.clipHi[1], engine.model.clipHi[2]};
        EXPECT_EQ(clipBefore, clipAfter);
    }
}

TEST_F(VisibleFaceListTest, EmptyModelAndSingleBlock)
{
    SetGrid(3, 3, 3);
    Build();
    EXPECT_EQ(engine.view.faces.count, 0);

    AddBlock(4, 0, 2, 1, 3, 0, 1);
    Build();
    const std::vector<FaceRecord> faces = Faces();
    ASSERT_EQ(faces.size(), 6u);
    const std::uint16_t expected[6][6] = {{0, 0, 1, 3, 0, 1}, {2, 2, 1, 3, 0, 1}, {0, 2, 1, 1, 0, 1},
                                          {0, 2, 3, 3, 0, 1}, {0, 2, 1, 3, 0, 0}, {0, 2, 1, 3, 1, 1}};
    for (int o = 0; o < 6; ++o) {
        EXPECT_EQ(faces[o].flags, o);
        EXPECT_EQ(faces[o].block, 0);
        EXPECT_TRUE(std::equal(expected[o], expected[o] + 6, faces[o].bounds)) << o;
    }
}

TEST_F(VisibleFaceListTest, TouchingBlocksKeepTheSharedPlaneOnlyBetweenColours)
{
    SetGrid(2, 1, 1);
    AddBlock(1, 0, 1, 0, 1, 0, 1);
    AddBlock(2, 1, 2, 0, 1, 0, 1);
    Build();
    int shared = 0;
    for (const FaceRecord& f : Faces()) {
        if (f.bounds[0] == 1 && f.bounds[1] == 1) {
            ++shared;
            EXPECT_EQ(f.flags & 8, 8);
            EXPECT_EQ(f.neighbour, 1 - f.block);
        }
    }
    EXPECT_EQ(shared, 2);

    engine.model.blocks[1].colour = 1;
    Build();
    EXPECT_EQ(engine.view.faces.count, 10);
}

TEST_F(VisibleFaceListTest, SmallBlockCutsALargeFaceIntoNinePieces)
{
    SetGrid(3, 3, 2);
    AddBlock(1, 0, 3, 0, 3, 0, 1);
    AddBlock(2, 1, 2, 1, 2, 1, 2);
    CollectBlockFaces(engine.model, engine.view);
    int topPieces = 0;
    for (const FaceRecord& f : Faces())
        topPieces += f.block == 0 && (f.flags & 7) == 5;
    EXPECT_EQ(topPieces, 9);
}

TEST_F(VisibleFaceListTest, ClipSurfaceFacesStayVisibleAndTouchingBlocksAreOut)
{
    SetGrid(4, 1, 1);
    AddBlock(1, 0, 4, 0, 1, 0, 1);
    AddBlock(2, 0, 1, 0, 1, 0, 1); // ends on the clip's lower line
    engine.model.clipLo[0] = 1;
    engine.model.clipHi[0] = 3;
    Build();
    ASSERT_EQ(engine.view.faces.count, 6);
    for (const FaceRecord& f : Faces()) {
        EXPECT_EQ(f.block, 0);
        EXPECT_EQ(f.flags & 8, 0);
    }
}

TEST_F(VisibleFaceListTest, GridIndicesBeyondHalfTheSixteenBitRangeKeepTheirFaces)
{
    // Doubled, these indices need more than 16 bits.
    SetGrid(65535, 2, 1);
    AddBlock(1, 40000, 65535, 0, 2, 0, 1);
    AddBlock(2, 65000, 65535, 1, 2, 0, 1);
    engine.model.clipLo[0] = 39990;
    Build();
    int between = 0, total = 0;
    for (const FaceRecord& f : Faces()) {
        ++total;
        EXPECT_GE(f.bounds[0], 40000);
        EXPECT_EQ(f.bounds[1] >= f.bounds[0], true);
        between += (f.flags & 8) != 0;
    }
    // Block 0: its -x and -y sides whole, its +x and +y sides each half
    // hidden by block 1, its bottom and top cut in four with one hidden;
    // block 1: all six sides, two of them against block 0.
    EXPECT_EQ(between, 2);
    EXPECT_EQ(total, 1 + 1 + 1 + 1 + 3 + 3 + 6);
    EXPECT_EQ(engine.model.clipLo[0], 39990);
    EXPECT_EQ(engine.model.blocks[0].x1, 40000);
}

TEST_F(VisibleFaceListTest, GrowsInWholeStepsAndFreesToZero)
{
    SetGrid(200, 200, 1);
    for (int i = 0; i < 200; ++i)
        for (int j = 0; j < 150; ++j)
            AddBlock((i + j) % 2, i, i + 1, j, j + 1, 0, 1);
    Build();
    // A chequerboard: every cell shows its top, bottom and the outer or
    // between-colour sides.
    EXPECT_EQ(engine.view.faces.count, 200 * 150 * 2 + 2 * 199 * 150 + 2 * 200 * 149 + 2 * 200 + 2 * 150);
    EXPECT_EQ(engine.view.faces.capacity % 100000, 0);
    FreeFaceList(engine.view);
    EXPECT_EQ(engine.view.faces.count, 0);
    EXPECT_EQ(engine.view.faces.capacity, 0);
}

TEST(WholeModelFaces, IgnoreTheClipRange)
{
    NullEngineHost host;
    Engine engine{host};
    for (int a = 0; a < 3; ++a)
        engine.model.axes[a].n = 2;
    GrowBlockArray(engine.model, 1);
    engine.model.blocks[0] = BlockRecord{3, 0, 2, 0, 2, 0, 2, {}, 0};
    engine.model.blocks.count = 1;
    engine.model.clipLo[0] = 1;
    engine.model.clipHi[0] = 1;
    EXPECT_EQ(ComputeWholeModelFaces(engine.model).size(), 6u);
    EXPECT_EQ(engine.model.clipHi[0], 1);
}

} // namespace
} // namespace gelmar
