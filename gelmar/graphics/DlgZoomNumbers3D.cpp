// The Zoom Numbers dialog of the perspectives (see DlgZoomNumbers3D.h).
#include "gelmar/graphics/DlgZoomNumbers3D.h"

#include "gelmar/graphics/core/ViewCamera.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

CDlgZoomNumbers3D::CDlgZoomNumbers3D(CWnd* pParent) : CDialog(IDD_ZOOM_NUMBERS_3D, pParent) {}

BOOL CDlgZoomNumbers3D::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (UINT id : {IDC_ZOOM_UNIT_X, IDC_ZOOM_UNIT_Y, IDC_ZOOM_UNIT_Z})
        SetDlgItemText(id, m_unitLabel);
    return TRUE;
}

void CDlgZoomNumbers3D::Exchange(CDataExchange* pDX, UINT id, float& value, float minimum, float maximum,
                                 bool limited)
{
    if (pDX->m_bSaveAndValidate) {
        // Unchanged: the value shown, whatever a refused try read before.
        const auto shown = m_shown.find(id);
        if (shown != m_shown.end() && GetDlgItemText(id) == shown->second.text) {
            value = shown->second.value;
            return;
        }
        DDX_Text(pDX, id, value);
        if (limited)
            DDV_MinMaxFloat(pDX, value, minimum, maximum);
        return;
    }
    DDX_Text(pDX, id, value);
    m_shown[id] = {GetDlgItemText(id), value};
}

void CDlgZoomNumbers3D::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    Exchange(pDX, IDC_ZOOM_AZIMUTH, m_azimuth, 0.0f, 360.0f, true);
    Exchange(pDX, IDC_ZOOM_ALTITUDE, m_altitude, 0.0f, 360.0f, true);
    Exchange(pDX, IDC_ZOOM_VIEW_ANGLE, m_viewAngle, kMinViewAngle, 60.0f, true);
    Exchange(pDX, IDC_ZOOM_FOCUS_X, m_focusX, 0, 0, false);
    Exchange(pDX, IDC_ZOOM_FOCUS_Y, m_focusY, 0, 0, false);
    Exchange(pDX, IDC_ZOOM_FOCUS_Z, m_focusZ, 0, 0, false);
}

} // namespace gelmar
