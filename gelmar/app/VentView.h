// The Ventilation Flows table: one row per flow between two zone colours,
// each shown by a swatch and its number, with the flow as a number or a V
// function. The colour cells have the colour tables follow and the flow
// cell the Functions table. Every edit saves an undo record of kind 16.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

class CVentView : public CListTableView {
  public:
    CVentView();
    void FormatCell(int row, int col) override;

  protected:
    void FillHeader() override;
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    // The colour of the focused colour cell in the colour tables, the flow's
    // function in the Functions table.
    void ShowLinked();
};

class CVentFrame : public CTableFrame {
  public:
    CVentFrame();
};

} // namespace gelmar
