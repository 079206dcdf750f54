// The Functions table until its grid arrives: a stand-in that shows its
// name and already does what the function graph relies on. Its selected
// row names the function the graph draws; it opens the graph when it takes
// the focus, has it recompute when the selection changes, passes the
// graph's zoom commands on to it, and closes the graph before it closes.
#pragma once
#include "gelmar/app/TableViews.h"

namespace gelmar {

class CFuncView : public CTableStandInView {
  public:
    CFuncView() : CTableStandInView("Functions") {}

    // The selected row (1-based): the function the graph shows.
    int GetSelectedRow() const { return m_selectedRow; }
    // Selects a row; the open graph recomputes its range and repaints.
    void SetSelectedRow(int row);

    void OnInitialUpdate() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The zoom commands go to the open graph; without it they do nothing.
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

  private:
    int m_selectedRow = 1;
};

class CFuncFrame : public CTableStandInFrame {
  public:
    void OnClose() override;
};

} // namespace gelmar
