// CSplashWnd: shows a bitmap in a borderless topmost window cut to the
// bitmap's shape (pixels of the colour key are left out) while the program
// starts, and closes itself after its time or at the first key or click.
#pragma once
#include "platform/ui/Wnd.h"

namespace common {

// The region of the pixels of a bitmap that do not match the colour key:
// a pixel is left out when each of its blue, green and red bytes lies
// between the key's byte and the key's byte plus the tolerance's byte. The
// key's low byte is compared with blue, then green, then red.
BOOL BitmapToRegion(const CBitmap& bitmap, COLORREF key, COLORREF tolerance, CRgn& region);

class CSplashWnd : public CWnd {
  public:
    CSplashWnd(UINT nBitmapID, int nTimeMs);
    ~CSplashWnd() override;

    BOOL Create();
    // Closes the splash at a key or mouse press; TRUE when it did.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPaint() override;
    void OnTimer(UINT_PTR nIDEvent) override;

  private:
    void CloseSplash();

    UINT m_nBitmapID;
    int m_nTime;
    UINT_PTR m_nTimer = 0;
    CBitmap m_bitmap;
    CWnd m_wndOwner;
    bool m_closing = false;
};

} // namespace common
