// The Coordinates table: the coordinate of every grid line relative to the
// axis origin, one column per axis, read-only; Set Origin moves the origin to
// the focused line (no undo record, no modified flag).
#pragma once
#include "gelmar/app/GelmarTableView.h"

namespace gelmar {

class CCoordView : public CGelmarTableView {
  public:
    CCoordView();
    void OnInitialUpdate() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    void FillTable() override;
    void FormatCell(int row, int col) override { FillAxisColumn(row, col); }
    void FillAxisColumn(int row, int col);
    void GoToCell(int row, int col) override;
    // Lines 0 to the focused line on its axis (from it to the last line on
    // the third axis listed from the top), the whole grid on the others.
    void GetSelectedSpan(GridSpan& span) const;

  protected:
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    int Axis() const;
    bool Mirrored(int axis) const;
    void OnSetOrigin();
    void OnUpdateSetOrigin(CCmdUI* ui);
};

class CCoordFrame : public CTableFrame {
  public:
    CCoordFrame();
};

} // namespace gelmar
