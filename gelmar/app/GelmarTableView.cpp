// The shared behaviour of Gelmar's table windows and the refresh chain of a
// model edit.
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/model/store/Engine.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/ClipViews.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/GelmarApp.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/app/MinGridView.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "gelmar/model/editing/BlockEdits.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/StaleResults.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>
#include <cstring>

namespace gelmar {

LOGFONT g_tableFont;

void InitDefaultLogFont()
{
    g_tableFont = LOGFONT{};
    g_tableFont.lfHeight = -14;
    g_tableFont.lfWeight = FW_NORMAL;
    g_tableFont.lfCharSet = ANSI_CHARSET;
    g_tableFont.lfQuality = 2; // proof quality
    std::strncpy(g_tableFont.lfFaceName, "Arial Symbol1", sizeof g_tableFont.lfFaceName - 1);
}

namespace {

CGelmarDoc* ActiveDoc()
{
    auto* app = dynamic_cast<CGelmarApp*>(AfxGetApp());
    return app ? app->ActiveGelmarDoc() : nullptr;
}

} // namespace

void CGelmarTableView::OnUpdate(CView*, LPARAM, void*)
{
    Invalidate(FALSE);
}

void CGelmarTableView::InitialUpdateTable(int cols, int fixedRows, int fixedCols, UINT id, int focusRow,
                                          int focusCol)
{
    ArrangeMainFrameViews();
    CGelmarTableView::OnInitialUpdate();
    if (m_pGrid)
        return;
    CreateGrid(cols, fixedRows, fixedCols, id);
    FillTable();
    m_pGrid->AutoSize();
    if (m_pGrid->GetRowCount() > focusRow)
        SetGridFocus(focusRow, focusCol);
}

common::AxisColumn CGelmarTableView::ModelAxisColumn(int axis)
{
    const GridAxis& a = TheEngine().model.axes[static_cast<std::size_t>(axis)];
    common::AxisColumn column;
    column.axis = axis;
    column.n = a.n;
    column.widths = a.widths.data();
    column.coords = a.coords.data();
    column.flags = a.flags.data();
    column.mirrored = TheEngine().model.rcl != 0 && axis == 2;
    return column;
}

void CGelmarTableView::FillAxisTable(const char* numberHeader)
{
    if (!m_pGrid)
        return;
    CWaitCursor wait;
    MarkUsedGridLines(TheEngine().model);
    const int m =
        std::max({TheEngine().model.axes[0].n, TheEngine().model.axes[1].n, TheEngine().model.axes[2].n});
    m_pGrid->SetRowCount(m + 2);
    SetHeaderCell(0, numberHeader, RGB(0, 0, 0), DT_LEFT, &g_tableFont);
    common::SetAxisHeaders(*m_pGrid, 1, FormatGridUnitLabel(TheEngine().model), AxisLook());
    for (int r = 1; r <= m + 1; ++r)
        for (int c = 0; c < 4; ++c)
            FormatCell(r, c);
    m_pGrid->Invalidate();
}

common::AxisTableLook CGelmarTableView::AxisLook() const
{
    common::AxisTableLook look;
    look.window = m_crWindow;
    look.buttonFace = m_crButtonFace;
    look.infoBk = m_crInfoBk;
    look.font = &g_tableFont;
    look.rcl = TheEngine().model.rcl != 0;
    return look;
}

void CGelmarTableView::CloseFunctionGraph()
{
    if (g_funcGraphView)
        if (CFrameWnd* frame = g_funcGraphView->GetParentFrame())
            frame->PostMessage(WM_CLOSE);
}

void CGelmarTableView::LeaveMinimumGrid()
{
    if (FindOpenView<CMinGridView>())
        if (CDocument* doc = GetDocument())
            doc->OnCmdMsg(ID_GRID, CN_COMMAND, nullptr);
}

void CGelmarTableView::LinkGraphView(int kind, bool rebuild)
{
    if (!g_graphView)
        return;
    g_graphView->m_overlayKind = kind;
    if (rebuild && g_graphView->m_viewKind != ViewKind::Temperatures)
        g_graphView->BuildDisplayList();
    g_graphView->Invalidate(FALSE);
}

int CGelmarTableView::LinkedTableKind()
{
    return g_graphView ? g_graphView->m_overlayKind : kLinkNone;
}

void CGelmarTableView::RepaintLinkedGraph(int kind)
{
    if (!g_graphView || g_graphView->m_overlayKind != kind)
        return;
    if (g_graphView->m_viewKind != ViewKind::Temperatures)
        g_graphView->BuildDisplayList();
    g_graphView->Invalidate(FALSE);
}

void CTableFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    SetWindowText(platform::LoadString(m_titleId));
    if (CMDIFrameWnd* main = GetMDIFrame())
        main->OnUpdateFrameTitle(bAddToTitle);
}

void CTableFrame::OnClose()
{
    CMDIChildWnd::OnClose();
    ArrangeMainFrameViews();
    if (g_graphView)
        g_graphView->Invalidate(FALSE);
}

void InvalidateResults()
{
    ReleaseCalculationResults(TheEngine().run);
    if (g_graphView && g_graphView->m_viewKind == ViewKind::Temperatures)
        g_graphView->m_viewKind = ViewKind::Materials;
}

void UpdateUsedColoursAndTables()
{
    UpdateUsedColours(TheEngine().model, TheEngine().run);
    if (CColorView* colours = FindOpenView<CColorView>())
        colours->FillTable();
    if (CClipColorView* clip = FindOpenView<CClipColorView>())
        clip->FillTable();
}

void UpdateModelView()
{
    if (g_graphView)
        g_graphView->UpdateModel();
}

void RecordTableEdit(int kind, int a1, int a2)
{
    SaveUndoRecord(TheEngine().history, TheEngine().model, Host(), kind, a1, a2);
    SetDocumentModified();
}

void SetDocumentModified()
{
    if (CGelmarDoc* doc = ActiveDoc())
        doc->SetModified(TRUE);
}

void UpdateAllViews()
{
    if (CGelmarDoc* doc = ActiveDoc())
        doc->UpdateAllViews(nullptr);
}

void RefillOpenTables()
{
    CGelmarDoc* doc = ActiveDoc();
    if (!doc)
        return;
    // A refill may open or close no window, but copy the list all the same.
    const std::vector<CView*> views = doc->GetViews();
    for (CView* v : views)
        if (auto* table = dynamic_cast<CGelmarTableView*>(v))
            table->Refill();
}

} // namespace gelmar
