// The Grid table: the widths of the grid intervals, one column per axis,
// typed in place; intervals are inserted, selected, merged and split (by
// hand or automatically), the grid is reduced to its minimum and its unit
// changed. Every command keeps the grid-line indices of blocks, boundary
// conditions and outputs on their lines and saves an undo record of kind 0.
#pragma once
#include "gelmar/app/GelmarTableView.h"

#include <algorithm>

namespace gelmar {

class CGridView : public CGelmarTableView {
  public:
    void OnInitialUpdate() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    void FillTable() override;
    void FormatCell(int row, int col) override { FillAxisColumn(row, col); }
    // Undo and redo also clear the interval selection.
    void Refill() override;
    void FillAxisColumn(int row, int col);
    // The axis's coordinates from its widths, and its "Sum" row.
    void UpdateAxisColumn(int col);
    // Focus on a row (limited to the intervals of the column's axis).
    void GoToCell(int row, int col) override;
    // The focused interval on its axis and the whole grid on the others.
    void GetSelectedSpan(GridSpan& span) const;
    // The clip range of the focused axis.
    void SetClipRange(int low, int high);

  protected:
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    // A width is a positive number.
    std::string CheckGridEntry(int row, int col, const std::string& text) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    int Axis() const { return std::clamp(m_nFocusCol, 1, 3) - 1; }
    // Interval of a row on an axis (mirrored on the third axis in R/C/L),
    // -1 past the axis's intervals.
    int IntervalOfRow(int row, int axis) const;
    int RowOfInterval(int interval, int axis) const;
    int FocusInterval() const { return IntervalOfRow(m_nFocusRow, Axis()); }
    bool Mirrored(int axis) const;
    int LargestCount() const;
    void RecordEdit();
    void RefreshLinkedTables();
    void RefillColumn(int axis);
    void ClearSelection();

    void InsertInterval(bool after);
    void OnInsertBefore() { InsertInterval(false); }
    void OnInsertAfter() { InsertInterval(true); }
    void OnEditCopy();
    void OnEditPaste();
    void OnSwitchSelect();
    void OnSwitchSelectDown();
    void OnSwitchSelectUp();
    void OnSelectAll();
    void OnSelectAll3();
    void OnDeselectAll();
    void OnMerge();
    void OnSplit();
    void OnAutoSplit();
    void OnCreateMinimumGrid();
    void OnGridUnit();
    void OnUpdateFocusInterval(CCmdUI* ui);
    void OnUpdateSelectAll(CCmdUI* ui);
    void OnUpdateSelectAll3(CCmdUI* ui);
    void OnUpdateDeselectAll(CCmdUI* ui);
    void OnUpdateMerge(CCmdUI* ui);
    void OnUpdateSplit(CCmdUI* ui);
};

class CGridFrame : public CTableFrame {
  public:
    CGridFrame();
};

} // namespace gelmar
