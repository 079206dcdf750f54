// The box kd-tree against a brute-force search, for integer and float boxes,
// below and above the size at which the tree is built.
#include "common/kernels/BoxTree.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace kernels {
namespace {

template <class Coord> struct TestBox {
    Coord lo[3];
    Coord hi[3];
};

template <class Coord> std::vector<TestBox<Coord>> RandomBoxes(std::size_t n, std::mt19937& gen)
{
    // Small coordinates so that many boxes share bounds and touch.
    std::uniform_int_distribution<int> pos(0, 60);
    std::uniform_int_distribution<int> size(0, 12);
    std::vector<TestBox<Coord>> boxes(n);
    for (TestBox<Coord>& b : boxes) {
        for (int a = 0; a < 3; ++a) {
            b.lo[a] = Coord(pos(gen));
            b.hi[a] = b.lo[a] + Coord(size(gen));
        }
    }
    return boxes;
}

template <class Coord>
std::vector<std::int32_t> BruteForce(const std::vector<TestBox<Coord>>& boxes, const TestBox<Coord>& q)
{
    std::vector<std::int32_t> hits;
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        const TestBox<Coord>& b = boxes[n];
        bool overlap = true;
        for (int a = 0; a < 3; ++a) {
            overlap = overlap && b.lo[a] <= q.hi[a] && b.hi[a] >= q.lo[a];
        }
        if (overlap) {
            hits.push_back(static_cast<std::int32_t>(n));
        }
    }
    return hits;
}

template <class Coord> void FillTree(BoxTree<Coord>& tree, const std::vector<TestBox<Coord>>& boxes)
{
    ASSERT_TRUE(tree.Init(boxes.size()));
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        const TestBox<Coord>& b = boxes[n];
        tree.AddBox(static_cast<std::int32_t>(n), b.lo[0], b.lo[1], b.lo[2], b.hi[0], b.hi[1], b.hi[2]);
    }
    tree.Build();
}

template <class Coord> class BoxTreeTyped : public ::testing::Test {
};
using Coords = ::testing::Types<std::int32_t, float>;
TYPED_TEST_SUITE(BoxTreeTyped, Coords);

TYPED_TEST(BoxTreeTyped, SameHitsAsBruteForce)
{
    using Coord = TypeParam;
    std::mt19937 gen(12345);
    for (std::size_t count : {0u, 1u, 2u, 3u, 40u, 41u, 42u, 100u, 1000u}) {
        SCOPED_TRACE(count);
        const auto boxes = RandomBoxes<Coord>(count, gen);
        BoxTree<Coord> tree;
        FillTree(tree, boxes);
        EXPECT_EQ(tree.IsBuilt(), count > 40);
        std::vector<std::int32_t> out(count);
        const auto queries = RandomBoxes<Coord>(300, gen);
        for (const TestBox<Coord>& q : queries) {
            const std::size_t hits =
                tree.QueryOverlaps(out, q.lo[0], q.lo[1], q.lo[2], q.hi[0], q.hi[1], q.hi[2]);
            std::vector<std::int32_t> got(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(hits));
            const std::vector<std::int32_t> want = BruteForce(boxes, q);
            if (!tree.IsBuilt()) {
                EXPECT_EQ(got, want); // the scan reports in insertion order
            }
            std::sort(got.begin(), got.end());
            ASSERT_EQ(got, want);
        }
    }
}

TYPED_TEST(BoxTreeTyped, EqualKeysAreAllFound)
{
    using Coord = TypeParam;
    // 200 boxes with the same low corner and different heights.
    std::vector<TestBox<Coord>> boxes(200);
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        boxes[n] = {{Coord(5), Coord(5), Coord(5)}, {Coord(6), Coord(6), Coord(5 + n % 17)}};
    }
    BoxTree<Coord> tree;
    FillTree(tree, boxes);
    std::vector<std::int32_t> out(boxes.size());
    EXPECT_EQ(tree.QueryOverlaps(out, 0, 0, 0, 5, 5, 5), 200u);
    const TestBox<Coord> q{{Coord(0), Coord(0), Coord(15)}, {Coord(9), Coord(9), Coord(30)}};
    EXPECT_EQ(tree.QueryOverlaps(out, q.lo[0], q.lo[1], q.lo[2], q.hi[0], q.hi[1], q.hi[2]),
              BruteForce(boxes, q).size());
}

TEST(BoxTree, TouchingBoxesOverlapInScanAndTree)
{
    for (std::size_t count : {1u, 60u}) {
        CBoxTree tree;
        ASSERT_TRUE(tree.Init(count));
        // A row of unit boxes along x: box n covers x in [2n, 2n + 1].
        for (std::size_t n = 0; n < count; ++n) {
            const auto x = static_cast<std::int32_t>(2 * n);
            tree.AddBox(static_cast<std::int32_t>(n), x, 0, 0, x + 1, 1, 1);
        }
        tree.Build();
        std::vector<std::int32_t> out(count);
        // Touches box 0 only along its x = 1 face.
        ASSERT_EQ(tree.QueryOverlaps(out, 1, 1, 1, 1, 5, 5), 1u);
        EXPECT_EQ(out[0], 0);
        // Touches box 0 only at its corner (0, 0, 0).
        ASSERT_EQ(tree.QueryOverlaps(out, -3, -3, -3, 0, 0, 0), 1u);
        EXPECT_EQ(out[0], 0);
        // Lies in the gap between boxes.
        EXPECT_EQ(tree.QueryOverlaps(out, -5, 2, 0, 0, 3, 1), 0u);
    }
}

TEST(BoxTree, BoxesBeyondCapacityAreIgnoredAndInitStartsOver)
{
    CBoxTree tree;
    ASSERT_TRUE(tree.Init(2));
    tree.AddBox(7, 0, 0, 0, 1, 1, 1);
    tree.AddBox(8, 0, 0, 0, 1, 1, 1);
    tree.AddBox(9, 0, 0, 0, 1, 1, 1);
    EXPECT_EQ(tree.Count(), 2u);
    std::vector<std::int32_t> out(2);
    ASSERT_EQ(tree.QueryOverlaps(out, 0, 0, 0, 0, 0, 0), 2u);
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[1], 8);

    ASSERT_TRUE(tree.Init(1));
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(tree.QueryOverlaps(out, 0, 0, 0, 9, 9, 9), 0u);
    tree.Free();
    EXPECT_EQ(tree.Capacity(), 0u);
}

TEST(BoxTree, ResultBufferMustHoldEveryBox)
{
    CBoxTree tree;
    ASSERT_TRUE(tree.Init(3));
    for (std::int32_t n = 0; n < 3; ++n) {
        tree.AddBox(n, 0, 0, 0, 1, 1, 1);
    }
    std::vector<std::int32_t> out(2);
    EXPECT_THROW(tree.QueryOverlaps(out, 0, 0, 0, 1, 1, 1), std::length_error);
}

TEST(BoxTree, VisitStopsWhenAsked)
{
    std::mt19937 gen(7);
    const auto boxes = RandomBoxes<float>(500, gen);
    CFloatBoxTree tree;
    FillTree(tree, boxes);
    const float lo[3] = {0, 0, 0};
    const float hi[3] = {100, 100, 100};
    int seen = 0;
    EXPECT_FALSE(tree.VisitOverlaps(lo, hi, [&](std::int32_t) { return ++seen < 3; }));
    EXPECT_EQ(seen, 3);
    seen = 0;
    EXPECT_TRUE(tree.VisitOverlaps(lo, hi, [&](std::int32_t) { return ++seen > 0; }));
    EXPECT_EQ(seen, 500);
    // A walk along the diagonal, through many of the boxes, stops the same way.
    const double a[3] = {0, 0, 0};
    const double b[3] = {100, 100, 100};
    seen = 0;
    EXPECT_FALSE(tree.VisitAlongSegment(a, b, [&](std::int32_t) { return ++seen < 3; }));
    EXPECT_EQ(seen, 3);
}

// Whether the segment from a to b meets the closed box (Liang-Barsky).
template <class Coord> bool SegmentMeetsBox(const TestBox<Coord>& box, const double (&a)[3], const double (&b)[3])
{
    double t0 = 0.0;
    double t1 = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double d = b[axis] - a[axis];
        const double lo = double(box.lo[axis]);
        const double hi = double(box.hi[axis]);
        if (d == 0.0) {
            if (a[axis] < lo || a[axis] > hi) {
                return false;
            }
            continue;
        }
        const double ta = std::min((lo - a[axis]) / d, (hi - a[axis]) / d);
        const double tb = std::max((lo - a[axis]) / d, (hi - a[axis]) / d);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
    }
    return t0 <= t1;
}

// Segment walks through scanned and built trees, of boxes in space (three
// split axes) and of flat boxes in the plane z = 0 (two split axes): every
// box the segment meets is visited, no box far from it is, and a flat tree
// answers box queries as the brute force does.
TEST(BoxTree, SegmentVisitsEveryBoxItMeetsAndFewOthers)
{
    struct Case {
        std::size_t count;
        bool flat;
    };
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> pos(-5.0, 75.0);
    for (const Case c : {Case{30, false}, Case{30, true}, Case{800, false}, Case{800, true}}) {
        SCOPED_TRACE(testing::Message() << c.count << (c.flat ? " flat" : " in space"));
        std::vector<TestBox<float>> boxes = RandomBoxes<float>(c.count, gen);
        if (c.flat) {
            for (TestBox<float>& b : boxes) {
                b.lo[2] = b.hi[2] = 0.0f;
            }
        }
        BoxTree<float> tree;
        ASSERT_TRUE(tree.Init(boxes.size()));
        for (std::size_t n = 0; n < boxes.size(); ++n) {
            const TestBox<float>& b = boxes[n];
            tree.AddBox(static_cast<std::int32_t>(n), b.lo[0], b.lo[1], b.lo[2], b.hi[0], b.hi[1], b.hi[2]);
        }
        tree.Build(c.flat ? 2 : 3);
        std::size_t visits = 0;
        std::size_t meets = 0;
        for (int q = 0; q < 300; ++q) {
            double a[3] = {pos(gen), pos(gen), c.flat ? 0.0 : pos(gen)};
            // Every third segment is axis-parallel, some of them along box faces.
            double b[3] = {pos(gen), pos(gen), c.flat ? 0.0 : pos(gen)};
            if (q % 3 == 0) {
                b[0] = a[0] = std::round(a[0]);
                b[2] = a[2] = std::round(a[2]);
            }
            std::vector<bool> visited(boxes.size(), false);
            EXPECT_TRUE(tree.VisitAlongSegment(a, b, [&](std::int32_t id) {
                visited[static_cast<std::size_t>(id)] = true;
                ++visits;
                return true;
            }));
            for (std::size_t n = 0; n < boxes.size(); ++n) {
                const bool meet = SegmentMeetsBox(boxes[n], a, b);
                meets += meet ? 1 : 0;
                if (meet) {
                    EXPECT_TRUE(visited[n]) << "box " << n << " missed by segment " << q;
                }
                // A visited box lies at least within the segment's bounding box.
                if (visited[n]) {
                    for (int axis = 0; axis < 3; ++axis) {
                        EXPECT_LE(double(boxes[n].lo[axis]), std::max(a[axis], b[axis]) + 1e-6);
                        EXPECT_GE(double(boxes[n].hi[axis]), std::min(a[axis], b[axis]) - 1e-6);
                    }
                }
            }
            if (c.flat && c.count > BoxTree<float>::kScanLimit) {
                const TestBox<float> box{{float(std::min(a[0], b[0])), float(std::min(a[1], b[1])), 0.0f},
                                         {float(std::max(a[0], b[0])), float(std::max(a[1], b[1])), 0.0f}};
                std::vector<std::int32_t> out(boxes.size());
                const std::size_t n = tree.QueryOverlaps(out, box.lo[0], box.lo[1], box.lo[2], box.hi[0],
                                                         box.hi[1], box.hi[2]);
                out.resize(n);
                std::sort(out.begin(), out.end());
                EXPECT_EQ(out, BruteForce(boxes, box));
            }
        }
        // Boxes within rounding of a segment may be visited as well, but not many.
        EXPECT_LE(visits, meets + meets / 100 + 5);
    }
}

} // namespace
} // namespace kernels
