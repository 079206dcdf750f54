// The Node BCs table.
#include "gelmar/app/NodeView.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

using common::GVIS_READONLY;
using common::GVIS_UNSIGNED;

constexpr int kColumns = 7;

COLORREF AxisColour(int axis)
{
    return axis == 0 ? RGB(255, 0, 0) : axis == 1 ? RGB(0, 255, 0) : RGB(0, 0, 255);
}

std::uint16_t& Index(NodeBcRecord& r, int axis)
{
    return axis == 0 ? r.i : axis == 1 ? r.j : r.k;
}

BcCells Cells(NodeBcRecord& r)
{
    return {4, r.type, r.temperature, r.temperatureFunc, r.power, r.powerFunc, 'P'};
}

} // namespace

CNodeView::CNodeView()
    : CListTableView({ModelList::NodeBcs, kColumns, 1, 10004, kUndoNodeBcs, 1, 1, kColumns - 1, IDS_DELETE_NODE_BC,
                      true})
{
}

CNodeFrame::CNodeFrame() : CTableFrame(IDS_NODE_BCS) {}

void CNodeView::FillHeader()
{
    const bool rcl = TheEngine().model.rcl != 0;
    for (int c = 0; c < kColumns; ++c) {
        UINT id = IDS_NODE_NUMBER;
        COLORREF colour = RGB(0, 0, 0);
        if (c >= 1 && c <= 3) {
            id = (rcl ? IDS_HEADER_R : IDS_HEADER_X) + static_cast<UINT>(c - 1);
            colour = AxisColour(c - 1);
        } else if (c >= 4) {
            id = IDS_NODE_TYPE + static_cast<UINT>(c - 4);
        }
        SetHeaderCell(c, platform::LoadString(id), colour, c == 0 || c == 4 ? DT_LEFT : DT_RIGHT, &g_tableFont);
    }
}

void CNodeView::FormatCell(int row, int col)
{
    const int n = RecordFromRow(row);
    if (!m_pGrid || n < 0 || col < 0 || col >= kColumns)
        return;
    if (col == 0) {
        FormatNumberCell(row);
        return;
    }
    const ModelStore& m = TheEngine().model;
    NodeBcRecord& r = TheEngine().model.nodeBcs[static_cast<std::size_t>(n)];
    if (col <= 3) {
        const int axis = col - 1;
        if (axis == SingleIntervalAxis(m))
            FormatDisabledCell(row, col, DT_RIGHT);
        else
            SetBodyCell(row, col, std::to_string(ShownLineIndex(m, axis, Index(r, axis))), GVIS_UNSIGNED, DT_RIGHT,
                        m_crWindow);
        return;
    }
    if (col == 4) {
        SetBodyCell(row, col, r.type == 0 ? "TEMP" : "POWER", GVIS_READONLY, DT_LEFT, m_crWindow);
        return;
    }
    if (col == 5)
        FormatBcValueCell(row, col, r.type == 0, r.temperature, r.temperatureFunc);
    else
        FormatBcValueCell(row, col, r.type == 1, r.power, r.powerFunc);
}

void CNodeView::OnSetFocus(CWnd* pOldWnd)
{
    TakeFocusAsLinkedTable(kLinkNodeBcs, pOldWnd);
}

void CNodeView::OnGridFocusChanged(int row, int col)
{
    const int previous = m_nFocusRow;
    CListTableView::OnGridFocusChanged(row, col);
    if (col >= 1 && col <= 3)
        ShowNodeInAxisTables();
    if (col == 5 || col == 6)
        ShowReferencedFunction();
    RepaintIfLinked(previous, kLinkNodeBcs);
}

void CNodeView::ShowNodeInAxisTables()
{
    const int n = FocusRecord();
    if (n < 0 || m_nFocusCol < 1 || m_nFocusCol > 3)
        return;
    const int axis = m_nFocusCol - 1;
    ShowLineInAxisTables(axis, Index(TheEngine().model.nodeBcs[static_cast<std::size_t>(n)], axis));
}

void CNodeView::ShowReferencedFunction()
{
    const int n = FocusRecord();
    if (n < 0)
        return;
    ShowBcFunction(Cells(TheEngine().model.nodeBcs[static_cast<std::size_t>(n)]), true);
}

void CNodeView::OnGridBeginEdit(int row, int col, UINT)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    BeginBcEdit(row, col, Cells(TheEngine().model.nodeBcs[static_cast<std::size_t>(n)]), true);
}

void CNodeView::OnGridEndEdit(int row, int col, bool modified)
{
    const int n = RecordFromRow(row);
    if (n < 0)
        return;
    if (!modified || col < 1 || col == 4) {
        FormatCell(row, col);
        return;
    }
    NodeBcRecord& r = TheEngine().model.nodeBcs[static_cast<std::size_t>(n)];
    const std::string text = m_pGrid->GetItemText(row, col);
    if (col <= 3) {
        if (const std::optional<int> v = LineIndexEntry(TheEngine().model, col - 1, text))
            Index(r, col - 1) = static_cast<std::uint16_t>(*v);
        FormatCell(row, col);
        ShowNodeInAxisTables();
    } else {
        StoreBcCell(row, col, text, Cells(r));
    }
    RecordEdit();
}

void CNodeView::RecordEdit()
{
    CListTableView::RecordEdit();
    InvalidateResults();
    if (g_graphView)
        g_graphView->Invalidate(FALSE);
}

} // namespace gelmar
