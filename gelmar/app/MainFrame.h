// Gelmar's MDI main window: toolbar, status bar, the patterns and material
// database dialogs that live as long as it, and the fixed tiling of the
// document's child windows.
#pragma once
#include "common/ui/DlgMaterialDatabase.h"
#include "common/ui/DlgPatterns.h"
#include "gelmar/app/ViewLayout.h"
#include "platform/ui/App.h"

namespace gelmar {

struct ParameterSet;

// The properties the material database dialog shows: conductivity, density,
// heat capacity, the solar transmittance and reflectance, and the pattern.
inline constexpr UINT kMaterialPropertyMask = 0x6819;

class CMainFrame : public CMDIFrameWnd {
  public:
    // Reads the pattern file and the material databases (in the language of
    // the parameters); when there is no material database the program ends
    // here with a message.
    explicit CMainFrame(const ParameterSet& parameters);

    int OnCreate(LPCREATESTRUCT lpcs) override;
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    // "GELMAR - name.glm" with " *" while the model is modified.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // Places every open window of the active document by its group, then
    // rewrites the main title.
    void ArrangeViewFrames();
    // Moves the view's frame to the given fractions of the MDI client area.
    void MoveViewFrame(CView* view, float x0, float x1, float y0, float y1);

    bool ToolBarVisible() const;
    bool StatusBarVisible() const;

    // The patterns first: the material dialog draws its previews from them.
    common::CDlgPatterns m_dlgPatterns;
    common::CDlgMaterialDatabase m_dlgMaterialDatabase;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;

  private:
    bool m_arranging = false;
};

// The group of a view class in the tiling.
ViewGroup ViewGroupOf(const CView* view);
// ArrangeViewFrames of the program's main frame, when there is one.
void ArrangeMainFrameViews();

} // namespace gelmar
