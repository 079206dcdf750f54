// The Functions table and its link to the function graph.
#include "gelmar/app/FuncView.h"

#include "common/core/NumberText.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/BorderView.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MaterView.h"
#include "gelmar/app/NodeView.h"
#include "gelmar/app/VentView.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/editing/FunctionEdits.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/functions/FunctionServices.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

#include <cstring>

namespace gelmar {

namespace {

using common::GVIS_READONLY;
using common::GVIS_REAL;
using common::GVIS_TEXT;

constexpr int kColumns = 10;

// Posted to itself when the table takes the focus: the graph opens once
// the focus change is over.
constexpr UINT kOpenGraph = WM_APP + 23;

bool FileOnly(const FunctionRecord& f)
{
    return f.name.text[0] != '\0' && std::strchr(kFileOnlyFunctionLetters, f.name.text[0]);
}

bool HasNoRange(const FunctionRecord& f)
{
    return f.rangeXMin == 0 && f.rangeXMax == 0 && f.rangeYMin == 0 && f.rangeYMax == 0;
}

} // namespace

CFuncView::CFuncView()
    : CListTableView({ModelList::Functions, kColumns, 1, 10009, kUndoFunctions, 1, 1, kColumns - 1,
                      IDS_DELETE_FUNCTION, true})
{
}

CFuncFrame::CFuncFrame() : CTableFrame(IDS_FUNCTIONS) {}

void CFuncFrame::OnClose()
{
    if (g_funcGraphView)
        if (CFrameWnd* graph = g_funcGraphView->GetParentFrame())
            graph->PostMessage(WM_CLOSE);
    CTableFrame::OnClose();
}

void CFuncView::RecomputeGraph()
{
    if (g_funcGraphView) {
        g_funcGraphView->ComputeGraphRange();
        g_funcGraphView->Invalidate(TRUE);
    }
}

// A table just opened takes the focus.
void CFuncView::OnInitialUpdate()
{
    CListTableView::OnInitialUpdate();
    PostMessage(kOpenGraph);
}

void CFuncView::FillTable()
{
    // A function read from a data file has no display range until it is
    // loaded for display; the graph needs one.
    for (std::size_t f = 0; f < TheEngine().model.functions.count; ++f)
        if (HasNoRange(TheEngine().model.functions[f]))
            LoadFunctionForDisplay(TheEngine().model, TheEngine().run, Host(), f);
    CListTableView::FillTable();
}

void CFuncView::FillHeader()
{
    for (int c = 0; c < kColumns; ++c)
        SetHeaderCell(c, platform::LoadString(IDS_FUNCTIONS_HEADER_FIRST + static_cast<UINT>(c)),
                      RGB(0, 0, 0), c <= 3 ? DT_LEFT : DT_RIGHT, &g_tableFont);
}

void CFuncView::FormatCell(int row, int col)
{
    const int f = RecordFromRow(row);
    if (!m_pGrid || f < 0 || col < 0 || col >= kColumns)
        return;
    if (col == 0) {
        FormatNumberCell(row);
        return;
    }
    const FunctionRecord& r = TheEngine().model.functions[static_cast<std::size_t>(f)];
    switch (col) {
    case 1:
        SetBodyCell(row, col, std::string(r.name.View()), GVIS_TEXT, DT_LEFT, m_crWindow);
        return;
    case 2:
        SetBodyCell(row, col, FunctionShapeName(r.shape), GVIS_READONLY, DT_LEFT,
                    FileOnly(r) ? m_crInfoBk : m_crWindow);
        return;
    case 3:
        if (r.shape == 0)
            SetBodyCell(row, col, r.fileTitle, GVIS_READONLY, DT_LEFT, m_crWindow);
        else
            FormatDisabledCell(row, col, DT_LEFT);
        return;
    default: {
        const int p = col - 4;
        if (p < FunctionParameterCount(r.shape))
            SetBodyCell(row, col, common::FormatDecimals(r.params[p], -1), GVIS_REAL, DT_RIGHT, m_crWindow);
        else
            FormatDisabledCell(row, col, DT_RIGHT);
        return;
    }
    }
}

void CFuncView::GoToCell(int row, int col)
{
    CListTableView::GoToCell(row, col);
    RecomputeGraph();
}

void CFuncView::GoToFunction(const FunctionName& name)
{
    for (std::size_t f = 0; f < TheEngine().model.functions.count; ++f)
        if (TheEngine().model.functions[f].name == name) {
            GoToCell(static_cast<int>(f) + 1, 1);
            return;
        }
}

void CFuncView::OnSetFocus(CWnd* pOldWnd)
{
    LinkGraphView(kLinkNone, false);
    if (g_funcGraphView)
        RecomputeGraph();
    else
        PostMessage(kOpenGraph);
    CListTableView::OnSetFocus(pOldWnd);
}

LRESULT CFuncView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kOpenGraph) {
        auto* doc = dynamic_cast<CGelmarDoc*>(GetDocument());
        if (!g_funcGraphView && doc) {
            doc->OnFunctionGraph();
            // The keyboard stays with the table.
            if (auto* frame = dynamic_cast<CMDIChildWnd*>(GetParentFrame()))
                frame->MDIActivate();
        }
        RecomputeGraph();
        return 0;
    }
    return CListTableView::WindowProc(message, wParam, lParam);
}

void CFuncView::OnGridFocusChanged(int row, int col)
{
    const int previous = m_nFocusRow;
    CListTableView::OnGridFocusChanged(row, col);
    if (row != previous)
        RecomputeGraph();
}

void CFuncView::OnGridBeginEdit(int row, int col, UINT)
{
    const int f = RecordFromRow(row);
    if (f < 0)
        return;
    const std::size_t index = static_cast<std::size_t>(f);
    FunctionRecord& r = TheEngine().model.functions[index];
    if (col == 2 || col == 3) {
        const FunctionRecord before = r;
        if (col == 2 && StepFunctionShape(TheEngine().model, index))
            FillTable();
        if (col == 3 && r.shape == 0) {
            BrowseFunctionFile(TheEngine().model, TheEngine().view, Host(), index);
            FormatCell(row, col);
        }
        // A click that changed nothing (a file function's type, a cancelled
        // dialog) is no edit.
        if (TheEngine().model.functions[index] == before)
            return;
        RecordEdit();
        m_pGrid->Invalidate();
        LoadFunctionForDisplay(TheEngine().model, TheEngine().run, Host(), index);
        return;
    }
    // The editor starts from the full value, not the rounded one shown.
    if (col >= 4 && col - 4 < FunctionParameterCount(r.shape))
        m_pGrid->SetItemText(row, col, ExactFloatText(r.params[col - 4]));
}

void CFuncView::OnGridEndEdit(int row, int col, bool modified)
{
    const int f = RecordFromRow(row);
    if (f < 0)
        return;
    if (!modified) {
        FormatCell(row, col);
        return;
    }
    const std::size_t index = static_cast<std::size_t>(f);
    const std::string text = m_pGrid->GetItemText(row, col);
    if (col == 1) {
        const bool renamed = RenameFunction(TheEngine().model, index, text, Host());
        FillTable();
        if (!renamed)
            return;
    } else if (col >= 4) {
        EditFunctionParameter(TheEngine().model, index, col - 4, text);
        FormatCell(row, col);
    } else {
        FormatCell(row, col);
        return;
    }
    RecordEdit();
    m_pGrid->Invalidate();
    LoadFunctionForDisplay(TheEngine().model, TheEngine().run, Host(), index);
}

bool CFuncView::CanInsert() const
{
    return CanInsertFunction(TheEngine().model, static_cast<std::size_t>(std::max(FocusRecord(), 0)));
}

bool CFuncView::InsertIntoModel(std::size_t at)
{
    const int focus = FocusRecord();
    const bool after = focus >= 0 && static_cast<int>(at) > focus;
    const std::optional<std::size_t> added = InsertFunction(
        TheEngine().model, static_cast<std::size_t>(std::max(focus, 0)), after, Host());
    if (!added)
        return false;
    LoadFunctionForDisplay(TheEngine().model, TheEngine().run, Host(), *added);
    return true;
}

bool CFuncView::DeleteFromModel(std::size_t at)
{
    const FunctionName name = TheEngine().model.functions[at].name;
    if (!DeleteListRecord(TheEngine().model, ModelList::Functions, at))
        return false;
    const ClearedReferences cleared = ClearFunctionReferences(TheEngine().model, name);
    if (cleared.colours)
        RefillIfOpen<CColorView>();
    if (cleared.nodeBcs)
        RefillIfOpen<CNodeView>();
    if (cleared.borderBcs)
        RefillIfOpen<CBorderView>();
    if (cleared.materialBcs)
        RefillIfOpen<CMaterView>();
    if (cleared.ventFlows)
        RefillIfOpen<CVentView>();
    return true;
}

void CFuncView::AfterListChange()
{
    UpdateAllViews();
    RecomputeGraph();
}

BOOL CFuncView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    const bool zoom = nID == ID_ROTATE || (nID >= ID_ZOOM_WINDOW && nID <= ID_PAN);
    if (!zoom)
        return CListTableView::OnCmdMsg(nID, nCode, pCmdUI);
    if (g_funcGraphView)
        return g_funcGraphView->OnCmdMsg(nID, nCode, pCmdUI);
    if (nCode == CN_UPDATE_COMMAND_UI && pCmdUI) {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(0);
    }
    return TRUE;
}

} // namespace gelmar
