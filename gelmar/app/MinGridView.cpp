// The Minimum Grid table.
#include "gelmar/app/MinGridView.h"
#include "gelmar/model/store/Engine.h"

#include "common/kernels/TableAxes.h"
#include "common/ui/AxisColumns.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>

namespace gelmar {

namespace {

constexpr UINT kMinGridTableId = 10005;

} // namespace

CMinGridFrame::CMinGridFrame() : CTableFrame(IDS_MIN_GRID) {}

CMinGridView::CMinGridView()
{
    m_nFocusRow = 1;
    m_nFocusCol = 0;
    BuildMinimumGrid();
}

// The maps follow the model at every fill: blocks edited, or an undo, while
// the table is open change which lines are used.
void CMinGridView::BuildMinimumGrid()
{
    for (int a = 0; a < 3; ++a)
        m_grid[static_cast<std::size_t>(a)] = BuildMinimumGridAxis(TheEngine().model, a);
}

bool CMinGridView::Mirrored(int axis) const
{
    return TheEngine().model.rcl != 0 && axis == 2;
}

int CMinGridView::IntervalOfRow(int row, int axis) const
{
    const int n = Count(axis);
    return row >= 1 && row <= n ? kernels::IntervalOfRow(row, n, Mirrored(axis)) : -1;
}

void CMinGridView::OnInitialUpdate()
{
    InitialUpdateTable(3, 1, 0, kMinGridTableId, 1, 0);
}

void CMinGridView::FillTable()
{
    if (!m_pGrid)
        return;
    BuildMinimumGrid();
    const common::AxisTableLook look = AxisLook();
    const int m = std::max({Count(0), Count(1), Count(2)});
    m_pGrid->SetRowCount(m + 2);
    common::SetAxisHeaders(*m_pGrid, 0, FormatGridUnitLabel(TheEngine().model), look);
    for (int r = 1; r <= m + 1; ++r)
        for (int c = 0; c < 3; ++c)
            FillAxisColumn(r, c);
    m_pGrid->Invalidate();
}

void CMinGridView::FillAxisColumn(int row, int col)
{
    if (!m_pGrid || row < 1 || row >= m_pGrid->GetRowCount() || col < 0 || col > 2)
        return;
    const common::AxisTableLook look = AxisLook();
    const GridAxis& a = TheEngine().model.axes[static_cast<std::size_t>(col)];
    const MinimumGridAxis& grid = m_grid[static_cast<std::size_t>(col)];
    const int m = m_pGrid->GetRowCount() - 2;
    const double length = a.n > 0 ? a.coords[a.n - 1] : 0.0;
    common::FillMinGridAxisCell(*m_pGrid, row, col, m, Count(col), grid.widths.data(), length, Mirrored(col), look);
}

void CMinGridView::GoToCell(int row, int col)
{
    if (!m_pGrid)
        return;
    col = std::clamp(col, 0, 2);
    SetGridFocus(std::clamp(row, 1, std::max(1, Count(col))), col);
}

void CMinGridView::GetSelectedSpan(GridSpan& span) const
{
    const int axis = std::clamp(m_nFocusCol, 0, 2);
    for (int a = 0; a < 3; ++a) {
        span.lo[a] = 0;
        span.hi[a] = TheEngine().model.axes[static_cast<std::size_t>(a)].n;
    }
    const MinimumGridAxis& grid = m_grid[static_cast<std::size_t>(axis)];
    const int k = IntervalOfRow(m_nFocusRow, axis);
    const int n = TheEngine().model.axes[static_cast<std::size_t>(axis)].n;
    int first = n, next = n;
    for (std::size_t i = 0; i < grid.map.size(); ++i) {
        if (first == n && static_cast<int>(grid.map[i]) == k)
            first = static_cast<int>(i);
        if (static_cast<int>(grid.map[i]) == k + 1) {
            next = static_cast<int>(i);
            break;
        }
    }
    span.lo[axis] = k < 0 ? n + 1 : first;
    span.hi[axis] = k < 0 ? n + 1 : next;
    span.axis = axis + 1;
}

void CMinGridView::RecordEdit()
{
    RecordTableEdit(kUndoMinimumGrid, m_nFocusRow, m_nFocusCol);
    InvalidateResults();
    UpdateModelView();
}

void CMinGridView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    LinkGraphView(kLinkMinGrid, true);
    CGelmarTableView::OnSetFocus(pOldWnd);
}

void CMinGridView::OnGridFocusChanged(int row, int col)
{
    CGelmarTableView::OnGridFocusChanged(row, col);
    RepaintLinkedGraph(kLinkMinGrid);
}

void CMinGridView::OnGridBeginEdit(int row, int col, UINT)
{
    const int k = IntervalOfRow(row, col);
    if (k < 0)
        return;
    const float w = static_cast<float>(m_grid[static_cast<std::size_t>(col)].widths[static_cast<std::size_t>(k)]);
    m_pGrid->SetItemText(row, col, ExactFloatText(w));
}

void CMinGridView::OnGridEndEdit(int row, int col, bool modified)
{
    if (!modified || col < 0 || col > 2) {
        FillAxisColumn(row, col);
        return;
    }
    const std::string text = m_pGrid->GetItemText(row, col);
    BuildMinimumGrid();
    const int k = IntervalOfRow(row, col);
    const std::optional<float> w = ReadCellFloat(text);
    if (k < 0 || !w) {
        FillAxisColumn(row, col);
        return;
    }
    if (!(*w > 0)) {
        // A width of 0 would join the lines of the interval into one.
        FillAxisColumn(row, col);
        AfxMessageBox(IDS_WIDTH_NOT_POSITIVE, MB_OK);
        return;
    }
    ScaleMinimumGridInterval(TheEngine().model, col, m_grid[static_cast<std::size_t>(col)],
                             static_cast<std::size_t>(k), *w);
    ComputeModelExtent(TheEngine().model);
    RecordEdit();
    FillTable();
    if (g_graphView) {
        g_graphView->BuildDisplayList();
        g_graphView->Invalidate(FALSE);
    }
    if (ApplySurfaceRules(TheEngine().model, TheEngine().run, 0))
        if (CColorView* colours = FindOpenView<CColorView>()) {
            colours->FillTable();
            colours->Invalidate(FALSE);
        }
}

void CMinGridView::OnEditCopy()
{
    if (m_pGrid)
        m_pGrid->OnEditCopy();
}

void CMinGridView::OnEditPaste()
{
    if (m_pGrid)
        m_pGrid->OnEditPaste();
}

BOOL CMinGridView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_EDIT_COPY, &CMinGridView::OnEditCopy),
        ::OnCommand(ID_EDIT_PASTE, &CMinGridView::OnEditPaste),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CGelmarTableView::OnCmdMsg(nID, nCode, pCmdUI);
}

} // namespace gelmar
