// CDlgDecimals (dialog 157 "Decimals"): the numbers of decimals with which
// the text listings show temperatures, heat flows and view factors, each
// 0..9. "Set As Default" also asks the caller to keep the values as the
// program's defaults; the dialog then ends as OK.
#pragma once
#include "common/ui/SetAsDefaultDialog.h"
#include "platform/ui/Resources.h"

namespace common {

enum : UINT {
    IDD_DECIMALS = 157,
    IDC_DECIMALS_TEMPERATURE = 1098,
    IDC_DECIMALS_FLOW = 1099,
    IDC_DECIMALS_VIEW_FACTOR = 1184,
    IDC_DECIMALS_SET_AS_DEFAULT = IDC_SET_AS_DEFAULT_BUTTON,
};

platform::DialogTemplate DecimalsDialogTemplate();

class CDlgDecimals : public CSetAsDefaultDialog {
  public:
    explicit CDlgDecimals(CWnd* pParent = nullptr) : CSetAsDefaultDialog(IDD_DECIMALS, pParent) {}

    int m_temperature = 2;
    int m_flow = 2;
    int m_viewFactor = 4;

    void DoDataExchange(CDataExchange* pDX) override;
};

} // namespace common
