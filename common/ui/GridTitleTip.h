// CGridTitleTip: a borderless popup that shows the whole text of a grid cell
// whose text is cut, laid over the cell while the pointer stays on it. The
// mouse buttons pressed on it reach the window under it (the cell), the
// second press of a double click and the release that follows a press
// included, however quickly they follow the first.
#pragma once
#include "platform/ui/Wnd.h"

#include <string>

namespace common {

class CGridTitleTip : public CWnd {
  public:
    CGridTitleTip();
    BOOL Create(CWnd* pParentWnd);
    // rect: the cell in the grid's client coordinates.
    void Show(const CRect& rect, const std::string& text, int offset = 0);
    void Hide();
    const std::string& GetTipText() const { return m_text; }

    void OnPaint() override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMButtonDown(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

  private:
    // Hides the tip and hands the mouse message to the window under it.
    void Forward(UINT message, UINT nFlags, CPoint point);

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectTitle; // covered cell, screen coordinates
    std::string m_text;
};

} // namespace common
