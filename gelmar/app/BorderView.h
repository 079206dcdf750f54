// The Borderface BCs table: one row per border-face boundary condition with
// the swatches and numbers of its two colours, its type (TEMP or FLUX,
// switched by a click) and its temperature or heat flux as a number or a
// function. The 3D view outlines the faces between the focused row's
// colours; the colour tables follow its colours and the Functions table its
// function. Every edit saves an undo record of kind 5.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

class CBorderView : public CListTableView {
  public:
    CBorderView();
    void OnSetFocus(CWnd* pOldWnd) override;
    void FormatCell(int row, int col) override;
    // The colour of the focused colour column in the Colours and Clip
    // Colours tables, while this table is the active one.
    void SyncLinkedViews();

  protected:
    void FillHeader() override;
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;
    void RecordEdit() override;

  private:
    void ShowReferencedFunction();
    // The 3D view outlines the faces between the focused row's colours.
    void OutlineFocusedRow();
};

class CBorderFrame : public CTableFrame {
  public:
    CBorderFrame();
};

} // namespace gelmar
