// CGridTitleTip: measuring, placing and hiding the tip, and handing the
// mouse and keys that reach it on to the windows underneath.
#include "common/ui/GridTitleTip.h"

#include "platform/ui/SysColor.h"

namespace common {

namespace {
constexpr const char* kTipClass = "ExTitleTip";
}

CGridTitleTip::CGridTitleTip()
{
    if (!GetClassInfo(kTipClass, nullptr)) {
        WNDCLASS wc;
        wc.style = CS_SAVEBITS | CS_DBLCLKS;
        wc.hCursor = IDC_ARROW;
        wc.hbrBackground = COLOR_INFOBK + 1;
        wc.lpszClassName = kTipClass;
        AfxRegisterClass(&wc);
    }
}

BOOL CGridTitleTip::Create(CWnd* pParentWnd)
{
    if (m_hWnd)
        return TRUE;
    m_pParentWnd = pParentWnd;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTipClass, nullptr, WS_POPUP | WS_BORDER,
                    CRect(0, 0, 10, 10), pParentWnd, 0);
}

void CGridTitleTip::Show(const CRect& rect, const std::string& text, int offset)
{
    if (!m_hWnd || !m_pParentWnd || IsWindowVisible() || !GetFocus() || text.empty())
        return;
    m_rectTitle = rect;
    m_pParentWnd->ClientToScreen(&m_rectTitle);
    m_text = " " + text + " ";
    CClientDC dc(m_pParentWnd);
    CFont* font = m_pParentWnd->GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const CSize size = dc.GetTextExtent(m_text);
    if (old)
        dc.SelectObject(old);
    if (size.cx + 2 * offset <= rect.Width() - offset)
        return; // the whole text fits the cell
    SetFont(font, FALSE);
    const int left = m_rectTitle.left + offset;
    SetWindowPos(nullptr, left, m_rectTitle.top, size.cx + offset, rect.Height(), SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    Invalidate();
    SetCapture();
}

void CGridTitleTip::Hide()
{
    if (!m_hWnd)
        return;
    if (GetCapture() == this)
        ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CGridTitleTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, GetSysColor(COLOR_INFOBK));
    CFont* font = m_pParentWnd ? m_pParentWnd->GetFont() : nullptr;
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    dc.DrawText(m_text, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old)
        dc.SelectObject(old);
}

void CGridTitleTip::Forward(UINT message, UINT nFlags, CPoint point)
{
    Hide();
    ClientToScreen(&point);
    CWnd* target = WindowFromPoint(point);
    if (!target || target == this)
        return;
    target->ScreenToClient(&point);
    target->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
}

void CGridTitleTip::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if (!m_rectTitle.PtInRect(screen))
        Forward(WM_MOUSEMOVE, nFlags, point);
}

void CGridTitleTip::OnLButtonDown(UINT nFlags, CPoint point)
{
    Forward(WM_LBUTTONDOWN, nFlags, point);
}

void CGridTitleTip::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    Forward(WM_LBUTTONDBLCLK, nFlags, point);
}

// The release of a press the tip handed on: the window system gives it to
// the tip, which had the button pressed on it, though it is hidden by now.
void CGridTitleTip::OnLButtonUp(UINT nFlags, CPoint point)
{
    Forward(WM_LBUTTONUP, nFlags, point);
}

void CGridTitleTip::OnRButtonDown(UINT nFlags, CPoint point)
{
    Forward(WM_RBUTTONDOWN, nFlags, point);
}

void CGridTitleTip::OnMButtonDown(UINT nFlags, CPoint point)
{
    Forward(WM_MBUTTONDOWN, nFlags, point);
}

void CGridTitleTip::OnKeyDown(UINT nChar, UINT, UINT nFlags)
{
    Hide();
    if (m_pParentWnd)
        m_pParentWnd->PostMessage(WM_KEYDOWN, nChar, MAKELPARAM(1, nFlags));
}

} // namespace common
