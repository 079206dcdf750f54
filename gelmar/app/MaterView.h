// The Material BCs table: one row per material boundary condition with the
// swatch and number of its colour, its type (TEMP or POWER, switched by a
// click) and its temperature or power density as a number or a function.
// The 3D view outlines the focused row's colour; the colour tables follow
// it and the Functions table its function. Every edit saves an undo record
// of kind 6.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

class CMaterView : public CListTableView {
  public:
    CMaterView();
    void OnSetFocus(CWnd* pOldWnd) override;
    void FormatCell(int row, int col) override;
    void GoToCell(int row, int col) override;
    // The focused BC's colour in the Colours and Clip Colours tables, while
    // this table is the active one.
    void SyncLinkedViews();

  protected:
    void FillHeader() override;
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;
    void RecordEdit() override;
    void AfterListChange() override { SyncLinkedViews(); }

  private:
    void ShowReferencedFunction();
    // The 3D view outlines the focused row's colour (nothing without one).
    void OutlineFocusedColour();
};

class CMaterFrame : public CTableFrame {
  public:
    CMaterFrame();
};

} // namespace gelmar
