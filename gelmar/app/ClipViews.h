// The two tables that restrict what the 3D view shows: Clip Object, the
// lowest and highest grid line drawn on each axis (undo kind 9, the model
// stays unmodified), and Clip Colours, the colours in use with a Show flag
// each (neither an undo record nor the modified flag).
#pragma once
#include "gelmar/app/GelmarTableView.h"

namespace gelmar {

class CClipView : public CGelmarTableView {
  public:
    enum Row { kMinRow = 1, kMaxRow = 2, kLimitRow = 3 };
    void OnInitialUpdate() override;
    void OnSetFocus(CWnd* pOldWnd) override;

    void FillTable() override;
    void FormatCell(int row, int col) override;
    void GoToCell(int row, int col) override;

  protected:
    void OnGridEndEdit(int row, int col, bool modified) override;
};

class CClipFrame : public CTableFrame {
  public:
    CClipFrame();
};

class CClipColorView : public CGelmarTableView {
  public:
    CClipColorView();
    void OnInitialUpdate() override;
    void OnSetFocus(CWnd* pOldWnd) override;

    void FillTable() override;
    void FormatCell(int row, int col) override;
    // Focus on the row of colour `colour` (or the next colour in use).
    void GoToCell(int colour, int col) override;
    // The n-th colour in use (0 when there is none).
    int ColourFromRow(int row) const;

  protected:
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;
};

class CClipColorFrame : public CTableFrame {
  public:
    CClipColorFrame();
};

} // namespace gelmar
