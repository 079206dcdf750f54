// COutputToolBar: the toolbar of the programs' modal output windows (text
// and graphic output). A toolbar inside a dialog has no frame to update it,
// so it answers the dialog's idle message WM_IDLEUPDATECMDUI by running the
// dialog's update handlers on its buttons, which then follow the same rules
// as the window's menu.
#pragma once
#include "platform/ui/Frame.h"

class CDialog;

namespace common {

class COutputToolBar : public CToolBar {
  public:
    // wParam: disable buttons without a handler. Returns 0.
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Creates the toolbar at the top of the dialog from toolbar resource
// nIDResource, with tool tips and fly-by texts; the dialog's controls then
// sit under it. FALSE when the bar cannot be created or loaded (the dialog
// then ends as cancelled).
BOOL CreateOutputToolBar(CDialog& dialog, COutputToolBar& bar, UINT nIDResource);

} // namespace common
