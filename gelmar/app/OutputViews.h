// The three tables of the output definitions: Output Nodes (the grid points
// whose temperature a run follows), Output Blocks (boxes of nodes whose
// incoming heat flow it follows) and Report Definition (the columns of the
// text report, whose Object and Type cells step through the kinds and
// sub-kinds by clicks). The nodes and blocks follow in the Grid and
// Coordinates tables and are marked in the 3D view; a report item has the
// table of its object follow. Their edits save undo records of kinds 12, 13
// and 14.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

class COutNodeView : public CListTableView {
  public:
    COutNodeView();
    void OnSetFocus(CWnd* pOldWnd) override;
    void FormatCell(int row, int col) override;

  protected:
    void FillHeader() override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    void ShowNodeInAxisTables();
};

class COutBlockView : public CListTableView {
  public:
    COutBlockView();
    void OnSetFocus(CWnd* pOldWnd) override;
    void FormatCell(int row, int col) override;

  protected:
    void FillHeader() override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    void ShowBoundInAxisTables();
};

class CReportView : public CListTableView {
  public:
    CReportView();
    void OnSetFocus(CWnd* pOldWnd) override;
    void FormatCell(int row, int col) override;

  protected:
    void FillHeader() override;
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    // The table of the focused item's object goes to its row (and, for a
    // colour, to the column of its quantity).
    void ShowItemObject();
};

class COutNodeFrame : public CTableFrame {
  public:
    COutNodeFrame();
};

class COutBlockFrame : public CTableFrame {
  public:
    COutBlockFrame();
};

class CReportFrame : public CTableFrame {
  public:
    CReportFrame();
};

} // namespace gelmar
