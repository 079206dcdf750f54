// Stand-ins of the graphics windows the 3D view and the preview do not
// replace: the function graph pair and the isoflux flag.
#include "gelmar/app/GraphViews.h"

#include "gelmar/app/MainFrame.h"

namespace gelmar {

bool g_isofluxActive = false;

void EndIsofluxDrawing()
{
    g_isofluxActive = false;
}

void CFuncGraphView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    ArrangeMainFrameViews();
}

void CFuncGraphFrame::OnClose()
{
    CMDIChildWnd::OnClose();
    ArrangeMainFrameViews();
}

} // namespace gelmar
