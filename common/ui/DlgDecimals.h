// CDlgDecimals (dialog 157 "Decimals"): the numbers of decimals with which
// the text listings show temperatures, heat flows and view factors, each
// 0..9. "Set As Default" also asks the caller to keep the values as the
// program's defaults; the dialog then ends as OK.
#pragma once
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace common {

enum : UINT {
    IDD_DECIMALS = 157,
    IDC_DECIMALS_TEMPERATURE = 1098,
    IDC_DECIMALS_FLOW = 1099,
    IDC_DECIMALS_VIEW_FACTOR = 1184,
    IDC_DECIMALS_SET_AS_DEFAULT = 1019,
};

platform::DialogTemplate DecimalsDialogTemplate();

class CDlgDecimals : public CDialog {
  public:
    explicit CDlgDecimals(CWnd* pParent = nullptr) : CDialog(IDD_DECIMALS, pParent) {}

    int m_temperature = 2;
    int m_flow = 2;
    int m_viewFactor = 4;
    // Set when the dialog ended through "Set As Default".
    bool m_setAsDefault = false;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    void OnSetAsDefault();
};

} // namespace common
