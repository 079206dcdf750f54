// The Set As Default button of the settings dialogs.
#include "common/ui/SetAsDefaultDialog.h"

namespace common {

BOOL CSetAsDefaultDialog::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnControl(IDC_SET_AS_DEFAULT_BUTTON, BN_CLICKED, &CSetAsDefaultDialog::OnSetAsDefault),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CSetAsDefaultDialog::OnSetAsDefault()
{
    if (!UpdateData(TRUE))
        return;
    m_setAsDefault = true;
    EndDialog(IDOK);
}

} // namespace common
