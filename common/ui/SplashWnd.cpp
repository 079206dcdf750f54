// CSplashWnd: the shaped splash window and its region from the bitmap.
#include "common/ui/SplashWnd.h"

namespace common {

namespace {
constexpr const char* kSplashClass = "SplashWindow";
constexpr UINT_PTR kSplashTimer = 1;

bool InRange(int value, int low, int tolerance)
{
    return value >= low && value <= std::min(255, low + tolerance);
}
} // namespace

BOOL BitmapToRegion(const CBitmap& bitmap, COLORREF key, COLORREF tolerance, CRgn& region)
{
    const QImage image = bitmap.Image().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return FALSE;
    const int keyB = key & 0xFF, keyG = (key >> 8) & 0xFF, keyR = (key >> 16) & 0xFF;
    const int tolB = tolerance & 0xFF, tolG = (tolerance >> 8) & 0xFF, tolR = (tolerance >> 16) & 0xFF;
    QRegion result;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            auto transparent = [&](int i) {
                return InRange(qBlue(line[i]), keyB, tolB) && InRange(qGreen(line[i]), keyG, tolG) &&
                       InRange(qRed(line[i]), keyR, tolR);
            };
            while (x < image.width() && transparent(x))
                ++x;
            const int start = x;
            while (x < image.width() && !transparent(x))
                ++x;
            if (x > start)
                result += QRect(start, y, x - start, 1);
        }
    }
    region.DeleteObject();
    region.CreateRectRgn(0, 0, 0, 0);
    region.m_region = result;
    return TRUE;
}

CSplashWnd::CSplashWnd(UINT nBitmapID, int nTimeMs) : m_nBitmapID(nBitmapID), m_nTime(nTimeMs) {}

CSplashWnd::~CSplashWnd()
{
    DestroyWindow();
    m_wndOwner.DestroyWindow();
}

BOOL CSplashWnd::Create()
{
    CSize size(0, 0);
    if (m_bitmap.LoadBitmap(m_nBitmapID))
        size = m_bitmap.GetBitmapDimension();
    if (!GetClassInfo(kSplashClass, nullptr)) {
        WNDCLASS wc;
        wc.style = CS_CLASSDC;
        wc.hbrBackground = 0;
        wc.lpszClassName = kSplashClass;
        AfxRegisterClass(&wc);
    }
    m_wndOwner.CreateEx(WS_EX_TOPMOST, kSplashClass, "Splash", WS_POPUP, CRect(0, 0, 0, 0), nullptr, 0);
    if (!CreateEx(WS_EX_TOPMOST, kSplashClass, "Splash", WS_POPUP, CRect(0, 0, size.cx, size.cy), &m_wndOwner,
                  0))
        return FALSE;
    CRgn region;
    if (BitmapToRegion(m_bitmap, 0xC7FE00, 0x101010, region))
        SetWindowRgn(&region, TRUE);
    CenterWindow();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_nTimer = SetTimer(kSplashTimer, static_cast<UINT>(m_nTime));
    return TRUE;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC mem;
    if (!mem.CreateCompatibleDC(&dc) || m_bitmap.Image().isNull())
        return;
    CBitmap* old = mem.SelectObject(&m_bitmap);
    const CSize size = m_bitmap.GetBitmapDimension();
    dc.BitBlt(0, 0, size.cx, size.cy, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}

void CSplashWnd::CloseSplash()
{
    if (m_closing)
        return;
    m_closing = true;
    KillTimer(m_nTimer);
    m_wndOwner.DestroyWindow();
    DestroyWindow();
    DeleteWindowLater(this);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nTimer) {
        CloseSplash();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

BOOL CSplashWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        CloseSplash();
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace common
