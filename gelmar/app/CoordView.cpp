// The Coordinates table.
#include "gelmar/app/CoordView.h"
#include "gelmar/model/store/Engine.h"

#include "common/kernels/TableAxes.h"
#include "common/ui/AxisColumns.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/store/ModelStore.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>

namespace gelmar {

namespace {

constexpr UINT kCoordTableId = 10007;

int Count(int axis)
{
    return TheEngine().model.axes[static_cast<std::size_t>(axis)].n;
}

} // namespace

CCoordFrame::CCoordFrame() : CTableFrame(IDS_COORDINATES) {}

CCoordView::CCoordView()
{
    m_nFocusRow = 1;
    m_nFocusCol = 1;
}

int CCoordView::Axis() const
{
    return std::clamp(m_nFocusCol, 1, 3) - 1;
}

bool CCoordView::Mirrored(int axis) const
{
    return TheEngine().model.rcl != 0 && axis == 2;
}

void CCoordView::OnInitialUpdate()
{
    InitialUpdateTable(4, 1, 1, kCoordTableId, 1, 1);
}

void CCoordView::FillTable()
{
    FillAxisTable("No. ");
}

void CCoordView::FillAxisColumn(int row, int col)
{
    if (!m_pGrid || row < 1 || row >= m_pGrid->GetRowCount() || col < 0 || col > 3)
        return;
    const common::AxisTableLook look = AxisLook();
    if (col == 0) {
        common::FillCoordNumberCell(*m_pGrid, row, m_pGrid->GetRowCount() - 2, look);
        return;
    }
    const int axis = col - 1;
    const common::AxisColumn column = ModelAxisColumn(axis);
    common::FillCoordAxisCell(*m_pGrid, row, col, column, TheEngine().model.origin[axis], look);
}

void CCoordView::GoToCell(int row, int col)
{
    if (!m_pGrid)
        return;
    col = std::clamp(col, 1, 3);
    SetGridFocus(std::clamp(row, 1, Count(col - 1) + 1), col);
}

void CCoordView::GetSelectedSpan(GridSpan& span) const
{
    const int axis = Axis();
    for (int a = 0; a < 3; ++a) {
        span.lo[a] = 0;
        span.hi[a] = Count(a);
    }
    const int n = Count(axis);
    span.axis = axis + 1;
    if (m_nFocusRow < 1 || m_nFocusRow > n + 1) {
        span.lo[axis] = span.hi[axis] = n + 1;
        return;
    }
    const int line = kernels::LineOfRow(m_nFocusRow, n, Mirrored(axis));
    span.lo[axis] = Mirrored(axis) ? line : 0;
    span.hi[axis] = Mirrored(axis) ? n : line;
}

void CCoordView::OnSetFocus(CWnd* pOldWnd)
{
    LinkGraphView(kLinkCoordinates, true);
    CGelmarTableView::OnSetFocus(pOldWnd);
}

void CCoordView::OnGridFocusChanged(int row, int col)
{
    CGelmarTableView::OnGridFocusChanged(row, col);
    RepaintLinkedGraph(kLinkCoordinates);
}

// The table is not edited: what was typed into a number cell goes.
void CCoordView::OnGridEndEdit(int row, int col, bool)
{
    FillAxisColumn(row, col);
}

void CCoordView::OnSetOrigin()
{
    const int axis = Axis();
    const int n = Count(axis);
    if (m_nFocusRow < 1 || m_nFocusRow > n + 1)
        return;
    const int line = kernels::LineOfRow(m_nFocusRow, n, Mirrored(axis));
    TheEngine().model.origin[axis] =
        line == 0 ? 0.0f : TheEngine().model.axes[static_cast<std::size_t>(axis)].coords[line - 1];
    FillTable();
    Invalidate(FALSE);
    if (g_graphView)
        g_graphView->Invalidate(FALSE);
}

void CCoordView::OnUpdateSetOrigin(CCmdUI* ui)
{
    ui->Enable(m_nFocusRow >= 1 && m_nFocusRow <= Count(Axis()) + 1);
}

BOOL CCoordView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_SET_ORIGIN, &CCoordView::OnSetOrigin),
        ::OnUpdate(ID_SET_ORIGIN, &CCoordView::OnUpdateSetOrigin),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CGelmarTableView::OnCmdMsg(nID, nCode, pCmdUI);
}

} // namespace gelmar
