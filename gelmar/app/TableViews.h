// The table windows of the model as the application opens and arranges
// them: frame and view classes by name. Until the table views join the build
// each view shows its table's name only.
#pragma once
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

GELMAR_TABLE(CGridView, CGridFrame, "Grid")
GELMAR_TABLE(CCoordView, CCoordFrame, "Coordinates")
GELMAR_TABLE(CMinGridView, CMinGridFrame, "Minimum Grid")
GELMAR_TABLE(CBlockView, CBlockFrame, "Blocks")
GELMAR_TABLE(CColorView, CColorFrame, "Colours")
GELMAR_TABLE(CClipView, CClipFrame, "Clip Object")
GELMAR_TABLE(CClipColorView, CClipColorFrame, "Clip Colours")
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
