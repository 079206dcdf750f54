// CDlgZoomNumbers3D (dialog 154 "Zoom Numbers"): the camera of a perspective
// as numbers: azimuth and altitude (0..360 degrees), the view angle (up to
// 60 degrees; a zero angle is refused, since it would be a degenerate
// projection) and the focus point in model units, each focus field labelled
// with the grid unit. A field left as it was shown keeps its value exactly
// (the fields show six digits), so that OK without changes changes nothing.
// Used by the 3D view and the graphic output window.
#pragma once
#include "platform/ui/Dialog.h"

#include <map>
#include <string>

namespace gelmar {

class CDlgZoomNumbers3D : public CDialog {
  public:
    explicit CDlgZoomNumbers3D(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    float m_azimuth = 30, m_altitude = 30, m_viewAngle = 60;
    float m_focusX = 0, m_focusY = 0, m_focusZ = 0;
    // The grid unit's label ("[m]", "[mm]", ...) shown after the focus fields.
    std::string m_unitLabel;

  private:
    // A value field: shown, or read back unless its text is still the one shown.
    void Exchange(CDataExchange* pDX, UINT id, float& value, float minimum, float maximum, bool limited);
    struct Shown {
        std::string text;
        float value;
    };
    std::map<UINT, Shown> m_shown;
};

} // namespace gelmar
