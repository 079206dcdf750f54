// The Minimum Grid table: the grid reduced to the lines that blocks and node
// BCs use, one column per axis; typing the width of a minimum-grid interval
// scales the grid intervals inside it (undo kind 1).
#pragma once
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/model/editing/GridEdit.h"

#include <array>

namespace gelmar {

class CMinGridView : public CGelmarTableView {
  public:
    // Builds the minimum grid of the model.
    CMinGridView();
    void OnInitialUpdate() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    void FillTable() override;
    void FormatCell(int row, int col) override { FillAxisColumn(row, col); }
    void FillAxisColumn(int row, int col);
    // Focus on a row (limited to the column's minimum-grid count).
    void GoToCell(int row, int col) override;
    // The grid lines of the focused minimum-grid interval on its axis, the
    // whole grid on the others.
    void GetSelectedSpan(GridSpan& span) const;
    // The minimum grid of the model's present blocks and node BCs.
    void BuildMinimumGrid();
    const MinimumGridAxis& MinimumGrid(int axis) const { return m_grid[static_cast<std::size_t>(axis)]; }

  protected:
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    int Count(int axis) const { return static_cast<int>(m_grid[static_cast<std::size_t>(axis)].widths.size()); }
    bool Mirrored(int axis) const;
    int IntervalOfRow(int row, int axis) const;
    void RecordEdit();
    void OnEditCopy();
    void OnEditPaste();

    std::array<MinimumGridAxis, 3> m_grid;
};

class CMinGridFrame : public CTableFrame {
  public:
    CMinGridFrame();
};

} // namespace gelmar
