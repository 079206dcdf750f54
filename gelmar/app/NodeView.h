// The Node BCs table: one row per node boundary condition with its grid
// point, its type (TEMP or POWER, switched by a click) and its temperature
// or power as a number or a function. The focused node follows in the Grid
// and Coordinates tables and its function in the Functions table. Every edit
// saves an undo record of kind 4 and frees the results of an earlier
// calculation.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

class CNodeView : public CListTableView {
  public:
    CNodeView();
    void OnSetFocus(CWnd* pOldWnd) override;
    void FormatCell(int row, int col) override;

  protected:
    void FillHeader() override;
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;
    void RecordEdit() override;

  private:
    // The node's line on the focused axis in the Grid and Coordinates tables.
    void ShowNodeInAxisTables();
    // The function of the focused value cell in the Functions table.
    void ShowReferencedFunction();
};

class CNodeFrame : public CTableFrame {
  public:
    CNodeFrame();
};

} // namespace gelmar
