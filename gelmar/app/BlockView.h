// The Blocks table: one row per block (or per block of one colour), with its
// colour and its six grid-line bounds, edited in place; rows are inserted,
// deleted, duplicated, moved, transformed, read from another data file,
// recoloured and arranged anew. Every edit runs the refresh chain with an
// undo record of kind 2.
#pragma once
#include "gelmar/app/GelmarTableView.h"

namespace gelmar {

class CBlockView : public CGelmarTableView {
  public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    void FillTable() override;
    void FormatCell(int row, int col) override;
    // Focus on the row of block `block` (clamped to the last block).
    void GoToCell(int block, int col) override;
    // The block of a 1-based row, -1 when there is none.
    int BlockFromRow(int row) const;
    // The block in the focused row, -1 when there is none.
    int FocusBlock() const { return BlockFromRow(m_nFocusRow); }
    // Focus moves to the focused block's colour in the colour tables and to
    // its bound in the Grid and Coordinates tables.
    void SyncLinkedViews();

    // 0 all blocks, 1 only the blocks of the listed colour.
    int ListMode() const { return m_listMode; }
    int ListedColour() const { return m_listedColour; }
    // Switches the list mode (refilling the table) and keeps the focus on
    // the block in `block` where it is listed.
    void SetListMode(int mode, int colour, int block);

  protected:
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    int ListedCount() const;
    void FormatRow(int row);
    void RefreshChain(bool syncLinked);
    void ClearMarks();
    void InsertRow(bool after);
    void RefillAxisTables();

    // Commands.
    void OnInsertBefore() { InsertRow(false); }
    void OnInsertAfter() { InsertRow(true); }
    void OnDelete();
    void OnEditCopy();
    void OnEditPaste();
    void OnDuplicate();
    void OnMoveSelection();
    void OnTransformCoordinates();
    void OnInsertFile();
    void OnSwitchSelect();
    void OnSwitchSelectDown();
    void OnSwitchSelectUp();
    void OnSelectAll();
    void OnDeselectAll();
    void OnArrangeBlocks();
    void OnNewColour();
    void OnListAll();
    void OnListSameColour();
    void OnUpdateListModeZero(CCmdUI* ui);
    void OnUpdateDelete(CCmdUI* ui);
    void OnUpdateDuplicate(CCmdUI* ui);
    void OnUpdateMoveSelection(CCmdUI* ui);
    void OnUpdateSwitchSelect(CCmdUI* ui);
    void OnUpdateFocusBlock(CCmdUI* ui);
    void OnUpdateSelectAll(CCmdUI* ui);
    void OnUpdateDeselectAll(CCmdUI* ui);
    void OnUpdateListAll(CCmdUI* ui);
    void OnUpdateListSameColour(CCmdUI* ui);

    int m_listMode = 0;
    int m_listedColour = 0;
};

class CBlockFrame : public CTableFrame {
  public:
    CBlockFrame();
};

} // namespace gelmar
