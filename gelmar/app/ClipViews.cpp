// The Clip Object and Clip Colours tables.
#include "gelmar/app/ClipViews.h"
#include "gelmar/model/store/Engine.h"

#include "common/kernels/TableAxes.h"
#include "common/ui/AxisColumns.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/Outlines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>

namespace gelmar {

namespace {

constexpr UINT kClipTableId = 10003;
constexpr UINT kClipColourTableId = 10010;

bool Rcl()
{
    return TheEngine().model.rcl != 0;
}

void RebuildGraphView()
{
    if (!g_graphView)
        return;
    g_graphView->BuildDisplayList();
    g_graphView->Invalidate(FALSE);
}

} // namespace

CClipFrame::CClipFrame() : CTableFrame(IDS_CLIP_OBJECT) {}
CClipColorFrame::CClipColorFrame() : CTableFrame(IDS_CLIP_COLOURS) {}

void CClipView::OnInitialUpdate()
{
    InitialUpdateTable(4, 1, 1, kClipTableId, 1, 1);
}

void CClipView::FillTable()
{
    if (!m_pGrid)
        return;
    m_pGrid->SetRowCount(4);
    static const char kXyz[] = "XYZ", kRcl[] = "RCL";
    for (int a = 0; a < 3; ++a)
        SetHeaderCell(a + 1, std::string("     ") + (Rcl() ? kRcl : kXyz)[a], common::AxisTextColour(a), DT_RIGHT,
                      &g_tableFont);
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c < 4; ++c)
            FormatCell(r, c);
    m_pGrid->Invalidate();
}

void CClipView::FormatCell(int row, int col)
{
    if (!m_pGrid || row < 1 || row > 3 || col < 0 || col > 3)
        return;
    if (col == 0) {
        static const char* const kLabels[] = {"Min.", "Max.", "Limit"};
        SetBodyCell(row, 0, kLabels[row - 1], common::GVIS_READONLY, DT_LEFT, m_crButtonFace);
        m_pGrid->SetItemFont(row, 0, &g_tableFont);
        return;
    }
    const int axis = col - 1;
    const int n = TheEngine().model.axes[static_cast<std::size_t>(axis)].n;
    const bool mirrored = Rcl() && axis == 2;
    const int index = row == kLimitRow ? n
                                       : kernels::ShownClipBound(TheEngine().model.clipLo[axis],
                                                                 TheEngine().model.clipHi[axis],
                                                                 row == kMinRow, n, mirrored);
    const int shown = Rcl() ? kernels::NodeNumber(index) : index;
    if (row == kLimitRow)
        SetBodyCell(row, col, std::to_string(shown), common::GVIS_READONLY, DT_RIGHT, m_crInfoBk);
    else
        SetBodyCell(row, col, std::to_string(shown), common::GVIS_UNSIGNED, DT_RIGHT, m_crWindow);
}

void CClipView::GoToCell(int row, int col)
{
    if (m_pGrid)
        SetGridFocus(std::clamp(row, 1, 2), std::clamp(col, 1, 3));
}

void CClipView::OnGridEndEdit(int row, int col, bool modified)
{
    const std::optional<int> entered = ReadCellInt(m_pGrid->GetItemText(row, col));
    if (!modified || row == kLimitRow || col < 1 || !entered) {
        FormatCell(row, col);
        return;
    }
    const int axis = col - 1;
    const int n = TheEngine().model.axes[static_cast<std::size_t>(axis)].n;
    const int v = Rcl() ? kernels::LineOfNodeNumber(*entered) : *entered;
    int lo = TheEngine().model.clipLo[axis], hi = TheEngine().model.clipHi[axis];
    const bool changed = kernels::EditClipRange(lo, hi, row == kMinRow, v, n, Rcl() && axis == 2);
    TheEngine().model.clipLo[axis] = static_cast<std::uint16_t>(lo);
    TheEngine().model.clipHi[axis] = static_cast<std::uint16_t>(hi);
    FormatCell(kMinRow, col);
    FormatCell(kMaxRow, col);
    if (!changed)
        return;
    ComputeModelExtent(TheEngine().model);
    Invalidate(FALSE);
    UpdateModelView();
    if (g_graphView)
        g_graphView->Invalidate(FALSE);
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kUndoClip, row, col);
}

void CClipView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    LinkGraphView(kLinkNone, false);
    RebuildGraphView();
    CGelmarTableView::OnSetFocus(pOldWnd);
}

CClipColorView::CClipColorView()
{
    m_nFocusRow = 1;
    m_nFocusCol = 5;
}

int CClipColorView::ColourFromRow(int row) const
{
    for (int c = 0, seen = 0; c < kColourCount; ++c)
        if (TheEngine().model.colours[static_cast<std::size_t>(c)].inUse && ++seen == row)
            return c;
    return 0;
}

void CClipColorView::OnInitialUpdate()
{
    InitialUpdateTable(6, 1, 1, kClipColourTableId, 1, 5);
}

void CClipColorView::FillTable()
{
    if (!m_pGrid)
        return;
    int rows = 0;
    for (const ColourRecord& c : TheEngine().model.colours)
        rows += c.inUse != 0;
    m_pGrid->SetRowCount(rows + 1);
    for (int c = 0; c < 5; ++c)
        SetHeaderCell(c, platform::LoadString(IDS_COLOURS_HEADER_FIRST + static_cast<UINT>(c)), RGB(0, 0, 0),
                      DT_LEFT, &g_tableFont);
    SetHeaderCell(5, "Show", RGB(0, 0, 0), DT_LEFT, &g_tableFont);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < 6; ++c)
            FormatCell(r, c);
    m_pGrid->Invalidate();
}

void CClipColorView::FormatCell(int row, int col)
{
    if (!m_pGrid || row < 1 || row >= m_pGrid->GetRowCount() || col < 0 || col > 5)
        return;
    const int n = ColourFromRow(row);
    const ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(n)];
    using common::GVIS_READONLY;
    switch (col) {
    case 0:
        SetBodyCell(row, 0, std::to_string(n), common::GVIS_UNSIGNED, DT_LEFT, m_crButtonFace);
        m_pGrid->SetItemFont(row, 0, &g_tableFont);
        break;
    case 1:
        SetBodyCell(row, 1, "", GVIS_READONLY, DT_LEFT, c.displayColour);
        break;
    case 2:
        SetBodyCell(row, 2, ColourTypeName(c.type), GVIS_READONLY, DT_LEFT, m_crInfoBk);
        break;
    case 3: {
        const char* rule = c.type == MATERIAL || c.type == TRANSMAT ? nullptr : RuleName(c.type, c.rule);
        SetBodyCell(row, 3, rule ? rule : "", GVIS_READONLY, DT_LEFT, m_crInfoBk);
        break;
    }
    case 4:
        SetBodyCell(row, 4, c.name, GVIS_READONLY, DT_LEFT, m_crInfoBk);
        break;
    default:
        SetBodyCell(row, 5, c.clipShow ? "YES" : "NO", GVIS_READONLY, DT_LEFT, m_crWindow);
        break;
    }
}

void CClipColorView::GoToCell(int colour, int col)
{
    if (!m_pGrid || m_pGrid->GetRowCount() < 2)
        return;
    int row = 1;
    for (int c = 0; c < colour && c < kColourCount; ++c)
        row += TheEngine().model.colours[static_cast<std::size_t>(c)].inUse != 0;
    SetGridFocus(std::min(row, m_pGrid->GetRowCount() - 1), std::clamp(col, 1, 5));
}

void CClipColorView::OnGridBeginEdit(int row, int col, UINT)
{
    if (col != 5)
        return;
    ColourRecord& c = TheEngine().model.colours[static_cast<std::size_t>(ColourFromRow(row))];
    c.clipShow = c.clipShow ? 0 : 1;
    FormatCell(row, col);
    RebuildGraphView();
    if (m_pGrid) {
        m_pGrid->SetFocus();
        m_pGrid->Invalidate();
    }
}

void CClipColorView::OnGridEndEdit(int row, int col, bool)
{
    FormatCell(row, col);
}

void CClipColorView::OnGridFocusChanged(int row, int col)
{
    const int previous = m_nFocusRow;
    CGelmarTableView::OnGridFocusChanged(row, col);
    if (row != previous && LinkedTableKind() == kLinkColourOutline) {
        BuildColourOutline(TheEngine().model, TheEngine().view, Host(), ColourFromRow(row));
        if (g_graphView)
            g_graphView->Invalidate(FALSE);
    }
}

void CClipColorView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    if (g_graphView && TheEngine().model.blocks.count > 0) {
        BuildColourOutline(TheEngine().model, TheEngine().view, Host(), ColourFromRow(m_nFocusRow));
        LinkGraphView(kLinkColourOutline, true);
    }
    CGelmarTableView::OnSetFocus(pOldWnd);
}

} // namespace gelmar
