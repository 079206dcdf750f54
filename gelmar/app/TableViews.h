// The table windows of the model as the application opens and arranges
// them: frame and view classes by name. The tables of the grid, the blocks,
// the colours and the clip are built; until the tables of the boundary
// conditions, functions, outputs, controls, flows and sun obstacles join the
// build each of them shows its table's name only.
#pragma once
#include "gelmar/app/BlockView.h"
#include "gelmar/app/ClipViews.h"
#include "gelmar/app/ColorView.h"
#include "gelmar/app/CoordView.h"
#include "gelmar/app/GridView.h"
#include "gelmar/app/MinGridView.h"
#include "platform/ui/App.h"

#include <string>

namespace gelmar {

// A table view that shows its name; its frame rearranges the windows when
// it closes.
class CTableStandInView : public CView {
  public:
    explicit CTableStandInView(const char* name) : m_name(name) {}
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    const std::string& Name() const { return m_name; }

  private:
    std::string m_name;
};

class CTableStandInFrame : public CMDIChildWnd {
  public:
    void OnClose() override;
};

#define GELMAR_TABLE(View, Frame, Name)                                                                      \
    class View : public CTableStandInView {                                                                  \
      public:                                                                                                \
        View() : CTableStandInView(Name) {}                                                                  \
    };                                                                                                       \
    class Frame : public CTableStandInFrame {};

GELMAR_TABLE(CNodeView, CNodeFrame, "Node BCs")
GELMAR_TABLE(CBorderView, CBorderFrame, "Borderface BCs")
GELMAR_TABLE(CMaterView, CMaterFrame, "Material BCs")
GELMAR_TABLE(CVentView, CVentFrame, "Ventilation Flows")
GELMAR_TABLE(COutNodeView, COutNodeFrame, "Output Nodes")
GELMAR_TABLE(COutBlockView, COutBlockFrame, "Output Blocks")
GELMAR_TABLE(CControlView, CControlFrame, "Controls")
GELMAR_TABLE(CReportView, CReportFrame, "Report Definition")
GELMAR_TABLE(CSunObstView, CSunObstFrame, "Sun Obstacles")

#undef GELMAR_TABLE

} // namespace gelmar

// The Functions table, whose stand-in already serves the function graph.
#include "gelmar/app/FuncView.h"
