// The Image Size dialog (see DlgImageSize.h).
#include "common/ui/DlgImageSize.h"

namespace common {

platform::DialogTemplate ImageSizeDialogTemplate()
{
    using platform::Ctl;
    platform::DialogTemplate t{IDD_IMAGE_SIZE, "Image Size"};
    t.controls = {
        {Ctl::Static, 0xFFFF, "&Width", 0, 0},
        {Ctl::Edit, IDC_IMAGE_WIDTH, "", 0, 1},
        {Ctl::Static, 0xFFFF, "pixels", 0, 2},
        {Ctl::Static, 0xFFFF, "&Height", 1, 0},
        {Ctl::Edit, IDC_IMAGE_HEIGHT, "", 1, 1},
        {Ctl::Static, 0xFFFF, "pixels", 1, 2},
        {Ctl::Static, 0xFFFF, "&Font size", 2, 0},
        {Ctl::Edit, IDC_IMAGE_FONT_SIZE, "", 2, 1},
        {Ctl::Static, 0xFFFF, "points", 2, 2},
        {Ctl::DefPushButton, IDOK, "OK", 0, 3},
        {Ctl::PushButton, IDCANCEL, "Cancel", 1, 3},
        {Ctl::PushButton, IDC_SET_AS_DEFAULT_BUTTON, "Set As Default", 2, 3},
    };
    return t;
}

void CDlgImageSize::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_IMAGE_WIDTH, m_width);
    DDV_MinMaxInt(pDX, m_width, 1, 1000000);
    DDX_Text(pDX, IDC_IMAGE_HEIGHT, m_height);
    DDV_MinMaxInt(pDX, m_height, 1, 1000000);
    DDX_Text(pDX, IDC_IMAGE_FONT_SIZE, m_fontSize);
    DDV_MinMaxInt(pDX, m_fontSize, 1, 1000);
}

} // namespace common
