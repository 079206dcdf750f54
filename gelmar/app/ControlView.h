// The Controls table: one row per control with its sensor (an output node),
// target function, sensitivities, purpose (HEATING or COOLING, switched by a
// click), minimum times, the functions used while off and on and, for a
// ventilation control, the temperature-difference test and its two zones.
// The sensor has the Output Nodes table follow, the functions the Functions
// table and the zones the colour tables. Every edit saves an undo record of
// kind 17.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

class CControlView : public CListTableView {
  public:
    CControlView();
    void FormatCell(int row, int col) override;

  protected:
    void FillHeader() override;
    void OnGridBeginEdit(int row, int col, UINT firstKey) override;
    void OnGridEndEdit(int row, int col, bool modified) override;
    void OnGridFocusChanged(int row, int col) override;

  private:
    // The focused cell's sensor, function or zone in its table.
    void ShowLinked();
};

class CControlFrame : public CTableFrame {
  public:
    CControlFrame();
};

} // namespace gelmar
