// CDlgZoomNumbers2D (dialog 153 "Zoom Numbers"): the window of a section
// picture as numbers, Umin, Umax, Vmin, Vmax in model length units (no
// limits), each followed by the grid unit's label. A field left as it was
// shown keeps its value exactly, so that OK without changes changes nothing.
#pragma once
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

#include <map>
#include <string>

namespace common {

enum : UINT {
    IDD_ZOOM_NUMBERS_2D = 153,
    IDC_ZOOM_UMIN = 1080,
    IDC_ZOOM_UMAX = 1081,
    IDC_ZOOM_VMIN = 1082,
    IDC_ZOOM_VMAX = 1083,
    IDC_ZOOM_UNIT_UMIN = 1084,
    IDC_ZOOM_UNIT_UMAX = 1085,
    IDC_ZOOM_UNIT_VMIN = 1086,
    IDC_ZOOM_UNIT_VMAX = 1087,
};

platform::DialogTemplate ZoomNumbers2DDialogTemplate();

class CDlgZoomNumbers2D : public CDialog {
  public:
    explicit CDlgZoomNumbers2D(CWnd* pParent = nullptr) : CDialog(IDD_ZOOM_NUMBERS_2D, pParent) {}

    float m_umin = 0, m_umax = 1, m_vmin = 0, m_vmax = 1;
    // The grid unit's label ("[m]", "[mm]", ...).
    std::string m_unitLabel;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    // The text each field was filled with and the value behind it.
    std::map<UINT, std::pair<std::string, float>> m_shown;
};

} // namespace common
