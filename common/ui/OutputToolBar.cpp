// The output windows' toolbar and its creation inside a dialog.
#include "common/ui/OutputToolBar.h"

#include "platform/ui/Dialog.h"

namespace common {

LRESULT COutputToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (IsWindowVisible())
        if (CWnd* parent = GetParent())
            OnUpdateCmdUI(parent, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT COutputToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_IDLEUPDATECMDUI)
        return OnIdleUpdateCmdUI(wParam, lParam);
    return CToolBar::WindowProc(message, wParam, lParam);
}

BOOL CreateOutputToolBar(CDialog& dialog, COutputToolBar& bar, UINT nIDResource)
{
    if (!bar.Create(&dialog, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, AFX_IDW_TOOLBAR) ||
        !bar.LoadToolBar(nIDResource))
        return FALSE;
    // The dialog lays its controls out under its bars: placing the bars
    // moves the controls down by the toolbar's height.
    dialog.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    return TRUE;
}

} // namespace common
