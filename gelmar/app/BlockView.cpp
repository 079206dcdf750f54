// The Blocks table.
#include "gelmar/app/BlockView.h"
#include "gelmar/model/store/Engine.h"

#include "common/kernels/TableAxes.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/ClipViews.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/CommandDialogs.h"
#include "gelmar/app/CoordView.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/GridView.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/model/editing/ArrangeBlocksCommand.h"
#include "gelmar/model/editing/BlockEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/Folders.h"
#include "platform/core/StringTable.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

constexpr UINT kBlockGridId = 10001;
constexpr int kColumns = 9;

// Kept while the program runs: the dialogs open with the last choices.
kernels::TransformSettings g_transform;
int g_arrangeChoice = 0; // 0 superposition, 1 juxtaposition

bool IsConductive(int type)
{
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

// Light red, green and blue behind the bounds of a material block.
COLORREF BoundTint(int col)
{
    const int axis = (col - 3) / 2;
    return axis == 0 ? RGB(255, 225, 225) : axis == 1 ? RGB(225, 255, 225) : RGB(225, 225, 255);
}

COLORREF HeaderColour(int col)
{
    if (col < 3)
        return RGB(0, 0, 0);
    const int axis = (col - 3) / 2;
    return axis == 0 ? RGB(255, 0, 0) : axis == 1 ? RGB(0, 255, 0) : RGB(0, 0, 255);
}

bool Rcl()
{
    return TheEngine().model.rcl != 0;
}

} // namespace

CBlockFrame::CBlockFrame() : CTableFrame(IDS_BLOCKS) {}

int CBlockView::BlockFromRow(int row) const
{
    const auto& blocks = TheEngine().model.blocks;
    return kernels::BlockFromRow(row, blocks.count, m_listMode == 1, m_listedColour,
                                 [&blocks](int b) { return blocks[static_cast<std::size_t>(b)].colour; });
}

int CBlockView::ListedCount() const
{
    const auto& blocks = TheEngine().model.blocks;
    if (m_listMode == 0)
        return blocks.count;
    int n = 0;
    for (std::size_t b = 0; b < blocks.count; ++b)
        n += blocks[b].colour == m_listedColour;
    return n;
}

void CBlockView::OnInitialUpdate()
{
    InitialUpdateTable(kColumns, 1, 2, kBlockGridId, 1, 2);
}

void CBlockView::OnDraw(CDC* pDC)
{
    CGelmarTableView::OnDraw(pDC);
}

void CBlockView::FillTable()
{
    if (!m_pGrid)
        return;
    const int rows = ListedCount();
    m_pGrid->SetRowCount(rows + 1);
    static const char* const kBounds[2][6] = {{"Xmin", "Xmax", "Ymin", "Ymax", "Zmin", "Zmax"},
                                              {"Rmin", "Rmax", "Cmin", "Cmax", "Lmin", "Lmax"}};
    for (int c = 0; c < kColumns; ++c) {
        const std::string text = c == 0   ? platform::LoadString(IDS_NUMBER_HEADER)
                                 : c == 1 ? std::string("   ")
                                 : c == 2 ? platform::LoadString(IDS_COLOUR_HEADER)
                                          : std::string(kBounds[Rcl() ? 1 : 0][c - 3]);
        SetHeaderCell(c, text, HeaderColour(c), c < 3 ? DT_LEFT : DT_RIGHT, &g_tableFont);
    }
    for (int r = 1; r <= rows; ++r)
        FormatRow(r);
    if (m_nFocusRow > rows)
        m_nFocusRow = std::max(rows, 1);
    m_pGrid->Invalidate();
}

void CBlockView::FormatRow(int row)
{
    for (int c = 0; c < kColumns; ++c)
        FormatCell(row, c);
}

void CBlockView::FormatCell(int row, int col)
{
    if (!m_pGrid || row < 1 || row >= m_pGrid->GetRowCount())
        return;
    const int b = BlockFromRow(row);
    if (b < 0)
        return;
    const ModelStore& m = TheEngine().model;
    const BlockRecord& block = m.blocks[static_cast<std::size_t>(b)];
    const ColourRecord& colour = m.colours[block.colour];
    using namespace common;
    if (col == 0) {
        SetBodyCell(row, 0, std::to_string(b + 1), GVIS_READONLY, DT_LEFT, m_crButtonFace);
        m_pGrid->SetItemFont(row, 0, &g_tableFont);
        return;
    }
    if (col == 1) {
        SetBodyCell(row, 1, "", GVIS_READONLY, DT_LEFT, colour.displayColour);
        return;
    }
    const UINT base = m_pGrid->GetItemState(row, col) & ~0x3E08u & ~GVIS_FOCUSED;
    const bool bc = !IsConductive(colour.type);
    COLORREF bk = col >= 3 && !bc ? BoundTint(col) : m_crWindow;
    UINT state = base | GVIS_UNSIGNED;
    std::string text;
    if (col == 2) {
        text = std::to_string(block.colour);
        if (m_listMode == 1) {
            state = base | GVIS_READONLY;
            bk = m_crInfoBk;
        }
    } else {
        text = std::to_string(kernels::ShownBlockBound(BoxOf(block), col - 3, m.axes[2].n, Rcl()));
    }
    if (IsBlockSelected(block))
        bk = bc ? RGB(115, 185, 185) : RGB(145, 225, 225);
    SetBodyCell(row, col, text, state, col <= 2 ? DT_LEFT : DT_RIGHT, bk);
}

void CBlockView::GoToCell(int block, int col)
{
    if (!m_pGrid)
        return;
    const auto& blocks = TheEngine().model.blocks;
    const int row = kernels::RowOfBlock(block, blocks.count, m_listMode == 1, m_listedColour,
                                        [&blocks](int b) { return blocks[static_cast<std::size_t>(b)].colour; });
    if (row >= m_pGrid->GetRowCount())
        return;
    SetGridFocus(row, std::clamp(col, 2, kColumns - 1));
}

void CBlockView::SetListMode(int mode, int colour, int block)
{
    m_listMode = mode;
    m_listedColour = colour;
    FillTable();
    GoToCell(block < 0 ? 0 : block, 2);
    Invalidate(FALSE);
}

void CBlockView::OnSetFocus(CWnd* pOldWnd)
{
    CloseFunctionGraph();
    LeaveMinimumGrid();
    if (g_graphView && TheEngine().model.blocks.count > 0) {
        const int previous = LinkedTableKind();
        LinkGraphView(kLinkBlocks, previous == kLinkGrid || previous == kLinkMinGrid || previous == kLinkCoordinates);
    }
    CGelmarTableView::OnSetFocus(pOldWnd);
}

void CBlockView::OnGridFocusChanged(int row, int col)
{
    CGelmarTableView::OnGridFocusChanged(row, col);
    if (LinkedTableKind() == kLinkBlocks) {
        SyncLinkedViews();
        UpdateAllViews();
    }
}

void CBlockView::SyncLinkedViews()
{
    // The linked tables answer with focus changes of their own; one round
    // is enough.
    static bool syncing = false;
    const int b = FocusBlock();
    if (syncing || b < 0)
        return;
    syncing = true;
    const ModelStore& m = TheEngine().model;
    const BlockRecord& block = m.blocks[static_cast<std::size_t>(b)];
    if (CColorView* colours = FindOpenView<CColorView>())
        colours->GoToCell(block.colour, 2);
    if (CClipColorView* clip = FindOpenView<CClipColorView>())
        clip->GoToCell(block.colour, 5);
    if (m_nFocusCol >= 3 && m_nFocusCol <= 8) {
        const int axis = (m_nFocusCol - 3) / 2;
        const bool lower = (m_nFocusCol - 3) % 2 == 0;
        const kernels::BlockBox box = BoxOf(block);
        const int n = m.axes[static_cast<std::size_t>(axis)].n;
        const bool mirrored = Rcl() && axis == 2;
        // The interval just inside the bound, and the bound's line.
        const int interval = lower ? box[2 * axis] : box[2 * axis + 1] - 1;
        const int line = box[2 * axis + (lower ? 0 : 1)];
        if (CGridView* grid = FindOpenView<CGridView>()) {
            grid->FillTable();
            grid->GoToCell(kernels::RowOfInterval(interval, n, mirrored), axis + 1);
        }
        if (CCoordView* coords = FindOpenView<CCoordView>())
            coords->GoToCell(kernels::RowOfLine(line, n, mirrored), axis + 1);
    }
    if (m_pGrid)
        m_pGrid->SetFocus();
    syncing = false;
}

void CBlockView::ClearMarks()
{
    ClearBlockSelection(TheEngine().model);
}

void CBlockView::RefreshChain(bool syncLinked)
{
    InvalidateResults();
    UpdateUsedColoursAndTables();
    UpdateModelView();
    RecordTableEdit(kUndoBlocks, std::max(FocusBlock(), 0), m_nFocusCol);
    if (syncLinked) {
        SyncLinkedViews();
        UpdateAllViews();
    }
}

void CBlockView::OnGridEndEdit(int row, int col, bool modified)
{
    const int b = BlockFromRow(row);
    if (b < 0)
        return;
    if (!modified) {
        FormatCell(row, col);
        return;
    }
    const std::string text = m_pGrid->GetItemText(row, col);
    const BlockRecord before = TheEngine().model.blocks[static_cast<std::size_t>(b)];
    EditBlockCell(TheEngine().model, TheEngine().view, static_cast<std::size_t>(b), col, text);
    const bool hadSelection = ClearBlockSelection(TheEngine().model);
    // The cell shows the stored value again when the entry was refused;
    // a new colour changes the whole row, a bound may move its partner.
    const bool rowChanged = col == 2 && !(before == TheEngine().model.blocks[static_cast<std::size_t>(b)]);
    if (m_listMode == 1 && rowChanged) {
        FillTable();
    } else if (hadSelection) {
        FillTable();
    } else {
        FormatRow(row);
    }
    RefreshChain(true);
}

void CBlockView::InsertRow(bool after)
{
    const int focus = FocusBlock();
    const std::size_t at =
        focus < 0 ? TheEngine().model.blocks.count : static_cast<std::size_t>(after ? focus + 1 : focus);
    if (!InsertBlock(TheEngine().model, TheEngine().view, Host(), at))
        return;
    ClearMarks();
    FillTable();
    SetGridFocus(static_cast<int>(at) + 1, 2);
    RefreshChain(true);
}

void CBlockView::OnDelete()
{
    ModelStore& m = TheEngine().model;
    const int focus = FocusBlock();
    if (focus < 0)
        return;
    if (BlockSelectionRange(m).Empty()) {
        m.blocks[static_cast<std::size_t>(focus)].flags |= kBlockSelected;
        FormatRow(m_nFocusRow);
    }
    MarkRow(m_nFocusRow, 2, 8, true);
    if (AfxMessageBox(IDS_DELETE_BLOCKS, MB_YESNO) != IDYES) {
        MarkRow(m_nFocusRow, 2, 8, false);
        return;
    }
    // The focus row moves up by the deleted blocks above it.
    int row = m_nFocusRow;
    for (int b = 0; b < focus; ++b)
        row -= IsBlockSelected(m.blocks[static_cast<std::size_t>(b)]) ? 1 : 0;
    DeleteSelectedBlocks(m);
    FillTable();
    row = std::clamp(row, 1, std::max(1, static_cast<int>(m.blocks.count)));
    SetGridFocus(row, 2);
    InvalidateResults();
    UpdateUsedColoursAndTables();
    UpdateModelView();
    RecordTableEdit(kUndoBlocks, std::max(FocusBlock(), 0), m_nFocusCol);
}

void CBlockView::OnEditCopy()
{
    if (m_pGrid)
        m_pGrid->OnEditCopy();
}

void CBlockView::OnEditPaste()
{
    if (m_pGrid)
        m_pGrid->OnEditPaste();
}

void CBlockView::OnDuplicate()
{
    ModelStore& m = TheEngine().model;
    int focus = FocusBlock();
    if (focus < 0)
        return;
    if (BlockSelectionRange(m).Empty())
        m.blocks[static_cast<std::size_t>(focus)].flags |= kBlockSelected;
    const kernels::SelectionRange sel = BlockSelectionRange(m);
    if (focus >= sel.first && focus < sel.last)
        focus = sel.last;
    if (!DuplicateSelection(m, Host(), static_cast<std::size_t>(focus)))
        return;
    FillTable();
    SetGridFocus(focus + 1, m_nFocusCol);
    RefreshChain(true);
}

void CBlockView::OnMoveSelection()
{
    const int focus = FocusBlock();
    if (focus < 0)
        return;
    MoveSelection(TheEngine().model, static_cast<std::size_t>(focus));
    FillTable();
    RefreshChain(true);
}

void CBlockView::RefillAxisTables()
{
    if (CGridView* grid = FindOpenView<CGridView>())
        grid->FillTable();
    if (CCoordView* coords = FindOpenView<CCoordView>())
        coords->FillTable();
    if (CClipView* clip = FindOpenView<CClipView>())
        clip->FillTable();
    // The node BCs' grid points follow a rebuilt grid.
    if (CNodeView* nodes = FindOpenView<CNodeView>())
        nodes->Invalidate();
}

void CBlockView::OnTransformCoordinates()
{
    ModelStore& m = TheEngine().model;
    const int focus = FocusBlock();
    if (focus < 0)
        return;
    if (BlockSelectionRange(m).Empty())
        m.blocks[static_cast<std::size_t>(focus)].flags |= kBlockSelected;
    CDlgTransformCoordinates dlg(TheEngine().model);
    dlg.m_type = g_transform.type;
    dlg.m_tx = g_transform.translation[0];
    dlg.m_ty = g_transform.translation[1];
    dlg.m_tz = g_transform.translation[2];
    dlg.m_axis = g_transform.axis;
    dlg.m_angle = g_transform.angle;
    dlg.m_sx = g_transform.scale[0];
    dlg.m_sy = g_transform.scale[1];
    dlg.m_sz = g_transform.scale[2];
    if (dlg.DoModal() != IDOK) {
        FillTable();
        return;
    }
    g_transform.type = dlg.m_type;
    g_transform.translation[0] = dlg.m_tx;
    g_transform.translation[1] = dlg.m_ty;
    g_transform.translation[2] = dlg.m_tz;
    g_transform.axis = dlg.m_axis;
    g_transform.angle = dlg.m_angle;
    g_transform.scale[0] = dlg.m_sx;
    g_transform.scale[1] = dlg.m_sy;
    g_transform.scale[2] = dlg.m_sz;
    CWaitCursor wait;
    InvalidateResults();
    if (!TransformSelectedBlocks(m, Host(), g_transform)) {
        FillTable();
        return;
    }
    FillTable();
    RefillAxisTables();
    RefreshChain(true);
}

void CBlockView::OnInsertFile()
{
    const std::string folder = platform::FolderOf(TheEngine().model.dataFilePath);
    const std::string initial = folder.empty() ? "*.glm" : folder + "/*.glm";
    const std::string filter = platform::LoadString(IDS_GELMAR_FILTER);
    CFileDialog dlg(TRUE, "glm", initial.c_str(), OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                    filter.c_str(), AfxGetMainWnd());
    if (dlg.DoModal() != IDOK)
        return;
    CWaitCursor wait;
    const int focus = std::max(FocusBlock(), 0);
    const std::size_t added = InsertBlocksFromFile(TheEngine().model, TheEngine().parameters, Host(),
                                                   dlg.GetPathName(), static_cast<std::size_t>(focus));
    if (added == 0)
        return;
    FillTable();
    Invalidate(FALSE);
    RefillAxisTables();
    RefreshChain(true);
}

void CBlockView::OnSwitchSelect()
{
    const int b = FocusBlock();
    if (b < 0)
        return;
    TheEngine().model.blocks[static_cast<std::size_t>(b)].flags ^= kBlockSelected;
    FormatRow(m_nFocusRow);
    Invalidate(FALSE);
}

void CBlockView::OnSwitchSelectDown()
{
    const int b = FocusBlock();
    if (b < 0)
        return;
    ToggleBlockRun(TheEngine().model, static_cast<std::size_t>(b), +1, m_listMode == 1, m_listedColour);
    FillTable();
}

void CBlockView::OnSwitchSelectUp()
{
    const int b = FocusBlock();
    if (b < 0)
        return;
    ToggleBlockRun(TheEngine().model, static_cast<std::size_t>(b), -1, m_listMode == 1, m_listedColour);
    FillTable();
}

void CBlockView::OnSelectAll()
{
    auto& blocks = TheEngine().model.blocks;
    for (std::size_t b = 0; b < blocks.count; ++b)
        if (m_listMode == 0 || blocks[b].colour == m_listedColour)
            blocks[b].flags |= kBlockSelected;
    FillTable();
}

void CBlockView::OnDeselectAll()
{
    ClearMarks();
    FillTable();
}

void CBlockView::OnArrangeBlocks()
{
    CDlgOptimiseBlocks dlg;
    dlg.m_mode = g_arrangeChoice;
    if (dlg.DoModal() != IDOK)
        return;
    g_arrangeChoice = dlg.m_mode;
    CWaitCursor wait;
    InvalidateResults();
    const ArrangeOutcome outcome = ArrangeBlocks(TheEngine().model, Host(), g_arrangeChoice == 0 ? 1 : 0);
    FillTable();
    SetGridFocus(1, 2);
    Invalidate(FALSE);
    if (outcome == ArrangeOutcome::OutOfMemory) {
        AfxMessageBox(IDS_NO_MEMORY, MB_OK);
        return;
    }
    if (outcome != ArrangeOutcome::Done)
        return;
    UpdateModelView();
    RecordTableEdit(kUndoBlocks, std::max(FocusBlock(), 0), m_nFocusCol);
}

void CBlockView::OnNewColour()
{
    const int b = FocusBlock();
    if (b < 0)
        return;
    const int old = TheEngine().model.blocks[static_cast<std::size_t>(b)].colour;
    CDlgNewColour dlg;
    dlg.m_oldColour = old;
    dlg.m_newColour = old;
    if (dlg.DoModal() != IDOK || dlg.m_newColour == old)
        return;
    RecolourBlocks(TheEngine().model, old, dlg.m_newColour);
    ClearMarks();
    FillTable();
    RefreshChain(true);
}

void CBlockView::OnListAll()
{
    SetListMode(0, m_listedColour, FocusBlock());
}

void CBlockView::OnListSameColour()
{
    const int b = FocusBlock();
    if (b < 0)
        return;
    SetListMode(1, TheEngine().model.blocks[static_cast<std::size_t>(b)].colour, b);
}

void CBlockView::OnUpdateListModeZero(CCmdUI* ui)
{
    ui->Enable(m_listMode == 0);
}

void CBlockView::OnUpdateDelete(CCmdUI* ui)
{
    const ModelStore& m = TheEngine().model;
    bool someUnselected = false;
    for (std::size_t b = 0; b < m.blocks.count && !someUnselected; ++b)
        someUnselected = !IsBlockSelected(m.blocks[b]);
    ui->Enable(m_listMode == 0 && m.blocks.count >= 2 && someUnselected);
}

void CBlockView::OnUpdateDuplicate(CCmdUI* ui)
{
    ui->Enable(m_listMode == 0 && BlockSelectionRange(TheEngine().model).contiguous);
}

void CBlockView::OnUpdateMoveSelection(CCmdUI* ui)
{
    const kernels::SelectionRange sel = BlockSelectionRange(TheEngine().model);
    const int focus = FocusBlock();
    ui->Enable(m_listMode == 0 && TheEngine().model.blocks.count >= 2 && !sel.Empty() && sel.contiguous &&
               sel.last - sel.first + 1 < TheEngine().model.blocks.count && focus >= 0 &&
               (focus < sel.first || focus > sel.last));
}

void CBlockView::OnUpdateSwitchSelect(CCmdUI* ui)
{
    const int b = FocusBlock();
    ui->Enable(b >= 0);
    ui->SetCheck(b >= 0 && IsBlockSelected(TheEngine().model.blocks[static_cast<std::size_t>(b)]));
}

void CBlockView::OnUpdateFocusBlock(CCmdUI* ui)
{
    ui->Enable(FocusBlock() >= 0);
}

void CBlockView::OnUpdateSelectAll(CCmdUI* ui)
{
    bool any = false, all = true;
    const auto& blocks = TheEngine().model.blocks;
    for (std::size_t b = 0; b < blocks.count; ++b) {
        const BlockRecord& r = blocks[b];
        if (m_listMode == 1 && r.colour != m_listedColour)
            continue;
        any = true;
        all = all && IsBlockSelected(r);
    }
    ui->Enable(any && !all);
    ui->SetCheck(any && all);
}

void CBlockView::OnUpdateDeselectAll(CCmdUI* ui)
{
    ui->Enable(!BlockSelectionRange(TheEngine().model).Empty());
}

void CBlockView::OnUpdateListAll(CCmdUI* ui)
{
    ui->Enable(m_listMode != 0);
    ui->SetCheck(m_listMode == 0);
}

void CBlockView::OnUpdateListSameColour(CCmdUI* ui)
{
    ui->Enable(m_listMode != 1 && FocusBlock() >= 0);
    ui->SetCheck(m_listMode == 1);
}

BOOL CBlockView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        ::OnCommand(ID_INSERT_BEFORE, &CBlockView::OnInsertBefore),
        ::OnUpdate(ID_INSERT_BEFORE, &CBlockView::OnUpdateListModeZero),
        ::OnCommand(ID_INSERT_AFTER, &CBlockView::OnInsertAfter),
        ::OnUpdate(ID_INSERT_AFTER, &CBlockView::OnUpdateListModeZero),
        ::OnCommand(ID_DELETE, &CBlockView::OnDelete),
        ::OnUpdate(ID_DELETE, &CBlockView::OnUpdateDelete),
        ::OnCommand(ID_EDIT_COPY, &CBlockView::OnEditCopy),
        ::OnCommand(ID_EDIT_PASTE, &CBlockView::OnEditPaste),
        ::OnCommand(ID_BLOCKS_COPY, &CBlockView::OnDuplicate),
        ::OnUpdate(ID_BLOCKS_COPY, &CBlockView::OnUpdateDuplicate),
        ::OnCommand(ID_BLOCKS_MOVE_SELECTION, &CBlockView::OnMoveSelection),
        ::OnUpdate(ID_BLOCKS_MOVE_SELECTION, &CBlockView::OnUpdateMoveSelection),
        ::OnCommand(ID_TRANSFORM_COORDINATES, &CBlockView::OnTransformCoordinates),
        ::OnUpdate(ID_TRANSFORM_COORDINATES, &CBlockView::OnUpdateListModeZero),
        ::OnCommand(ID_INSERT_FILE, &CBlockView::OnInsertFile),
        ::OnUpdate(ID_INSERT_FILE, &CBlockView::OnUpdateListModeZero),
        ::OnCommand(ID_SWITCH_SELECT, &CBlockView::OnSwitchSelect),
        ::OnUpdate(ID_SWITCH_SELECT, &CBlockView::OnUpdateSwitchSelect),
        ::OnCommand(ID_SWITCH_SELECT_DOWN, &CBlockView::OnSwitchSelectDown),
        ::OnUpdate(ID_SWITCH_SELECT_DOWN, &CBlockView::OnUpdateFocusBlock),
        ::OnCommand(ID_SWITCH_SELECT_UP, &CBlockView::OnSwitchSelectUp),
        ::OnUpdate(ID_SWITCH_SELECT_UP, &CBlockView::OnUpdateFocusBlock),
        ::OnCommand(ID_EDIT_SELECT_ALL, &CBlockView::OnSelectAll),
        ::OnUpdate(ID_EDIT_SELECT_ALL, &CBlockView::OnUpdateSelectAll),
        ::OnCommand(ID_DESELECT_ALL, &CBlockView::OnDeselectAll),
        ::OnUpdate(ID_DESELECT_ALL, &CBlockView::OnUpdateDeselectAll),
        ::OnCommand(ID_ARRANGE_BLOCKS, &CBlockView::OnArrangeBlocks),
        ::OnCommand(ID_NEW_COLOUR, &CBlockView::OnNewColour),
        ::OnCommand(ID_BLOCKS_LIST_ALL, &CBlockView::OnListAll),
        ::OnUpdate(ID_BLOCKS_LIST_ALL, &CBlockView::OnUpdateListAll),
        ::OnCommand(ID_BLOCKS_LIST_SAME_COLOUR, &CBlockView::OnListSameColour),
        ::OnUpdate(ID_BLOCKS_LIST_SAME_COLOUR, &CBlockView::OnUpdateListSameColour),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CGelmarTableView::OnCmdMsg(nID, nCode, pCmdUI);
}

} // namespace gelmar
