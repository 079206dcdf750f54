// The Grid table and its commands.
#include "gelmar/app/GridView.h"

#include "common/ui/CellEntryCheck.h"
#include "gelmar/model/store/Engine.h"

#include "common/kernels/TableAxes.h"
#include "common/ui/AxisColumns.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/BlockView.h"
#include "gelmar/app/ClipViews.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/CommandDialogs.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/GridEdit.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

#include <span>

namespace gelmar {

namespace {

constexpr UINT kGridTableId = 10000;

// The Split dialog's settings, kept while the program runs.
SplitSettings g_split;

std::span<std::uint8_t> Flags(int axis)
{
    GridAxis& a = TheEngine().model.axes[static_cast<std::size_t>(axis)];
    return {a.flags.data(), static_cast<std::size_t>(a.n) + 1};
}

int Count(int axis)
{
    return TheEngine().model.axes[static_cast<std::size_t>(axis)].n;
}

void RefillColours()
{
    if (CColorView* colours = FindOpenView<CColorView>()) {
        colours->FillTable();
        colours->Invalidate(FALSE);
    }
}

} // namespace

CGridFrame::CGridFrame() : CTableFrame(IDS_GRID) {}

bool CGridView::Mirrored(int axis) const
{
    return TheEngine().model.rcl != 0 && axis == 2;
}

int CGridView::IntervalOfRow(int row, int axis) const
{
    const int n = Count(axis);
    if (row < 1 || row > n)
        return -1;
    return kernels::IntervalOfRow(row, n, Mirrored(axis));
}

int CGridView::RowOfInterval(int interval, int axis) const
{
    return kernels::RowOfInterval(interval, Count(axis), Mirrored(axis));
}

int CGridView::LargestCount() const
{
    return std::max({Count(0), Count(1), Count(2)});
}

void CGridView::OnInitialUpdate()
{
    InitialUpdateTable(4, 1, 1, kGridTableId, 1, 1);
}

void CGridView::FillTable()
{
    FillAxisTable("No.      ");
}

void CGridView::Refill()
{
    ClearSelection();
    FillTable();
}

void CGridView::FillAxisColumn(int row, int col)
{
    if (!m_pGrid || row < 1 || row >= m_pGrid->GetRowCount())
        return;
    const common::AxisTableLook look = AxisLook();
    const int m = LargestCount();
    if (col == 0) {
        common::FillGridNumberCell(*m_pGrid, row, m, look);
        return;
    }
    const int axis = col - 1;
    const common::AxisColumn column = ModelAxisColumn(axis);
    common::FillGridAxisCell(*m_pGrid, row, col, m, column, look);
}

void CGridView::RefillColumn(int axis)
{
    if (!m_pGrid)
        return;
    for (int r = 1; r < m_pGrid->GetRowCount(); ++r)
        FillAxisColumn(r, axis + 1);
    m_pGrid->Invalidate();
}

void CGridView::UpdateAxisColumn(int col)
{
    ComputeGridCoordinates(TheEngine().model);
    if (m_pGrid)
        FillAxisColumn(m_pGrid->GetRowCount() - 1, col);
}

void CGridView::GoToCell(int row, int col)
{
    if (!m_pGrid)
        return;
    col = std::clamp(col, 1, 3);
    row = std::clamp(row, 1, std::max(1, Count(col - 1)));
    SetGridFocus(row, col);
}

void CGridView::GetSelectedSpan(GridSpan& span) const
{
    const int axis = Axis();
    for (int a = 0; a < 3; ++a) {
        span.lo[a] = 0;
        span.hi[a] = Count(a);
    }
    const int n = Count(axis);
    const int i = m_nFocusRow >= 1 && m_nFocusRow <= n ? IntervalOfRow(m_nFocusRow, axis) : n + 1;
    span.lo[axis] = i;
    span.hi[axis] = i + 1;
    span.axis = axis + 1;
}

void CGridView::SetClipRange(int low, int high)
{
    const int axis = Axis();
    TheEngine().model.clipLo[axis] = static_cast<std::uint16_t>(low);
    TheEngine().model.clipHi[axis] = static_cast<std::uint16_t>(high);
    if (CClipView* clip = FindOpenView<CClipView>())
        clip->FillTable();
}

void CGridView::RecordEdit()
{
    RecordTableEdit(kUndoGrid, m_nFocusRow, m_nFocusCol);
}

void CGridView::RefreshLinkedTables()
{
    if (CBlockView* blocks = FindOpenView<CBlockView>())
        blocks->FillTable();
    RefillIfOpen<CNodeView>();
    RefillIfOpen<COutNodeView>();
    RefillIfOpen<COutBlockView>();
    if (CClipView* clip = FindOpenView<CClipView>())
        clip->FillTable();
    UpdateModelView();
    UpdateAllViews();
}

void CGridView::ClearSelection()
{
    for (int a = 0; a < 3; ++a)
        kernels::SelectIntervals(Flags(a), Count(a), false);
}

void CGridView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    LinkGraphView(kLinkGrid, true);
    CGelmarTableView::OnSetFocus(pOldWnd);
}

void CGridView::OnGridFocusChanged(int row, int col)
{
    CGelmarTableView::OnGridFocusChanged(row, col);
    RepaintLinkedGraph(kLinkGrid);
}

void CGridView::OnGridBeginEdit(int row, int col, UINT)
{
    const int axis = col - 1;
    if (col < 1 || col > 3 || IntervalOfRow(row, axis) < 0)
        return;
    // The editor starts from the full width, not the rounded one shown.
    const float w = TheEngine().model.axes[static_cast<std::size_t>(axis)].widths[static_cast<std::size_t>(
        IntervalOfRow(row, axis))];
    m_pGrid->SetItemText(row, col, ExactFloatText(w));
}

void CGridView::OnGridEndEdit(int row, int col, bool modified)
{
    const int axis = col - 1;
    const int i = col >= 1 && col <= 3 ? IntervalOfRow(row, axis) : -1;
    if (!modified || i < 0) {
        FillAxisColumn(row, col);
        return;
    }
    const std::optional<float> w = ReadCellFloat(m_pGrid->GetItemText(row, col));
    if (!w) {
        FillAxisColumn(row, col);
        return;
    }
    if (!(*w > 0)) {
        // A width of 0 would join two lines into one.
        FillAxisColumn(row, col);
        AfxMessageBox(IDS_WIDTH_NOT_POSITIVE, MB_OK);
        return;
    }
    InvalidateResults();
    TheEngine().model.axes[static_cast<std::size_t>(axis)].widths[static_cast<std::size_t>(i)] = *w;
    FillAxisColumn(row, col);
    UpdateAxisColumn(col);
    ComputeModelExtent(TheEngine().model);
    RefreshLinkedTables();
    RecordEdit();
    if (ApplySurfaceRules(TheEngine().model, TheEngine().run, 0))
        RefillColours();
}

std::string CGridView::CheckGridEntry(int row, int col, const std::string& text)
{
    if (col < 1 || col > 3 || IntervalOfRow(row, col - 1) < 0)
        return {};
    return common::CheckNumberEntry(text, common::kSmallestPositive, common::kLargestEntry);
}

void CGridView::InsertInterval(bool after)
{
    const int axis = Axis();
    const int i = FocusInterval();
    if (i < 0)
        return;
    InvalidateResults();
    ClearSelection();
    // Listed from the top, before and after change places.
    const bool indexAfter = Mirrored(axis) ? !after : after;
    if (!InsertGridInterval(TheEngine().model, Host(), axis, static_cast<std::size_t>(i), indexAfter)) {
        FillTable();
        return;
    }
    FillTable();
    SetGridFocus(after ? m_nFocusRow + 1 : m_nFocusRow, m_nFocusCol);
    UpdateAxisColumn(m_nFocusCol);
    ComputeModelExtent(TheEngine().model);
    RefreshLinkedTables();
    RecordEdit();
}

void CGridView::OnEditCopy()
{
    if (m_pGrid)
        m_pGrid->OnEditCopy();
}

void CGridView::OnEditPaste()
{
    if (m_pGrid)
        m_pGrid->OnEditPaste();
}

void CGridView::OnSwitchSelect()
{
    const int i = FocusInterval();
    if (i < 0)
        return;
    Flags(Axis())[static_cast<std::size_t>(i)] ^= kernels::kIntervalSelected;
    FillAxisColumn(m_nFocusRow, m_nFocusCol);
    m_pGrid->Invalidate();
}

void CGridView::OnSwitchSelectDown()
{
    const int i = FocusInterval();
    if (i < 0)
        return;
    // Down the table is up the index on the third axis listed from the top.
    kernels::ToggleIntervalRun(Flags(Axis()), Count(Axis()), i, Mirrored(Axis()) ? -1 : +1);
    RefillColumn(Axis());
}

void CGridView::OnSwitchSelectUp()
{
    const int i = FocusInterval();
    if (i < 0)
        return;
    kernels::ToggleIntervalRun(Flags(Axis()), Count(Axis()), i, Mirrored(Axis()) ? +1 : -1);
    RefillColumn(Axis());
}

void CGridView::OnSelectAll()
{
    kernels::SelectIntervals(Flags(Axis()), Count(Axis()), true);
    RefillColumn(Axis());
}

void CGridView::OnSelectAll3()
{
    for (int a = 0; a < 3; ++a) {
        kernels::SelectIntervals(Flags(a), Count(a), true);
        RefillColumn(a);
    }
}

void CGridView::OnDeselectAll()
{
    for (int a = 0; a < 3; ++a) {
        kernels::SelectIntervals(Flags(a), Count(a), false);
        RefillColumn(a);
    }
}

void CGridView::OnMerge()
{
    int total = 0;
    for (int a = 0; a < 3; ++a)
        total += kernels::CountSelectedIntervals(Flags(a), Count(a));
    if (total == 0) {
        // The focused interval and the next one down the table.
        const int axis = Axis(), i = FocusInterval();
        const int next = Mirrored(axis) ? i - 1 : i + 1;
        if (i < 0 || next < 0 || next >= Count(axis))
            return;
        Flags(axis)[static_cast<std::size_t>(i)] |= kernels::kIntervalSelected;
        Flags(axis)[static_cast<std::size_t>(next)] |= kernels::kIntervalSelected;
    }
    InvalidateResults();
    int focusAxis = -1, focusInterval = 0;
    for (int a = 0; a < 3; ++a) {
        const auto runs = kernels::SelectedRuns(Flags(a), Count(a));
        if (!runs.empty() && focusAxis < 0) {
            focusAxis = a;
            focusInterval = runs.front().first;
        }
        // From the last run back, so that the earlier ones keep their indices.
        for (auto run = runs.rbegin(); run != runs.rend(); ++run)
            if (run->second > run->first)
                MergeGridLines(TheEngine().model, a, static_cast<std::size_t>(run->first),
                               static_cast<std::size_t>(run->second));
    }
    ComputeGridCoordinates(TheEngine().model);
    ComputeModelExtent(TheEngine().model);
    ClearSelection();
    FillTable();
    if (focusAxis >= 0)
        SetGridFocus(RowOfInterval(focusInterval, focusAxis), focusAxis + 1);
    RefreshLinkedTables();
    RecordEdit();
}

void CGridView::OnSplit()
{
    if (const int i = FocusInterval(); i >= 0) {
        int total = 0;
        for (int a = 0; a < 3; ++a)
            total += kernels::CountSelectedIntervals(Flags(a), Count(a));
        if (total == 0)
            Flags(Axis())[static_cast<std::size_t>(i)] |= kernels::kIntervalSelected;
    }
    CDlgSplitMeshes dlg(TheEngine().model);
    dlg.m_count = g_split.subdivisions;
    dlg.m_method = g_split.method;
    dlg.m_ratio = g_split.ratio;
    dlg.m_width = g_split.meshWidth;
    if (dlg.DoModal() != IDOK) {
        FillTable();
        return;
    }
    g_split.subdivisions = dlg.m_count;
    g_split.method = dlg.m_method;
    g_split.ratio = dlg.m_ratio;
    g_split.meshWidth = dlg.m_width;
    CWaitCursor wait;
    InvalidateResults();
    int lastAxis = Axis(), lastInterval = std::max(FocusInterval(), 0);
    bool refused = false;
    for (int a = 2; a >= 0 && !refused; --a)
        for (int i = Count(a) - 1; i >= 0; --i) {
            if (!kernels::IsIntervalSelected(Flags(a), i))
                continue;
            const float w =
                TheEngine().model.axes[static_cast<std::size_t>(a)].widths[static_cast<std::size_t>(i)];
            lastAxis = a;
            lastInterval = i;
            const std::vector<float> pieces = SplitWidths(w, g_split, Mirrored(a));
            if (pieces.size() == 1)
                continue;
            if (!ReplaceGridCell(TheEngine().model, Host(), a, static_cast<std::size_t>(i), pieces)) {
                refused = true;
                break;
            }
        }
    ClearSelection();
    ComputeGridCoordinates(TheEngine().model);
    ComputeModelExtent(TheEngine().model);
    FillTable();
    SetGridFocus(RowOfInterval(lastInterval, lastAxis), lastAxis + 1);
    RefreshLinkedTables();
    RecordEdit();
}

void CGridView::OnAutoSplit()
{
    CDlgAutoSplit dlg(TheEngine());
    dlg.m_x = Count(0) > 1;
    dlg.m_y = Count(1) > 1;
    dlg.m_z = Count(2) > 1;
    dlg.m_size = TheEngine().view.display.splitSize;
    dlg.m_distance = TheEngine().view.display.splitDistance;
    dlg.m_ratio = TheEngine().view.display.splitRatio;
    if (dlg.DoModal() != IDOK || !(dlg.m_x || dlg.m_y || dlg.m_z))
        return;
    TheEngine().view.display.splitSize = dlg.m_size;
    TheEngine().view.display.splitDistance = dlg.m_distance;
    TheEngine().view.display.splitRatio = dlg.m_ratio;
    CWaitCursor wait;
    InvalidateResults();
    const bool ticked[3] = {dlg.m_x != 0, dlg.m_y != 0, dlg.m_z != 0};
    for (int a = 0; a < 3; ++a)
        if (ticked[a] && !AutoSplitAxis(TheEngine().model, Host(), a,
                                        AutoSplitSettings{TheEngine().view.display.splitSize,
                                                          TheEngine().view.display.splitDistance,
                                                          TheEngine().view.display.splitRatio}))
            break;
    ClearSelection();
    ComputeGridCoordinates(TheEngine().model);
    ComputeModelExtent(TheEngine().model);
    FillTable();
    SetGridFocus(1, 1);
    RefreshLinkedTables();
    RecordEdit();
}

void CGridView::OnCreateMinimumGrid()
{
    CDlgCreateMinGrid dlg(TheEngine().model);
    if (dlg.DoModal() != IDOK || !(dlg.m_x || dlg.m_y || dlg.m_z))
        return;
    InvalidateResults();
    ClearSelection();
    const bool ticked[3] = {dlg.m_x != 0, dlg.m_y != 0, dlg.m_z != 0};
    for (int a = 0; a < 3; ++a)
        if (ticked[a]) {
            StoreItemCoordinates(TheEngine().model, a);
            RebuildGridFromCoordinates(TheEngine().model, Host(), a);
        }
    ComputeGridCoordinates(TheEngine().model);
    ComputeModelExtent(TheEngine().model);
    FillTable();
    SetGridFocus(1, m_nFocusCol);
    RefreshLinkedTables();
    RecordEdit();
}

void CGridView::OnGridUnit()
{
    CDlgGridUnit dlg(TheEngine());
    dlg.m_unit = TheEngine().model.gridUnit;
    if (dlg.DoModal() != IDOK || dlg.m_unit == TheEngine().model.gridUnit)
        return;
    if (!(dlg.m_unit > 0)) {
        ChangeGridUnit(TheEngine().model, Host(), dlg.m_unit, false); // refused with its message
        return;
    }
    InvalidateResults();
    const bool transform = AfxMessageBox(IDS_TRANSFORM_WIDTHS, MB_YESNO) == IDYES;
    ChangeGridUnit(TheEngine().model, Host(), dlg.m_unit, transform);
    if (!transform && ApplySurfaceRules(TheEngine().model, TheEngine().run, 0))
        RefillColours();
    FillTable();
    RefreshLinkedTables();
    RecordEdit();
}

void CGridView::OnUpdateFocusInterval(CCmdUI* ui)
{
    ui->Enable(FocusInterval() >= 0);
}

void CGridView::OnUpdateSelectAll(CCmdUI* ui)
{
    const int n = Count(Axis());
    const bool all = n > 0 && kernels::CountSelectedIntervals(Flags(Axis()), n) == n;
    ui->Enable(!all);
    ui->SetCheck(all);
}

void CGridView::OnUpdateSelectAll3(CCmdUI* ui)
{
    bool all = true;
    for (int a = 0; a < 3; ++a)
        all = all && kernels::CountSelectedIntervals(Flags(a), Count(a)) == Count(a);
    ui->Enable(!all);
    ui->SetCheck(all);
}

void CGridView::OnUpdateDeselectAll(CCmdUI* ui)
{
    int total = 0;
    for (int a = 0; a < 3; ++a)
        total += kernels::CountSelectedIntervals(Flags(a), Count(a));
    ui->Enable(total > 0);
}

void CGridView::OnUpdateMerge(CCmdUI* ui)
{
    int total = 0;
    for (int a = 0; a < 3; ++a) {
        for (const auto& run : kernels::SelectedRuns(Flags(a), Count(a)))
            if (run.second > run.first) {
                ui->Enable(TRUE);
                return;
            }
        total += kernels::CountSelectedIntervals(Flags(a), Count(a));
    }
    if (total > 0) {
        ui->Enable(FALSE);
        return;
    }
    // The focused interval and the next one down the table.
    const int i = FocusInterval();
    ui->Enable(i >= 0 && (Mirrored(Axis()) ? i > 0 : i + 1 < Count(Axis())));
}

void CGridView::OnUpdateSplit(CCmdUI* ui)
{
    int total = 0;
    for (int a = 0; a < 3; ++a)
        total += kernels::CountSelectedIntervals(Flags(a), Count(a));
    ui->Enable(total > 0 || FocusInterval() >= 0);
}

BOOL CGridView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_INSERT_BEFORE, &CGridView::OnInsertBefore),
        ::OnUpdate(ID_INSERT_BEFORE, &CGridView::OnUpdateFocusInterval),
        ::OnCommand(ID_INSERT_AFTER, &CGridView::OnInsertAfter),
        ::OnUpdate(ID_INSERT_AFTER, &CGridView::OnUpdateFocusInterval),
        ::OnCommand(ID_EDIT_COPY, &CGridView::OnEditCopy),
        ::OnCommand(ID_EDIT_PASTE, &CGridView::OnEditPaste),
        ::OnCommand(ID_SWITCH_SELECT, &CGridView::OnSwitchSelect),
        ::OnUpdate(ID_SWITCH_SELECT, &CGridView::OnUpdateFocusInterval),
        ::OnCommand(ID_SWITCH_SELECT_DOWN, &CGridView::OnSwitchSelectDown),
        ::OnUpdate(ID_SWITCH_SELECT_DOWN, &CGridView::OnUpdateFocusInterval),
        ::OnCommand(ID_SWITCH_SELECT_UP, &CGridView::OnSwitchSelectUp),
        ::OnUpdate(ID_SWITCH_SELECT_UP, &CGridView::OnUpdateFocusInterval),
        ::OnCommand(ID_EDIT_SELECT_ALL, &CGridView::OnSelectAll),
        ::OnUpdate(ID_EDIT_SELECT_ALL, &CGridView::OnUpdateSelectAll),
        ::OnCommand(ID_GRID_SELECT_ALL, &CGridView::OnSelectAll3),
        ::OnUpdate(ID_GRID_SELECT_ALL, &CGridView::OnUpdateSelectAll3),
        ::OnCommand(ID_DESELECT_ALL, &CGridView::OnDeselectAll),
        ::OnUpdate(ID_DESELECT_ALL, &CGridView::OnUpdateDeselectAll),
        ::OnCommand(ID_MIN_GRID_CREATE, &CGridView::OnCreateMinimumGrid),
        ::OnCommand(ID_GRID_UNIT, &CGridView::OnGridUnit),
        ::OnCommand(ID_GRID_MERGE, &CGridView::OnMerge),
        ::OnUpdate(ID_GRID_MERGE, &CGridView::OnUpdateMerge),
        ::OnCommand(ID_GRID_SPLIT, &CGridView::OnSplit),
        ::OnUpdate(ID_GRID_SPLIT, &CGridView::OnUpdateSplit),
        ::OnCommand(ID_GRID_AUTO_SPLIT, &CGridView::OnAutoSplit),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CGelmarTableView::OnCmdMsg(nID, nCode, pCmdUI);
}

} // namespace gelmar
