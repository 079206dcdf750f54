// The Temperature Profile Line Definition dialogs: the direction the line
// runs ("Parallel to" X, Y or Z) and its two grid points ("From" and "To").
// CDlgTempProfileLine (dialog 176) takes grid-line indices 0 .. n of each
// axis; CDlgTempProfileLineRCL (dialog 12019) takes R, C, L in the odd
// numbering 1 .. 2 n + 1, and an even value becomes the next odd one when
// its field is left. Only the "To" field of the chosen direction can be
// edited: the other two always equal their "From" fields, which choosing a
// direction and leaving a "From" field keep so.
#pragma once
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace common {

enum : UINT {
    IDD_TEMP_PROFILE_LINE = 176,
    IDD_TEMP_PROFILE_LINE_RCL = 12019,
    IDC_PROFILE_DIRECTION = 1120, // three radio buttons, 1120 .. 1122
    IDC_PROFILE_FROM = 1123,      // three edits, 1123 .. 1125
    IDC_PROFILE_TO = 1126,        // three edits, 1126 .. 1128
};

platform::DialogTemplate TempProfileLineDialogTemplate(bool rcl);

class CDlgTempProfileLine : public CDialog {
  public:
    // n: the number of grid cells along x, y, z.
    CDlgTempProfileLine(const int n[3], bool rcl, CWnd* pParent = nullptr);

    int m_direction = 0; // 0 x (R), 1 y (C), 2 z (L)
    int m_from[3] = {};
    int m_to[3] = {};

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

  private:
    void OnDirection(UINT id);
    void OnFieldLeft(UINT id);
    // Enables the "To" field of the direction and copies the other two
    // "From" fields into their "To" fields.
    void ApplyDirection();
    int CheckedDirection() const;

    int m_n[3];
    bool m_rcl;
};

} // namespace common
