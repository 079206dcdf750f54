// The Function Graph window: the function selected in the Functions table
// drawn as one curve in a chart that covers the view, with axes labelled by
// quantity and unit, zoom and pan by mouse, keys and wheel, and fixed axis
// scales per quantity. It only shows functions; it never changes one.
#pragma once
#include "gelmar/graphics/FuncChartCtrl.h"
#include "gelmar/graphics/core/FunctionGraphRange.h"
#include "platform/ui/App.h"

namespace gelmar {

// The scales of the axis-scale dialogs and the time label unit, kept while
// the program runs.
extern FunctionGraphSettings g_funcGraphSettings;

class CFuncGraphView : public CView {
  public:
    CFuncGraphView();
    ~CFuncGraphView() override;

    // Chooses the range and steps of the selected function anew; the graph
    // shows them at its next repaint.
    void ComputeGraphRange();

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // The commands and their update rules.
    void OnPan();
    void OnZoomWindow();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomTotal();
    void OnPreviousView();
    void OnXScale();
    void OnYScale();
    void OnUpdateRotate(CCmdUI* ui);
    void OnUpdatePan(CCmdUI* ui);
    void OnUpdateZoomWindow(CCmdUI* ui);
    void OnUpdateZoomIn(CCmdUI* ui);
    void OnUpdateZoomOut(CCmdUI* ui);
    void OnUpdateZoomTotal(CCmdUI* ui);
    void OnUpdatePreviousView(CCmdUI* ui);
    void OnUpdateScale(CCmdUI* ui);

    FunctionGraphState& State() { return m_state; }
    CFuncChartCtrl& Chart() { return m_chart; }

  private:
    // The record of the Functions table's selected row, null without one.
    const FunctionRecord* SelectedFunction() const;
    void OnScale(bool xAxis);
    void DrawRubberBand();
    void Repaint();

    FunctionGraphState m_state;
    CFuncChartCtrl m_chart;
    int m_clientWidth = 0, m_clientHeight = 0;
    CPoint m_dragStart, m_dragPoint;
    bool m_dragging = false;
};

// The open function graph, null while it is closed.
extern CFuncGraphView* g_funcGraphView;

// Its frame, titled "Function Graph" whatever the document.
class CFuncGraphFrame : public CMDIChildWnd {
  public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnClose() override;
};

} // namespace gelmar
