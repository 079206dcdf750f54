// The Clip Object dialogs of the graphic outputs: CDlgClipObject (dialog 155)
// with the grid-line indices of a Cartesian model's clip box, each maximum
// between its minimum + 1 and the axis's cell count and each minimum between
// 0 and its maximum - 1; and CDlgClipObjectRCL (dialog 156) with the same box
// in the odd numbering of the R/C/L naming (2 i + 1, the L values counted
// from the top of z), each maximum between its minimum + 2 and 2 n + 1 and
// each minimum between 1 and its maximum - 2. The caller converts the box to
// and from the fields with the functions below.
#pragma once
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

#include <cstdint>

namespace common {

enum : UINT {
    IDD_CLIP_OBJECT = 155,
    IDD_CLIP_OBJECT_RCL = 156,
    IDC_CLIP_FIRST = 1110, // six edits, 1110 .. 1115: min and max of x, y, z (R, C, L)
};

platform::DialogTemplate ClipObjectDialogTemplate(bool rcl);

// The clip box: lower and upper grid-line index of each axis.
struct ClipBox {
    std::uint16_t lo[3] = {};
    std::uint16_t hi[3] = {};
    bool operator==(const ClipBox&) const = default;
};

class CDlgClipObject : public CDialog {
  public:
    // n: the number of grid cells along x, y, z.
    CDlgClipObject(const int n[3], bool rcl, CWnd* pParent = nullptr);

    // Xmin, Xmax, Ymin, Ymax, Zmin, Zmax (Rmin ... Lmax) as the fields show them.
    int m_value[6] = {};

    void DoDataExchange(CDataExchange* pDX) override;

    // The fields of a box and the box of the fields, in the dialog's numbering.
    static void BoxToFields(const ClipBox& box, const int n[3], bool rcl, int fields[6]);
    static ClipBox FieldsToBox(const int fields[6], const int n[3], bool rcl);

  private:
    int m_n[3];
    bool m_rcl;
};

} // namespace common
