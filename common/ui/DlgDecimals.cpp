// The Decimals dialog: three integer fields of 0..9 and Set As Default.
#include "common/ui/DlgDecimals.h"

namespace common {

platform::DialogTemplate DecimalsDialogTemplate()
{
    using platform::Ctl;
    platform::DialogTemplate t{IDD_DECIMALS, "Decimals"};
    t.controls = {
        {Ctl::Static, 0xFFFF, "Decimals in &temperatures", 0, 0},
        {Ctl::Edit, IDC_DECIMALS_TEMPERATURE, "", 0, 1},
        {Ctl::Static, 0xFFFF, "Decimals in &flows", 1, 0},
        {Ctl::Edit, IDC_DECIMALS_FLOW, "", 1, 1},
        {Ctl::Static, 0xFFFF, "Decimals in &view factors", 2, 0},
        {Ctl::Edit, IDC_DECIMALS_VIEW_FACTOR, "", 2, 1},
        {Ctl::DefPushButton, IDOK, "OK", 0, 2},
        {Ctl::PushButton, IDCANCEL, "Cancel", 1, 2},
        {Ctl::PushButton, IDC_DECIMALS_SET_AS_DEFAULT, "Set As Default", 2, 2},
    };
    return t;
}

void CDlgDecimals::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DECIMALS_TEMPERATURE, m_temperature);
    DDV_MinMaxInt(pDX, m_temperature, 0, 9);
    DDX_Text(pDX, IDC_DECIMALS_FLOW, m_flow);
    DDV_MinMaxInt(pDX, m_flow, 0, 9);
    DDX_Text(pDX, IDC_DECIMALS_VIEW_FACTOR, m_viewFactor);
    DDV_MinMaxInt(pDX, m_viewFactor, 0, 9);
}

} // namespace common
