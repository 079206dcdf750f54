// The 3D view's resources: the Zoom Numbers dialog (154), which the graphic
// output window shares for its perspective.
#include "platform/ui/Resources.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

void RegisterView3DResources()
{
    using platform::ControlTemplate;
    using platform::Ctl;
    constexpr UINT kNoId = 0xFFFF;
    platform::DialogTemplate zoom{IDD_ZOOM_NUMBERS_3D, "Zoom Numbers"};
    const struct {
        const char* label;
        UINT edit, unit;
        const char* unitText;
    } rows[] = {{"Azi&muth", IDC_ZOOM_AZIMUTH, kNoId, "°"},
                {"&Altitude", IDC_ZOOM_ALTITUDE, kNoId, "°"},
                {"&View Angle", IDC_ZOOM_VIEW_ANGLE, kNoId, "°"},
                {"&X Focus", IDC_ZOOM_FOCUS_X, IDC_ZOOM_UNIT_X, ""},
                {"&Y Focus", IDC_ZOOM_FOCUS_Y, IDC_ZOOM_UNIT_Y, ""},
                {"&Z Focus", IDC_ZOOM_FOCUS_Z, IDC_ZOOM_UNIT_Z, ""}};
    int row = 0;
    for (const auto& r : rows) {
        zoom.controls.push_back(ControlTemplate{Ctl::Static, kNoId, r.label, row, 0});
        zoom.controls.push_back(ControlTemplate{Ctl::Edit, r.edit, "", row, 1, 1, 1, ES_AUTOHSCROLL});
        zoom.controls.push_back(ControlTemplate{Ctl::Static, r.unit, r.unitText, row, 2});
        ++row;
    }
    zoom.controls.push_back(ControlTemplate{Ctl::DefPushButton, IDOK, "OK", row, 0});
    zoom.controls.push_back(ControlTemplate{Ctl::PushButton, IDCANCEL, "Cancel", row, 1});
    platform::Resources::Get().AddDialog(zoom);
}

} // namespace gelmar
