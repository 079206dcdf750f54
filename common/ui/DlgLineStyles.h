// CDlgLineStyles (dialog 12003 "Line Styles"): colour and width in pixels of
// the lines of the graphic outputs: object lines and grid lines (1 ... 1000),
// the isothermal lines of the first and second increments and of the single
// value, and the isoflux lines of the first and second increments (0 ...
// 1000). Each colour shows on a button of its own; a click opens the colour
// dialog on that colour. With "Set As Default".
#pragma once
#include "common/ui/SetAsDefaultDialog.h"
#include "platform/ui/Resources.h"

#include <memory>

namespace common {

enum : UINT {
    IDD_LINE_STYLES = 12003,
    IDC_LINE_COLOUR = 1130, // seven colour buttons, 1130 .. 1136
    IDC_LINE_WIDTH = 1140,  // seven width edits, 1140 .. 1146
};

// The seven lines, in the dialog's order.
enum LineStyleIndex : int {
    kObjectLines = 0,
    kGridLines,
    kIsothermFirst,
    kIsothermSecond,
    kIsothermSingle,
    kIsofluxFirst,
    kIsofluxSecond,
    kLineStyleCount
};

platform::DialogTemplate LineStylesDialogTemplate();

// A button that shows a colour and nothing else.
class CColourButton : public CWnd {
  public:
    COLORREF m_colour = 0;
    void OnPaint() override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
};

class CDlgLineStyles : public CSetAsDefaultDialog {
  public:
    explicit CDlgLineStyles(CWnd* pParent = nullptr);
    ~CDlgLineStyles() override;

    COLORREF m_colour[kLineStyleCount] = {};
    int m_width[kLineStyleCount] = {};

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    CColourButton& Button(int line) { return m_buttons[line]; }

  private:
    void OnColourButton(UINT id);
    CColourButton m_buttons[kLineStyleCount];
};

} // namespace common
