// The Clip Object dialogs (see DlgClipObject.h).
#include "common/ui/DlgClipObject.h"

#include <algorithm>

namespace common {

platform::DialogTemplate ClipObjectDialogTemplate(bool rcl)
{
    using platform::Ctl;
    platform::DialogTemplate t{rcl ? UINT(IDD_CLIP_OBJECT_RCL) : UINT(IDD_CLIP_OBJECT), "Clip Object"};
    static const char* const xyz[6] = {"&1: Xmin", "&2: Xmax", "&3: Ymin", "&4: Ymax", "&5: Zmin", "&6: Zmax"};
    static const char* const rclNames[6] = {"&1: Rmin", "&2: Rmax", "&3: Cmin", "&4: Cmax", "&5: Lmin", "&6: Lmax"};
    for (int f = 0; f < 6; ++f) {
        t.controls.push_back({Ctl::Static, 0xFFFF, rcl ? rclNames[f] : xyz[f], f / 2, 2 * (f % 2)});
        t.controls.push_back({Ctl::Edit, IDC_CLIP_FIRST + static_cast<UINT>(f), "", f / 2, 2 * (f % 2) + 1});
    }
    t.controls.push_back({Ctl::DefPushButton, IDOK, "OK", 0, 4});
    t.controls.push_back({Ctl::PushButton, IDCANCEL, "Cancel", 1, 4});
    return t;
}

CDlgClipObject::CDlgClipObject(const int n[3], bool rcl, CWnd* pParent)
    : CDialog(rcl ? IDD_CLIP_OBJECT_RCL : IDD_CLIP_OBJECT, pParent), m_n{n[0], n[1], n[2]}, m_rcl(rcl)
{
}

void CDlgClipObject::BoxToFields(const ClipBox& box, const int n[3], bool rcl, int fields[6])
{
    for (int a = 0; a < 3; ++a) {
        fields[2 * a] = box.lo[a];
        fields[2 * a + 1] = box.hi[a];
    }
    if (!rcl)
        return;
    fields[0] = 2 * box.lo[0] + 1;
    fields[1] = 2 * box.hi[0] + 1;
    fields[2] = 2 * box.lo[1] + 1;
    fields[3] = 2 * box.hi[1] + 1;
    // L counts from the top of z: Lmin shows the upper z index.
    fields[4] = 2 * (n[2] - box.hi[2]) + 1;
    fields[5] = 2 * (n[2] - box.lo[2]) + 1;
}

ClipBox CDlgClipObject::FieldsToBox(const int fields[6], const int n[3], bool rcl)
{
    ClipBox box;
    for (int a = 0; a < 3; ++a) {
        box.lo[a] = static_cast<std::uint16_t>(rcl ? fields[2 * a] / 2 : fields[2 * a]);
        box.hi[a] = static_cast<std::uint16_t>(rcl ? fields[2 * a + 1] / 2 : fields[2 * a + 1]);
    }
    if (rcl) {
        box.hi[2] = static_cast<std::uint16_t>(n[2] - fields[4] / 2);
        box.lo[2] = static_cast<std::uint16_t>(n[2] - fields[5] / 2);
    }
    return box;
}

void CDlgClipObject::DoDataExchange(CDataExchange* pDX)
{
    for (int f = 0; f < 6; ++f)
        DDX_Text(pDX, IDC_CLIP_FIRST + static_cast<UINT>(f), m_value[f]);
    if (!pDX->m_bSaveAndValidate)
        return;
    // The limits of each field follow from the other field of its axis.
    const int gap = m_rcl ? 2 : 1;
    const int lowest = m_rcl ? 1 : 0;
    for (int a = 0; a < 3; ++a) {
        const int top = m_rcl ? 2 * m_n[a] + 1 : m_n[a];
        pDX->PrepareEditCtrl(IDC_CLIP_FIRST + static_cast<UINT>(2 * a));
        DDV_MinMaxInt(pDX, m_value[2 * a], lowest, std::max(lowest, m_value[2 * a + 1] - gap));
        pDX->PrepareEditCtrl(IDC_CLIP_FIRST + static_cast<UINT>(2 * a + 1));
        DDV_MinMaxInt(pDX, m_value[2 * a + 1], m_value[2 * a] + gap, top);
    }
}

} // namespace common
