// Picks of the 3D view in OpenGL's selection mode: the nearer of two
// blocks, the first of two names at equal depth, the "no block" name of the
// BC view, the pick region filter against a selection over every face on
// random pixels, the status-bar read-outs, and the picked block in the open
// tables (through the table links), and the real Blocks and Colours tables
// outlining their selection and taking the pick.
#include "GlFixture.h"
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/app/TableLinks.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/app/tests/TableSupport.h"
#include "gelmar/graphics/GlScene.h"
#include "gelmar/graphics/core/ScenePicking.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ViewState.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <GL/gl.h>
#include <chrono>
#include <random>
#include <tuple>

namespace gelmar::test {
namespace {

class GlPickTest : public GlViewTest {
  protected:
    // A material block (x 1..2) with a boundary block on its +x side
    // (x 2..3), and a second material block away from both (x 4..5).
    void Model()
    {
        NewModel(Uniform(5, 1.0f), {1.0f}, {1.0f});
        Material(1, RGB(200, 120, 80), "Wall");
        Boundary(2, RGB(255, 0, 0));
        TheEngine().model.colours[2].name = "Inside";
        Block(1, 1, 2, 0, 1, 0, 1);
        Block(2, 2, 3, 0, 1, 0, 1);
        Block(1, 4, 5, 0, 1, 0, 1);
    }
    // The block a selection over every named face gives, without the
    // pick region filter.
    std::int64_t PickWithoutFilter(CPoint point)
    {
        EXPECT_TRUE(wglMakeCurrent(view->m_hDC, view->m_hRC));
        glViewport(0, 0, view->m_cx, view->m_cy);
        const int viewport[4] = {0, 0, view->m_cx, view->m_cy};
        const ViewExtent extent = ModelViewExtent(TheEngine().model);
        const GlMatrix projection =
            PickProjectionMatrix(*view, extent, point.x, view->m_cy - point.y, viewport);
        const GlMatrix modelView = CameraMatrix(*view, ModelViewAngles(TheEngine().model), extent, false);
        std::vector<NamedQuad> quads;
        CollectBlockNames(TheEngine().model, view->m_viewKind, nullptr, TheEngine().view.faces, quads);
        std::vector<std::uint32_t> buffer;
        const int hits = SelectQuads(projection, modelView, quads, 99999, true, 0, buffer);
        wglMakeCurrent(nullptr, nullptr);
        return NearestHitName(buffer.data(), buffer.size(), hits);
    }
};

TEST_F(GlPickTest, TheNearerOfTwoBlocksIsPicked)
{
    Model();
    TheEngine().model.viewAzimuth = 0, TheEngine().model.viewAltitude = 0; // from +x
    Frame(ViewKind::Materials);
    const CPoint centre = Pixel(3.0, 0.5, 0.5);
    EXPECT_EQ(view->PickBlock(centre), 2); // the block at x 4..5 hides the one at 1..2
    EXPECT_EQ(view->ReadColourAtPoint(centre), "Colour 1: Wall");
    EXPECT_EQ(view->PickBlock(CPoint(3, 3)), -1);
    EXPECT_EQ(view->ReadColourAtPoint(CPoint(3, 3)), "");
}

TEST_F(GlPickTest, BcViewNamesTheBlockInFrontFirstAndNoBlockElsewhere)
{
    Model();
    Frame(ViewKind::BoundaryConditions);
    // The face against the boundary block carries its name and "no block"
    // at the same depth: the first wins.
    EXPECT_EQ(view->PickBlock(Pixel(2.0, 0.5, 0.5)), 1);
    EXPECT_EQ(view->ReadColourAtPoint(Pixel(2.0, 0.5, 0.5)), "Colour 2: Inside");
    // The top face has nothing in front.
    EXPECT_EQ(view->PickBlock(Pixel(1.5, 0.5, 1.0)), static_cast<std::int64_t>(kNoBlockName));
    EXPECT_EQ(view->ReadColourAtPoint(Pixel(1.5, 0.5, 1.0)), "");
    // The material view names the material block there.
    Frame(ViewKind::Materials);
    EXPECT_EQ(view->PickBlock(Pixel(1.5, 0.5, 1.0)), 0);
}

TEST_F(GlPickTest, TheRegionFilterPicksWhatASelectionOverEveryFacePicks)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    NewModel(Uniform(6, 1.0f), Uniform(5, 0.7f), Uniform(4, 1.3f));
    Material(1, RGB(200, 30, 30));
    Material(3, RGB(30, 200, 30));
    Boundary(2, RGB(255, 0, 0));
    for (int b = 0; b < 12; ++b) {
        int lo[3], hi[3];
        const int n[3] = {6, 5, 4};
        for (int a = 0; a < 3; ++a) {
            lo[a] = static_cast<int>(u(rng) * (n[a] - 1));
            hi[a] = lo[a] + 1 + static_cast<int>(u(rng) * (n[a] - lo[a] - 1));
        }
        Block(1 + b % 3, lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
    }
    TheEngine().model.viewAzimuth = 40, TheEngine().model.viewAltitude = 20;
    int hits = 0;
    for (ViewKind kind : {ViewKind::Materials, ViewKind::BoundaryConditions}) {
        Frame(kind);
        for (int n = 0; n < 150; ++n) {
            const CPoint p(static_cast<int>(u(rng) * view->m_cx), static_cast<int>(u(rng) * view->m_cy));
            const std::int64_t picked = view->PickBlock(p);
            EXPECT_EQ(picked, PickWithoutFilter(p)) << static_cast<int>(kind) << " at " << p.x << "," << p.y;
            hits += picked >= 0;
        }
    }
    EXPECT_GT(hits, 20);
}

TEST_F(GlPickTest, ValueReadOutGivesTheFieldUnderThePointer)
{
    NewModel(Uniform(10, 1.0f), {1.0f}, {1.0f});
    Material(1, RGB(200, 120, 80));
    Block(1, 0, 10, 0, 1, 0, 1);
    BuildPictureData(TheEngine());
    SetPictureTemperatures(TheEngine(), [](double x, double y, double z) { return 2 * x + y - z; });
    Frame(ViewKind::Temperatures);
    for (const auto& [x, y, z] :
         {std::tuple{3.5, 0.5, 1.0}, std::tuple{7.25, 1.0, 0.4}, std::tuple{10.0, 0.5, 0.5}}) {
        const std::string text = view->ReadValueAtPoint(Pixel(x, y, z));
        ASSERT_GE(text.size(), 4u) << x;
        EXPECT_EQ(text.substr(text.size() - 3), "\xC2\xB0"
                                                "C");
        EXPECT_EQ(text.find('.'), text.size() - 6) << text; // two decimals
        // The field at the model point under the pixel's corner, which the
        // read-out takes (on the face's plane: the depth of the point aimed
        // at). The read-out interpolates linearly on the screen inside a
        // cell, over which the field changes by 2 here: under perspective
        // that is good to a tenth of it.
        const CPoint p = Pixel(x, y, z);
        double px, py, depth, mx, my, mz;
        view->PictureMatrix().Project(x, y, z, px, py, depth);
        view->PictureMatrix().Unproject(p.x, p.y, depth, mx, my, mz);
        EXPECT_NEAR(std::stod(text), 2 * mx + my - mz, 0.2) << text;
    }
    EXPECT_EQ(view->ReadValueAtPoint(CPoint(3, 3)), "");
}

TEST_F(GlPickTest, APickedBlockGoesToTheOpenTablesAndIsOutlined)
{
    Model();
    Frame(ViewKind::Materials);
    std::vector<std::tuple<CView*, int, int>> calls;
    Links().goToCell = [&](CView* table, int record, int column) {
        calls.emplace_back(table, record, column);
    };
    CView* blocks = m_app->FindView<CBlockView>();
    CView* colours = m_app->FindView<CColorView>();
    ASSERT_NE(blocks, nullptr);
    ASSERT_NE(colours, nullptr);

    // Nothing under the pointer: nothing changes.
    view->m_overlayKind = 0;
    view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(view->m_overlayKind, 0);

    const CPoint top = Pixel(4.5, 0.5, 1.0);
    view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(top.x, top.y));
    const std::vector<std::tuple<CView*, int, int>> expected = {{blocks, 2, 2}, {colours, 1, 2}};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(view->m_overlayKind, 2);

    // The Blocks table's focused block is outlined in black.
    Links().focusRow = [](CView*) { return 3; };
    Links().blockFromRow = [](CView*, int row) { return row - 1; };
    const QImage frame = Frame(ViewKind::Materials);
    const CPoint corner = Pixel(5.0, 1.0, 1.0);
    int black = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            black += Difference(frame, {corner.x + dx, corner.y + dy}, RGB(0, 0, 0)) < 40;
    EXPECT_GT(black, 0);

    // The transparent view picks nothing.
    calls.clear();
    view->m_viewKind = ViewKind::Transparent;
    view->m_overlayKind = 0;
    view->OnBlockPick(top);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(view->m_overlayKind, 0);
    ResetTableLinks();
}

TEST_F(GlPickTest, TheBlocksTablesSelectionIsOutlinedAndAPickFocusesItsRow)
{
    Model();
    Frame(ViewKind::Materials);
    // The real tables behind the links, filled from this model.
    Main()->ExecuteCommand(ID_COLOURS);
    Main()->ExecuteCommand(ID_BLOCKS);
    auto* blocks = m_app->FindView<CBlockView>();
    auto* colours = m_app->FindView<CColorView>();
    ASSERT_NE(blocks, nullptr);
    ASSERT_NE(colours, nullptr);
    RefillOpenTables();
    view->m_overlayKind = 2;                    // the Blocks table is the one outlined
    const CPoint corner = Pixel(5.0, 1.0, 1.0); // a corner of the third block only
    const auto blackNearCorner = [&] {
        const QImage frame = Frame(ViewKind::Materials);
        int black = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                black += Difference(frame, {corner.x + dx, corner.y + dy}, RGB(0, 0, 0)) < 40;
        return black;
    };
    blocks->SetGridFocus(1, 2);
    EXPECT_EQ(blackNearCorner(), 0);
    blocks->SetGridFocus(3, 2);
    EXPECT_GT(blackNearCorner(), 0);

    // A pick on the first block's top puts the tables' focus on it and on
    // its colour; one on the third block moves it there.
    struct Case {
        double x;
        int row, colour;
    };
    for (const Case c : {Case{1.5, 1, 1}, Case{4.5, 3, 1}}) {
        blocks->SetGridFocus(2, 5);
        const CPoint top = Pixel(c.x, 0.5, 1.0);
        view->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(top.x, top.y));
        QCoreApplication::processEvents();
        EXPECT_EQ(blocks->FocusRow(), c.row) << c.x;
        EXPECT_EQ(blocks->FocusColumn(), 2) << c.x;
        EXPECT_EQ(colours->ColourFromRow(colours->FocusRow()), c.colour) << c.x;
        EXPECT_EQ(view->m_overlayKind, 2);
    }
}

TEST_F(GlPickTest, ABlockRecolouredInTheTablesRepaintsTheViewInThatColour)
{
    NewModel({1.0f}, {1.0f}, {1.0f});
    Material(1, RGB(200, 120, 80), "Wall");
    Material(3, RGB(0, 128, 255), "Insulation");
    Block(1, 0, 1, 0, 1, 0, 1);
    Frame(ViewKind::Materials);
    Main()->ExecuteCommand(ID_BLOCKS);
    auto* blocks = m_app->FindView<CBlockView>();
    ASSERT_NE(blocks, nullptr);
    RefillOpenTables();
    // How far the top face's centre is from the lit colour (its normal +z).
    static constexpr double kUp[3] = {0, 0, 1};
    // The edit's repaint goes through posted messages; on a busy machine it
    // can take more than one round of events, so the frame is read again
    // until it shows the colour or a few seconds have passed.
    const auto offTop = [&](COLORREF colour) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        int off = 0;
        do {
            Settle();
            off = Difference(platform::GrabOpenGLFrame(view), Pixel(0.5, 0.5, 1.0), Lit(colour, kUp));
        } while (off > 2 && std::chrono::steady_clock::now() < until);
        return off;
    };
    EXPECT_LE(offTop(RGB(200, 120, 80)), 2);
    TypeInto(*blocks, 1, 2, "3");
    // The entry is stored when the editor's end reaches the table; on a busy
    // display server that can take a few rounds of events.
    for (const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
         TheEngine().model.blocks[0].colour != 3 && std::chrono::steady_clock::now() < until;)
        Settle();
    EXPECT_EQ(TheEngine().model.blocks[0].colour, 3);
    EXPECT_LE(offTop(RGB(0, 128, 255)), 2);
    // And a colour picked anew in the Colours table.
    Main()->ExecuteCommand(ID_COLOURS);
    auto* colours = m_app->FindView<CColorView>();
    ASSERT_NE(colours, nullptr);
    platform::TestHook::Get().PushColorDialogAnswer(RGB(10, 200, 30));
    colours->GoToCell(3, 1);
    ASSERT_EQ(colours->ColourFromRow(colours->FocusRow()), 3);
    Click(*colours, colours->FocusRow(), 1);
    EXPECT_LE(offTop(RGB(10, 200, 30)), 2);
    EXPECT_EQ(blocks->GetGrid()->GetItemBkColour(1, 1), RGB(10, 200, 30));
}

TEST_F(GlPickTest, TheStatusBarReadsTheColourWhileTheViewIsActive)
{
    Model();
    Frame(ViewKind::Materials);
    view->GetParentFrame()->ActivateFrame();
    Settle();
    const CPoint top = Pixel(1.5, 0.5, 1.0);
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(top.x, top.y));
    EXPECT_EQ(Main()->m_wndStatusBar.GetPaneText(0), "Colour 1: Wall");
    view->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Main()->m_wndStatusBar.GetPaneText(0), "");
}

} // namespace
} // namespace gelmar::test
