// The Temperature Profile Line Definition dialogs (see DlgTempProfileLine.h).
#include "common/ui/DlgTempProfileLine.h"

#include <string>

namespace common {

platform::DialogTemplate TempProfileLineDialogTemplate(bool rcl)
{
    using platform::Ctl;
    platform::DialogTemplate t{rcl ? UINT(IDD_TEMP_PROFILE_LINE_RCL) : UINT(IDD_TEMP_PROFILE_LINE),
                               "Temperature Profile Line Definition"};
    const char* const axes = rcl ? "RCL" : "XYZ";
    constexpr UINT kGroup = 2101;
    t.controls.push_back({Ctl::GroupBox, kGroup, "Parallel to", 0, 0, 1, 4});
    for (int a = 0; a < 3; ++a)
        t.controls.push_back({Ctl::RadioButton, IDC_PROFILE_DIRECTION + static_cast<UINT>(a),
                              std::string("&") + axes[a], 0, a, 1, 1, a == 0 ? DWORD(WS_GROUP) : DWORD(0), kGroup});
    for (int a = 0; a < 3; ++a)
        t.controls.push_back({Ctl::Static, 0xFFFF, std::string(1, axes[a]), 1, a + 1});
    t.controls.push_back({Ctl::Static, 0xFFFF, "From", 2, 0});
    t.controls.push_back({Ctl::Static, 0xFFFF, "To", 3, 0});
    for (int a = 0; a < 3; ++a) {
        t.controls.push_back({Ctl::Edit, IDC_PROFILE_FROM + static_cast<UINT>(a), "", 2, a + 1});
        t.controls.push_back({Ctl::Edit, IDC_PROFILE_TO + static_cast<UINT>(a), "", 3, a + 1});
    }
    t.controls.push_back({Ctl::DefPushButton, IDOK, "OK", 4, 2});
    t.controls.push_back({Ctl::PushButton, IDCANCEL, "Cancel", 4, 3});
    return t;
}

CDlgTempProfileLine::CDlgTempProfileLine(const int n[3], bool rcl, CWnd* pParent)
    : CDialog(rcl ? IDD_TEMP_PROFILE_LINE_RCL : IDD_TEMP_PROFILE_LINE, pParent), m_n{n[0], n[1], n[2]}, m_rcl(rcl)
{
}

BOOL CDlgTempProfileLine::OnInitDialog()
{
    CDialog::OnInitDialog();
    ApplyDirection();
    return TRUE;
}

int CDlgTempProfileLine::CheckedDirection() const
{
    for (int a = 0; a < 3; ++a)
        if (IsDlgButtonChecked(IDC_PROFILE_DIRECTION + static_cast<UINT>(a)))
            return a;
    return m_direction;
}

void CDlgTempProfileLine::ApplyDirection()
{
    const int direction = CheckedDirection();
    for (int a = 0; a < 3; ++a) {
        const UINT to = IDC_PROFILE_TO + static_cast<UINT>(a);
        if (CWnd* edit = GetDlgItem(to))
            edit->EnableWindow(a == direction);
        if (a != direction)
            SetDlgItemText(to, GetDlgItemText(IDC_PROFILE_FROM + static_cast<UINT>(a)));
    }
}

void CDlgTempProfileLine::OnDirection(UINT)
{
    ApplyDirection();
}

void CDlgTempProfileLine::OnFieldLeft(UINT id)
{
    if (m_rcl) {
        // An even value means the grid line between two odd ones: the next odd one.
        BOOL ok = FALSE;
        const int v = static_cast<int>(GetDlgItemInt(id, &ok, TRUE));
        if (ok && v % 2 == 0)
            SetDlgItemInt(id, v + 1, TRUE);
    }
    if (id >= IDC_PROFILE_FROM && id < IDC_PROFILE_FROM + 3) {
        const int axis = static_cast<int>(id - IDC_PROFILE_FROM);
        if (axis != CheckedDirection())
            SetDlgItemText(IDC_PROFILE_TO + static_cast<UINT>(axis), GetDlgItemText(id));
    }
}

BOOL CDlgTempProfileLine::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        {IDC_PROFILE_DIRECTION, IDC_PROFILE_DIRECTION + 2, BN_CLICKED,
         [](CCmdTarget* t, UINT id) { static_cast<CDlgTempProfileLine*>(t)->OnDirection(id); }, nullptr},
        {IDC_PROFILE_FROM, IDC_PROFILE_TO + 2, EN_KILLFOCUS,
         [](CCmdTarget* t, UINT id) { static_cast<CDlgTempProfileLine*>(t)->OnFieldLeft(id); }, nullptr},
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CDlgTempProfileLine::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_PROFILE_DIRECTION, m_direction);
    const int lowest = m_rcl ? 1 : 0;
    for (int a = 0; a < 3; ++a) {
        const int top = m_rcl ? 2 * m_n[a] + 1 : m_n[a];
        DDX_Text(pDX, IDC_PROFILE_FROM + static_cast<UINT>(a), m_from[a]);
        DDV_MinMaxInt(pDX, m_from[a], lowest, top);
    }
    for (int a = 0; a < 3; ++a) {
        const int top = m_rcl ? 2 * m_n[a] + 1 : m_n[a];
        DDX_Text(pDX, IDC_PROFILE_TO + static_cast<UINT>(a), m_to[a]);
        DDV_MinMaxInt(pDX, m_to[a], lowest, top);
    }
    if (!pDX->m_bSaveAndValidate)
        return;
    if (m_direction < 0 || m_direction > 2)
        m_direction = 0;
    // The line runs along its direction only.
    for (int a = 0; a < 3; ++a)
        if (a != m_direction)
            m_to[a] = m_from[a];
}

} // namespace common
