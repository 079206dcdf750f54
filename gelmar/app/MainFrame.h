// Gelmar's MDI main window: toolbar, status bar, the material database it
// loads at creation, and the fixed tiling of the document's child windows.
#pragma once
#include "common/core/MaterialDatabase.h"
#include "gelmar/app/ViewLayout.h"
#include "platform/ui/App.h"

#include <vector>

namespace gelmar {

// The message shown when no material file is found; the program then ends.
inline constexpr const char* kMaterialDatabaseMissing = "Material database not found.\nProgram exiting.";

class CMainFrame : public CMDIFrameWnd {
  public:
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

    // Read once at creation; the material database dialog shows them.
    std::vector<common::CMaterialDatabaseRecord> m_materialDatabases;
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
