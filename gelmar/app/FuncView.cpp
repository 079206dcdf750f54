// The Functions table stand-in and its link to the function graph.
#include "gelmar/app/FuncView.h"

#include "gelmar/graphics/FuncGraphView.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

// Posted to itself when the table takes the focus: the graph opens once
// the focus change is over.
constexpr UINT kOpenGraph = WM_APP + 23;

void RecomputeGraph()
{
    if (g_funcGraphView) {
        g_funcGraphView->ComputeGraphRange();
        g_funcGraphView->Invalidate(TRUE);
    }
}

} // namespace

void CFuncView::SetSelectedRow(int row)
{
    if (row == m_selectedRow)
        return;
    m_selectedRow = row;
    RecomputeGraph();
}

// A table just opened takes the focus.
void CFuncView::OnInitialUpdate()
{
    CTableStandInView::OnInitialUpdate();
    PostMessage(kOpenGraph);
}

void CFuncView::OnSetFocus(CWnd* pOldWnd)
{
    CTableStandInView::OnSetFocus(pOldWnd);
    if (g_funcGraphView)
        RecomputeGraph();
    else
        PostMessage(kOpenGraph);
}

LRESULT CFuncView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kOpenGraph) {
        CWinApp* app = AfxGetApp();
        if (!g_funcGraphView && app && GetDocument())
            app->OpenView<CFuncGraphView>(GetDocument());
        RecomputeGraph();
        return 0;
    }
    return CTableStandInView::WindowProc(message, wParam, lParam);
}

BOOL CFuncView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    const bool zoom = nID == ID_ROTATE || (nID >= ID_ZOOM_WINDOW && nID <= ID_PAN);
    if (!zoom)
        return CTableStandInView::OnCmdMsg(nID, nCode, pCmdUI);
    if (g_funcGraphView)
        return g_funcGraphView->OnCmdMsg(nID, nCode, pCmdUI);
    if (nCode == CN_UPDATE_COMMAND_UI && pCmdUI) {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(0);
    }
    return TRUE;
}

void CFuncFrame::OnClose()
{
    if (g_funcGraphView)
        if (CFrameWnd* graph = g_funcGraphView->GetParentFrame())
            graph->PostMessage(WM_CLOSE);
    CTableStandInFrame::OnClose();
}

} // namespace gelmar
