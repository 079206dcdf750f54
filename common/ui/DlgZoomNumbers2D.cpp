// The Zoom Numbers dialog of the section pictures (see DlgZoomNumbers2D.h).
#include "common/ui/DlgZoomNumbers2D.h"

namespace common {

platform::DialogTemplate ZoomNumbers2DDialogTemplate()
{
    using platform::Ctl;
    platform::DialogTemplate t{IDD_ZOOM_NUMBERS_2D, "Zoom Numbers"};
    const struct {
        const char* label;
        UINT edit, unit;
    } rows[] = {{"&Umin", IDC_ZOOM_UMIN, IDC_ZOOM_UNIT_UMIN},
                {"Uma&x", IDC_ZOOM_UMAX, IDC_ZOOM_UNIT_UMAX},
                {"&Vmin", IDC_ZOOM_VMIN, IDC_ZOOM_UNIT_VMIN},
                {"V&max", IDC_ZOOM_VMAX, IDC_ZOOM_UNIT_VMAX}};
    int row = 0;
    for (const auto& r : rows) {
        t.controls.push_back({Ctl::Static, 0xFFFF, r.label, row, 0});
        t.controls.push_back({Ctl::Edit, r.edit, "", row, 1, 1, 1, ES_AUTOHSCROLL});
        t.controls.push_back({Ctl::Static, r.unit, "", row, 2});
        ++row;
    }
    t.controls.push_back({Ctl::DefPushButton, IDOK, "OK", row, 0});
    t.controls.push_back({Ctl::PushButton, IDCANCEL, "Cancel", row, 1});
    return t;
}

BOOL CDlgZoomNumbers2D::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (UINT id : {IDC_ZOOM_UNIT_UMIN, IDC_ZOOM_UNIT_UMAX, IDC_ZOOM_UNIT_VMIN, IDC_ZOOM_UNIT_VMAX})
        SetDlgItemText(id, m_unitLabel);
    return TRUE;
}

void CDlgZoomNumbers2D::DoDataExchange(CDataExchange* pDX)
{
    const std::pair<UINT, float*> fields[] = {
        {IDC_ZOOM_UMIN, &m_umin}, {IDC_ZOOM_UMAX, &m_umax}, {IDC_ZOOM_VMIN, &m_vmin}, {IDC_ZOOM_VMAX, &m_vmax}};
    for (const auto& [id, value] : fields) {
        if (!pDX->m_bSaveAndValidate) {
            DDX_Text(pDX, id, *value);
            m_shown[id] = {GetDlgItemText(id), *value};
            continue;
        }
        const auto shown = m_shown.find(id);
        if (shown != m_shown.end() && GetDlgItemText(id) == shown->second.first)
            *value = shown->second.second;
        else
            DDX_Text(pDX, id, *value);
    }
}

} // namespace common
