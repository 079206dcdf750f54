// The table windows until their views join the build: each shows its name
// and takes part in the fixed tiling of the main frame.
#include "gelmar/app/TableViews.h"

#include "gelmar/app/MainFrame.h"
#include "platform/ui/DC.h"

namespace gelmar {

void CTableStandInView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(255, 255, 255));
    pDC->TextOut(4, 4, m_name);
}

void CTableStandInView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetWindowText(m_name);
    ArrangeMainFrameViews();
}

void CTableStandInFrame::OnClose()
{
    CMDIChildWnd::OnClose();
    ArrangeMainFrameViews();
}

} // namespace gelmar
