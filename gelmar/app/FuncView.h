// The Functions table: one row per function with its name, shape, file and
// parameters. Typed names become valid unique names, a click on the Type
// cell steps the shape and one on the file cell chooses the function's
// file. Deleting a function resets the references to it in colours, BCs and
// flows. The table works with the function graph: it opens the graph when it
// takes the focus, has it follow the focused function (its selected row),
// passes the graph's zoom commands on to it and closes it when it closes.
// Every edit saves an undo record of kind 7.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

struct FunctionName;

class CFuncView : public CListTableView {
  public:
    CFuncView();

    // The selected row (1-based): the function the graph shows.
    int GetSelectedRow() const { return m_nFocusRow; }
    // Selects a row; the open graph recomputes its range and repaints.
    void SetSelectedRow(int row) { GoToCell(row, m_nFocusCol); }
    // Focus on the row of the function of that name, when there is one.
    void GoToFunction(const FunctionName& name);

    void OnInitialUpdate() override;
    void FillTable() override;
    void FormatCell(int row, int col) override;
    void GoToCell(int row, int col) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The zoom commands go to the open graph; without it they do nothing.
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

  protected:
    void FillHeader() override;
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;
    bool CanInsert() const override;
    bool InsertIntoModel(std::size_t at) override;
    bool DeleteFromModel(std::size_t at) override;
    void AfterListChange() override;

  private:
    // The graph's range follows the focused function and repaints.
    static void RecomputeGraph();
};

class CFuncFrame : public CTableFrame {
  public:
    CFuncFrame();
    // The function graph closes with the table.
    void OnClose() override;
};

} // namespace gelmar
