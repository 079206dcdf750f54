// The Sun Obstacles table: one row per obstacle with the azimuth and
// altitude ranges in which it hides the sun. An edit stores the number typed
// (0 for a text that is not one), saves an undo record of kind 15 and
// refreshes nothing else: the obstacles touch neither the 3D view nor the
// results.
#pragma once
#include "gelmar/app/ListTableView.h"

namespace gelmar {

class CSunObstView : public CListTableView {
  public:
    CSunObstView();
    void FormatCell(int row, int col) override;

  protected:
    void FillHeader() override;
    void OnGridEndEdit(int row, int col, bool modified) override;
};

class CSunObstFrame : public CTableFrame {
  public:
    CSunObstFrame();
};

} // namespace gelmar
