// A dialog with a "Set As Default" button (control 1019): the button checks
// and reads the fields as OK does and ends the dialog as OK, with
// m_setAsDefault set so that the caller also keeps the values as the
// program's defaults. A field that does not pass leaves the dialog open.
#pragma once
#include "platform/ui/Dialog.h"

namespace common {

enum : UINT { IDC_SET_AS_DEFAULT_BUTTON = 1019 };

class CSetAsDefaultDialog : public CDialog {
  public:
    using CDialog::CDialog;

    // Set when the dialog ended through "Set As Default".
    bool m_setAsDefault = false;

    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    void OnSetAsDefault();
};

} // namespace common
