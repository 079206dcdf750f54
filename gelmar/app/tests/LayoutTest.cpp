// The fixed tiling of the child windows: the group rectangles for the cases
// that matter, and the frames placed on the MDI client area accordingly.
#include "AppFixture.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/app/ViewLayout.h"
#include "resources/gelmar/GelmarIds.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace gelmar::test {
namespace {

using G = ViewGroup;

std::array<bool, 5> Open(std::initializer_list<G> groups)
{
    std::array<bool, 5> open{};
    for (G g : groups)
        open[size_t(g)] = true;
    return open;
}

TEST(ViewLayoutTest, GroupRectanglesForTheOpenGroups)
{
    struct Case {
        std::initializer_list<G> open;
        G group;
        FractionRect expected;
    };
    const Case cases[] = {
        // Alone, a group fills the client area.
        {{G::BlockTables}, G::BlockTables, {0, 1, 0, 1}},
        {{G::Graphics}, G::Graphics, {0, 1, 0, 1}},
        // 3D view, Grid and Blocks.
        {{G::Graphics, G::AxisTables, G::BlockTables}, G::Graphics, {0, 0.7f, 0, 0.75f}},
        {{G::Graphics, G::AxisTables, G::BlockTables}, G::AxisTables, {0.7f, 1, 0, 0.75f}},
        {{G::Graphics, G::AxisTables, G::BlockTables}, G::BlockTables, {0, 1, 0.75f, 1}},
        // Adding the Colours table splits the lower band.
        {{G::Graphics, G::AxisTables, G::BlockTables, G::ColourTables}, G::BlockTables, {0, 0.43f, 0.75f, 1}},
        {{G::Graphics, G::AxisTables, G::BlockTables, G::ColourTables},
         G::ColourTables,
         {0.43f, 1, 0.75f, 1}},
        // A list table under the axis tables in the right column.
        {{G::Graphics, G::AxisTables, G::ListTables, G::BlockTables}, G::AxisTables, {0.7f, 1, 0, 0.5f}},
        {{G::Graphics, G::AxisTables, G::ListTables, G::BlockTables}, G::ListTables, {0.7f, 1, 0.5f, 0.75f}},
        // Without graphics the tables take the left edge.
        {{G::AxisTables, G::ListTables}, G::ListTables, {0, 1, 0.5f, 1}},
        {{G::ColourTables}, G::ColourTables, {0, 1, 0, 1}},
    };
    for (const Case& c : cases) {
        const auto r = ComputeViewLayout(Open(c.open));
        ASSERT_TRUE(r[size_t(c.group)].has_value());
        EXPECT_EQ(*r[size_t(c.group)], c.expected) << int(c.group) << " of " << c.open.size();
        for (int g = 0; g < 5; ++g)
            EXPECT_EQ(r[size_t(g)].has_value(), Open(c.open)[size_t(g)]);
    }
}

using LayoutTest = AppFixture;

CRect FrameRect(CView* v)
{
    QWidget* sub = v->GetParentFrame()->GetOuterWidget();
    const QRect g = sub->geometry();
    return CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

TEST_F(LayoutTest, FramesFollowTheGroupsAsWindowsOpenAndClose)
{
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start());
    Main()->MoveWindow(0, 0, 1000, 800);
    Main()->ArrangeViewFrames();
    const QSize client = Main()->GetMdiArea()->viewport()->size();
    const int w = client.width(), h = client.height();

    auto* graph = m_app->FindView<CGraphView>();
    auto* grid = m_app->FindView<CGridView>();
    auto* blocks = m_app->FindView<CBlockView>();
    auto* colours = m_app->FindView<CColorView>();
    ASSERT_TRUE(graph && grid && blocks && colours);
    EXPECT_EQ(FrameRect(graph), CRect(0, 0, int(0.7f * w), int(0.75f * h)));
    EXPECT_EQ(FrameRect(grid).left, int(0.7f * w));
    EXPECT_EQ(FrameRect(blocks), CRect(0, int(0.75f * h), int(0.43f * w), int(0.75f * h) + int(0.25f * h)));
    EXPECT_EQ(FrameRect(colours).left, int(0.43f * w));

    // Node BCs beside the Grid: Grid in the upper half of the right column.
    Main()->ExecuteCommand(ID_NODE_BCS);
    auto* nodes = m_app->FindView<CNodeView>();
    ASSERT_NE(nodes, nullptr);
    EXPECT_EQ(FrameRect(grid).Height(), int(0.5f * h));
    EXPECT_EQ(FrameRect(nodes).top, int(0.5f * h));

    // Closing the Colours table gives the Blocks table the whole lower band.
    colours->GetParentFrame()->SendMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    EXPECT_EQ(FrameRect(blocks).Width(), w);
}

} // namespace
} // namespace gelmar::test
