// The shared rows, commands and links of the list tables.
#include "gelmar/app/ListTableView.h"

#include "common/kernels/TableAxes.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/CoordView.h"
#include "gelmar/app/FuncView.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/GridView.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/ConditionEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

using common::GVIS_READONLY;

int CListTableView::RecordCount() const
{
    return static_cast<int>(ListCount(TheEngine().model, m_shape.list));
}

int CListTableView::RecordFromRow(int row) const
{
    return row >= 1 && row <= RecordCount() ? row - 1 : -1;
}

void CListTableView::OnInitialUpdate()
{
    ArrangeMainFrameViews();
    CGelmarTableView::OnInitialUpdate();
    if (m_pGrid)
        return;
    CreateGrid(m_shape.columns, 1, m_shape.fixedColumns, m_shape.gridId);
    FillTable();
    m_pGrid->AutoSize();
    SetGridFocus(1, m_shape.focusColumn);
}

void CListTableView::FillTable()
{
    if (!m_pGrid)
        return;
    const int rows = RecordCount();
    m_pGrid->SetRowCount(rows + 1);
    FillHeader();
    for (int r = 1; r <= rows; ++r)
        FormatRow(r);
    m_pGrid->Invalidate();
}

void CListTableView::FormatRow(int row)
{
    for (int c = 0; c < m_shape.columns; ++c)
        FormatCell(row, c);
}

void CListTableView::FormatNumberCell(int row)
{
    SetBodyCell(row, 0, std::to_string(row), GVIS_READONLY, DT_LEFT, m_crButtonFace);
    m_pGrid->SetItemFont(row, 0, &g_tableFont);
}

void CListTableView::FormatDisabledCell(int row, int col, UINT format)
{
    SetBodyCell(row, col, "", GVIS_READONLY, format, m_crInfoBk);
}

void CListTableView::GoToCell(int row, int col)
{
    if (!m_pGrid)
        return;
    const int count = RecordCount();
    if (count == 0) {
        SetGridFocus(1, 1);
        return;
    }
    SetGridFocus(std::clamp(row, 1, count), std::clamp(col, 1, m_shape.columns - 1));
}

void CListTableView::MarkRow(bool mark)
{
    CTableView::MarkRow(m_nFocusRow, m_shape.firstMarked, m_shape.lastMarked, mark);
}

void CListTableView::RecordEdit()
{
    RecordTableEdit(m_shape.undoKind, m_nFocusRow, m_nFocusCol);
}

bool CListTableView::CanInsert() const
{
    return RecordCount() < static_cast<int>(ListLimit(m_shape.list));
}

bool CListTableView::InsertIntoModel(std::size_t at)
{
    return InsertListRecord(TheEngine().model, m_shape.list, at, Host());
}

bool CListTableView::DeleteFromModel(std::size_t at)
{
    return DeleteListRecord(TheEngine().model, m_shape.list, at);
}

void CListTableView::InsertRecord(bool after)
{
    if (!m_pGrid)
        return;
    const int focus = FocusRecord();
    const std::size_t at = focus < 0 ? 0 : static_cast<std::size_t>(after ? focus + 1 : focus);
    if (!InsertIntoModel(at))
        return;
    const int row = static_cast<int>(at) + 1;
    if (RecordCount() == 1) {
        FillTable();
    } else {
        m_pGrid->InsertRow(std::string(), std::min(row, m_pGrid->GetRowCount()));
        m_pGrid->SetRowHeight(row, m_pGrid->GetRowHeight(row == 1 ? 2 : row - 1));
        // The new row and the numbers of the rows after it.
        for (int r = row; r < m_pGrid->GetRowCount(); ++r)
            r == row ? FormatRow(r) : FormatNumberCell(r);
    }
    SetGridFocus(row, m_shape.focusColumn);
    AfterListChange();
    RecordEdit();
}

void CListTableView::OnDelete()
{
    const int focus = FocusRecord();
    if (!m_pGrid || focus < 0)
        return;
    MarkRow(true);
    if (AfxMessageBox(m_shape.deleteQuestion, MB_YESNO) != IDYES) {
        MarkRow(false);
        return;
    }
    if (!DeleteFromModel(static_cast<std::size_t>(focus)))
        return;
    const int row = focus + 1;
    m_pGrid->DeleteRow(row);
    for (int r = row; r < m_pGrid->GetRowCount(); ++r)
        FormatNumberCell(r);
    const int count = RecordCount();
    SetGridFocus(count == 0 ? 1 : std::min(row, count), m_shape.focusColumn);
    m_pGrid->Invalidate();
    AfterListChange();
    RecordEdit();
}

void CListTableView::OnUpdateInsert(CCmdUI* ui)
{
    ui->Enable(CanInsert());
}

void CListTableView::OnUpdateDelete(CCmdUI* ui)
{
    ui->Enable(RecordCount() > 0);
}

void CListTableView::OnEditCopy()
{
    if (m_pGrid)
        m_pGrid->OnEditCopy();
}

void CListTableView::OnEditPaste()
{
    if (m_pGrid)
        m_pGrid->OnEditPaste();
}

void CListTableView::ShowLineInAxisTables(int axis, int line)
{
    const ModelStore& m = TheEngine().model;
    const int n = m.axes[static_cast<std::size_t>(axis)].n;
    const bool mirrored = m.rcl && axis == 2;
    if (CGridView* grid = FindOpenView<CGridView>()) {
        // The interval that starts at the line (the last one at the end).
        const int row = mirrored ? n - line + 1 : line + 1;
        grid->GoToCell(std::min(row, n), axis + 1);
    }
    if (CCoordView* coords = FindOpenView<CCoordView>())
        coords->GoToCell(kernels::RowOfLine(std::clamp(line, 0, n), n, mirrored), axis + 1);
}

void CListTableView::ShowFunction(const FunctionName& name)
{
    if (name.IsNone())
        return;
    if (CFuncView* functions = FindOpenView<CFuncView>())
        functions->GoToFunction(name);
}

bool CListTableView::IsActiveTable() const
{
    auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    CMDIChildWnd* child = main ? main->MDIGetActive() : nullptr;
    return child && child->GetActiveView() == this;
}

void CListTableView::FormatSwatchCell(int row, int col, int colour)
{
    const COLORREF bk = colour >= 0 && colour < kColourCount
                            ? TheEngine().model.colours[static_cast<std::size_t>(colour)].displayColour
                            : m_crButtonFace;
    SetBodyCell(row, col, "", GVIS_READONLY, DT_LEFT, bk);
}

void CListTableView::FormatBcValueCell(int row, int col, bool applies, float value,
                                       const FunctionName& reference)
{
    if (applies)
        SetBodyCell(row, col, BcValueText(value, reference), common::GVIS_TEXT, DT_RIGHT, m_crWindow);
    else
        FormatDisabledCell(row, col, DT_RIGHT);
}

void CListTableView::StartValueEditor(int row, int col, float value, const FunctionName& reference)
{
    if (reference.IsNone() && !(m_pGrid->GetItemState(row, col) & GVIS_READONLY))
        m_pGrid->SetItemText(row, col, ExactFloatText(value));
}

void CListTableView::BeginBcEdit(int row, int col, const BcCells& bc, bool applies)
{
    if (col == bc.typeColumn && applies) {
        bc.type = bc.type == 0 ? 1 : 0;
        FormatRow(row);
        RecordEdit();
    } else if (col == bc.typeColumn + 1) {
        StartValueEditor(row, col, bc.temperature, bc.temperatureFunc);
    } else if (col == bc.typeColumn + 2) {
        StartValueEditor(row, col, bc.second, bc.secondFunc);
    }
}

bool CListTableView::StoreBcCell(int row, int col, const std::string& text, const BcCells& bc)
{
    if (col == bc.typeColumn + 1) {
        StoreBcValue(TheEngine().model, text, 'T', bc.temperature, bc.temperatureFunc, "T00");
    } else if (col == bc.typeColumn + 2) {
        const char defaultName[] = {bc.secondLetter, '0', '0', '\0'};
        StoreBcValue(TheEngine().model, text, bc.secondLetter, bc.second, bc.secondFunc, defaultName);
    } else {
        return false;
    }
    FormatCell(row, col);
    ShowBcFunction(bc, true);
    return true;
}

void CListTableView::ShowBcFunction(const BcCells& bc, bool applies)
{
    if (!applies)
        return;
    if (m_nFocusCol == bc.typeColumn + 1 && bc.type == 0)
        ShowFunction(bc.temperatureFunc);
    else if (m_nFocusCol == bc.typeColumn + 2 && bc.type == 1)
        ShowFunction(bc.secondFunc);
}

void CListTableView::FormatColourPairCell(int row, int col, int first, int second)
{
    const int colour = col == 1 || col == 3 ? first : second;
    if (col <= 2)
        FormatSwatchCell(row, col, colour);
    else
        SetBodyCell(row, col, colour >= 0 ? std::to_string(colour) : std::string(), common::GVIS_UNSIGNED,
                    DT_LEFT, m_crWindow);
}

void CListTableView::RepaintIfLinked(int previousRow, int kind)
{
    if (m_nFocusRow != previousRow && g_graphView && g_graphView->m_overlayKind == kind)
        g_graphView->Invalidate(FALSE);
}

BOOL CListTableView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_INSERT_BEFORE, &CListTableView::OnInsertBefore),
        ::OnUpdate(ID_INSERT_BEFORE, &CListTableView::OnUpdateInsert),
        ::OnCommand(ID_INSERT_AFTER, &CListTableView::OnInsertAfter),
        ::OnUpdate(ID_INSERT_AFTER, &CListTableView::OnUpdateInsert),
        ::OnCommand(ID_DELETE, &CListTableView::OnDelete),
        ::OnUpdate(ID_DELETE, &CListTableView::OnUpdateDelete),
        ::OnCommand(ID_EDIT_COPY, &CListTableView::OnEditCopy),
        ::OnCommand(ID_EDIT_PASTE, &CListTableView::OnEditPaste),
    };
    if (nID == ID_INSERT_BEFORE && !m_shape.insertBefore)
        return CGelmarTableView::OnCmdMsg(nID, nCode, pCmdUI);
    return map.Dispatch(this, nID, nCode, pCmdUI) || CGelmarTableView::OnCmdMsg(nID, nCode, pCmdUI);
}

void CListTableView::TakeFocusAsLinkedTable(int kind, CWnd* pOldWnd)
{
    CloseFunctionGraph();
    LeaveMinimumGrid();
    LinkGraphView(kind, true);
    CListTableView::OnSetFocus(pOldWnd);
}

} // namespace gelmar
