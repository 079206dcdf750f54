// Small stand-ins of the graphics and output windows that the application,
// the document and the run driver reach: the 3D view with the state the
// commands set, its frame, the File Open preview, the graphic output window
// and the Temperature Range dialog. They keep the names and members their
// callers rely on; the graphics windows replace them.
#pragma once
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"

namespace gelmar {

class CGraphView : public CView {
  public:
    CGraphView();
    ~CGraphView() override;

    // Rebuilds what the view draws from the model and its linked table.
    void BuildDisplayList();
    // Refresh after a model edit: rebuild and repaint.
    void UpdateModel();
    void ZoomOut();
    void ZoomTotal();
    void SwapPreviousView();
    void OnZoomNumbers() {}

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

    int m_linkedTable = 0;     // 0 none, 1 grid interval, 2 blocks, ... 8 output blocks
    int m_viewKind = 0;        // 0 materials, 1 transparent, 2 BCs, 3 temperatures
    int m_mouseMode = 0;       // 0 rotate, 1 zoom window, 2 pan, 3 zoom in
    bool m_totalView = true;   // the whole model is shown
    float m_viewAngle = 60.0f; // opening angle of the view
    float m_previousAngle = 0; // > 0 while a previous view is stored
};

// The one open 3D view, null while none is open.
extern CGraphView* g_graphView;

class CGraphFrame : public CMDIChildWnd {
  public:
    void OnClose() override;
};

// The 3D preview child of the File Open dialog (an empty child for now).
class CPreviewWnd : public CWnd {
  public:
    BOOL Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void OnPaint() override;
    int paints = 0;
};

// The modal graphic output window; it shows nothing yet and ends at once.
class CGraphicOutputDlg {
  public:
    int DoModal() { return IDCANCEL; }
};

// The Temperature Range dialog: five display settings of the temperature
// scale, filled before DoModal and read after OK.
class CDlgTemperatureRange {
  public:
    int DoModal() { return IDCANCEL; }
    float m_min = 0, m_max = 20, m_interval1 = 1, m_interval2 = 5;
    float m_single = 0;
};

// Set while an isoflux drawing pass of the graphic output is under way.
extern bool g_isofluxActive;
// Ends an isoflux drawing pass.
void EndIsofluxDrawing();

} // namespace gelmar
