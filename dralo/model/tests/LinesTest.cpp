// Borderline BCs, distances, the line walk and the U value along a line,
// and the frame method's distances.
#include "dralo/model/lines/BorderlineBcs.h"
#include "dralo/model/lines/Distances.h"
#include "dralo/model/lines/LineWalk.h"
#include "dralo/model/tests/ModelFixture.h"

#include <cmath>

namespace dralo::test {
namespace {

using LinesTest = ModelTest;

TEST_F(LinesTest, BorderlineBcsAreValidOncePerTouchingPair)
{
    Draw({"1122", "1122", "3333"});
    model.nbor = 5;
    const std::array<std::pair<int, int>, 5> pairs = {{{1, 2}, {2, 1}, {1, 4}, {2, 3}, {-1, 3}}};
    for (int k = 0; k < 5; ++k) {
        ResetBorderlineBc(model, k);
        model.borderlineBcs[static_cast<std::size_t>(k)].bor1 = static_cast<std::int16_t>(pairs[static_cast<std::size_t>(k)].first);
        model.borderlineBcs[static_cast<std::size_t>(k)].bor2 = static_cast<std::int16_t>(pairs[static_cast<std::size_t>(k)].second);
    }
    ValidateBorderlineBcs(model);
    const int valid[] = {1, 0, 0, 1, 0}; // the same pair again; colours that never touch; an unset colour
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(model.borderlineBcs[static_cast<std::size_t>(k)].valid, valid[k]) << k;
}

TEST_F(LinesTest, DistanceLengths)
{
    AllocatePixels(model, 100, 50, 0);
    model.pixs = 0.002f;
    struct Case {
        std::uint8_t direction, side;
        int x1, y1, x2, y2;
        double pixels;
    };
    const Case cases[] = {
        {kDistanceX, 0, 3, 4, 7, 4, 5},
        {kDistanceX, 0, 7, 4, 3, 4, 5},
        {kDistanceX, 1, 3, 4, 7, 4, 95},
        {kDistanceY, 0, 9, 0, 9, 49, 50},
        {kDistanceY, 1, 9, 0, 9, 9, 40},
        {kDistanceAny, 0, 0, 0, 3, 4, std::sqrt(3.0 * 3 + 5.0 * 5)},
        {kDistanceAny, 0, 0, 0, 4, 4, std::sqrt(5.0 * 5 + 4.0 * 4)},
        {kDistanceX, 0, 3, 4, 7, 5, 0},   // not on one row
        {kDistanceAny, 0, 2, 2, 2, 2, 0}, // one point
        {kDistanceX, 0, -1, 4, 7, 4, 0},  // not placed
        {kDistanceX, 0, 3, 4, 100, 4, 0}, // outside the bitmap
    };
    model.ndis = 1;
    for (const Case& c : cases) {
        ResetDistance(model, 0);
        DistanceRecord& d = model.distances[0];
        d.disd = c.direction;
        d.diss = c.side;
        d.x1 = static_cast<std::int16_t>(c.x1), d.y1 = static_cast<std::int16_t>(c.y1);
        d.x2 = static_cast<std::int16_t>(c.x2), d.y2 = static_cast<std::int16_t>(c.y2);
        EXPECT_NEAR(GetDistanceLength(model, 0), c.pixels * 0.002f, 1e-9) << c.x1 << "," << c.y1;
    }
    EXPECT_EQ(GetDistanceLength(model, 1), 0.0);
    EXPECT_EQ(GetDistanceLength(model, -1), 0.0);
}

TEST_F(LinesTest, DistanceStates)
{
    Draw({"0111220", "3333333", "4441444"});
    struct Case {
        std::uint8_t direction;
        int x1, y1, x2, y2;
        std::uint8_t state;
    };
    const Case cases[] = {
        {kDistanceX, 1, 0, 3, 0, kDistanceExtent},    // colour 1's extent
        {kDistanceX, 4, 0, 5, 0, kDistanceExtent},    // colour 2's
        {kDistanceX, 2, 0, 3, 0, kDistanceFree},      // part of a run
        {kDistanceX, 0, 1, 6, 1, kDistanceExtent},    // colour 3 along the whole row
        {kDistanceX, 3, 2, 3, 2, kDistanceOneColour}, // one pixel of 1 between pixels of 4
        {kDistanceY, 6, 0, 6, 1, kDistanceFree},      // 0 then 3: not one colour
        {kDistanceAny, 0, 0, 6, 1, kDistanceFree},
        {kDistanceX, 5, 0, 7, 0, kDistanceOutside},
    };
    model.ndis = 1;
    for (const Case& c : cases) {
        ResetDistance(model, 0);
        DistanceRecord& d = model.distances[0];
        d.disd = c.direction;
        d.x1 = static_cast<std::int16_t>(c.x1), d.y1 = static_cast<std::int16_t>(c.y1);
        d.x2 = static_cast<std::int16_t>(c.x2), d.y2 = static_cast<std::int16_t>(c.y2);
        ValidateDistances(model);
        EXPECT_EQ(d.state, c.state) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST_F(LinesTest, TheLineWalkFollowsBresenhamsRule)
{
    // The pixels against the closed form of the rule: after k steps the
    // minor coordinate has moved floor((2 k d + D) / 2D) pixels.
    const int ends[][4] = {{0, 0, 7, 3}, {7, 3, 0, 0}, {2, 9, 5, 0}, {0, 0, 4, 4}, {3, 3, 3, 3},
                           {10, 2, 0, 2}, {0, 0, -5, 12}, {1, 1, 20, -3}};
    for (const auto& e : ends) {
        const int dx = std::abs(e[2] - e[0]), dy = std::abs(e[3] - e[1]);
        const bool xMajor = dx >= dy;
        const bool fromFirst = xMajor ? e[0] <= e[2] : e[1] <= e[3];
        const int sx = fromFirst ? e[0] : e[2], sy = fromFirst ? e[1] : e[3];
        const int tx = fromFirst ? e[2] : e[0], ty = fromFirst ? e[3] : e[1];
        const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
        const int step = (xMajor ? ty - sy : tx - sx) >= 0 ? 1 : -1;
        LineWalk walk(e[0], e[1], e[2], e[3]);
        std::int32_t x, y;
        int k = 0;
        while (walk.Next(x, y)) {
            const int moved = major > 0 ? (2 * k * minor + major) / (2 * major) : 0;
            EXPECT_EQ(x, xMajor ? sx + k : sx + step * moved);
            EXPECT_EQ(y, xMajor ? sy + step * moved : sy + k);
            ++k;
        }
        EXPECT_EQ(k, major + 1);
        EXPECT_EQ(x, tx);
        EXPECT_EQ(y, ty);
    }
}

class LineUValueTest : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        model.pixs = 0.01f;
        SetColour(1, MATERIAL, 0.9f);
        SetColour(2, MATERIAL, 0.035f);
        SetColour(5, BC_SIMPL, 1, 20, 7.7f); // interior
        SetColour(6, BC_SIMPL, 1, 0, 25);    // exterior
        SetColour(7, BC_SIMPL, 1, 20, 7.7f); // interior too
        SetColour(8, BC_SIMPL, 1, 0, 0);     // adiabatic
        SetColour(3, BC_FREE);
        SetColour(4, TRANSMAT, 0.1f);
        SetColour(9, BC_NOSKY);
    }
};

TEST_F(LineUValueTest, ComputableLines)
{
    struct Case {
        const char* name;
        const char* row;
        bool computable;
    };
    const Case cases[] = {
        {"a BC, two materials, a BC of another temperature", "5111222226", true},
        {"ending at the border inside a material", "5111222222", false},
        {"an adiabatic strip at the end", "5111222268", true},
        {"an adiabatic strip at the start", "8511122226", true},
        {"an adiabatic strip between the environments", "5118222226", false},
        {"two interior colours of one temperature", "5711122226", true},
        {"a cavity between the environments", "5113322226", true},
        {"a cavity at the start", "3511122226", false},
        {"one environment", "5111222222", false},
        {"three environments", "5112226115", false},
        {"BC_NOSKY", "5111222229", false},
    };
    for (const Case& c : cases) {
        Draw({c.row, "1111111111"});
        EXPECT_EQ(IsLineUValueComputable(model, 2), c.computable) << c.name;
    }
}

TEST_F(LineUValueTest, UValueOfLayersAgainstTheHandFormula)
{
    // 1/U = 1/h_i + 0.03/0.9 + 0.05/0.035 + 1/h_e along the top row.
    Draw({"5111222226", "1111111111"});
    const double r = 1 / 7.7 + 3 * 0.01 / 0.9 + 5 * 0.01 / 0.035 + 1 / 25.0;
    EXPECT_NEAR(ComputeLineUValue(model, 2), 1 / r, 1e-6);
    EXPECT_EQ(ComputeLineUValue(model, 3), 0.0) << "the bottom row is not computable";
    // The same along a distance down the left column of a rotated drawing.
    Draw({"5", "1", "1", "2", "6"});
    EXPECT_NEAR(ComputeLineUValue(model, 0), 1 / (1 / 7.7 + 2 * 0.01 / 0.9 + 0.01 / 0.035 + 1 / 25.0), 1e-6);
    model.ndis = 1;
    ResetDistance(model, 0);
    model.distances[0] = {kDistanceLocked, kDistanceY, 0, 0, 0, 4, 0, 0, 0, 0};
    EXPECT_NEAR(ComputeLineUValue(model, 4), ComputeLineUValue(model, 0), 1e-12);
    model.distances[0].y2 = 40; // reaching outside
    EXPECT_EQ(ComputeLineUValue(model, 4), 0.0);
    EXPECT_FALSE(IsLineUValueComputable(model, 5)) << "no such distance";
}

TEST_F(LineUValueTest, LinesThatNeedResultTemperatures)
{
    Draw({"5114222226"});
    EXPECT_TRUE(IsLineUValueComputable(model, 2));
    EXPECT_EQ(ComputeLineUValue(model, 2), 0.0) << "TRANSMAT";
    Draw({"5113322226"});
    EXPECT_EQ(ComputeLineUValue(model, 2), 0.0) << "an open cavity beside a material";
}

TEST_F(LinesTest, FrameWidthsForHeatFlowAlongX)
{
    // Interior left, exterior right; panels above and below the frame (8).
    std::vector<std::string> rows;
    for (int y = 0; y < 30; ++y)
        rows.push_back("5" + std::string(18, y >= 10 && y < 20 ? '8' : '2') + "6");
    AllocatePixels(model, 20, 30, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            model.pixels[static_cast<std::size_t>(x + 20 * y)] = static_cast<std::uint8_t>(rows[y][x] - '0');
    BuildColourBoundaryEdges(model);
    SetColour(2, MATERIAL, 0.035f);
    SetColour(8, MATERIAL, 0.13f);
    SetColour(5, BC_SIMPL, 1, 20, 7.7f);
    SetColour(6, BC_SIMPL, 1, 0, 25);
    ComputeFrameWidths(model, defaults);
    ASSERT_EQ(model.ndis, 3);
    const DistanceRecord& frame = model.distances[0];
    EXPECT_EQ(frame.dism, kDistanceLocked);
    EXPECT_EQ(frame.disd, kDistanceY);
    EXPECT_EQ(frame.state, kDistanceExtent);
    EXPECT_EQ((std::array<int, 4>{frame.x1, frame.y1, frame.x2, frame.y2}), (std::array<int, 4>{2, 10, 2, 19}));
    EXPECT_EQ((std::array<int, 4>{model.distances[1].x1, model.distances[1].y1, model.distances[1].x2,
                                  model.distances[1].y2}),
              (std::array<int, 4>{2, 0, 2, 9}));
    EXPECT_EQ(model.distances[2].y1, 20);
    EXPECT_EQ(model.distances[2].y2, 29);
    const ReportSettings& r = model.report;
    EXPECT_EQ(r.rufr, 1);
    EXPECT_EQ(r.difr, 1);
    EXPECT_EQ(r.pan1, 1);
    EXPECT_EQ(r.sidp, 2);
    EXPECT_EQ(r.dipa, 2);
    EXPECT_EQ(r.pan2, 1);
    EXPECT_EQ(r.sip2, 3);
    EXPECT_EQ(r.dip2, 3);
    EXPECT_NEAR(GetDistanceLength(model, 0), 10 * model.pixs, 1e-9);
    EXPECT_TRUE(IsStandardFrameLayout(model, 1));
    EXPECT_FALSE(IsStandardFrameLayout(model, 0));
}

TEST_F(LinesTest, FrameWidthsNeedTheFrameColourAndTwoTemperatures)
{
    Draw({"5886", "5886", "5886"});
    SetColour(5, BC_SIMPL, 1, 20, 7.7f);
    SetColour(6, BC_SIMPL, 1, 20, 25); // one temperature only
    ComputeFrameWidths(model, defaults);
    EXPECT_EQ(model.ndis, 0);
    SetColour(6, BC_SIMPL, 1, 0, 25);
    ProgramParameters other = defaults;
    other.cfrm = 9; // not present
    ComputeFrameWidths(model, other);
    EXPECT_EQ(model.ndis, 0);
    // The frame from border to border: the frame distance alone.
    Draw({"5", "8", "6"});
    ComputeFrameWidths(model, defaults);
    ASSERT_EQ(model.ndis, 1);
    EXPECT_EQ(model.distances[0].disd, kDistanceX);
    EXPECT_EQ(model.report.pan1, 0);
    EXPECT_EQ(model.report.rufr, 1);
}

} // namespace
} // namespace dralo::test
