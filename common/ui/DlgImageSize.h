// CDlgImageSize (dialog 12004 "Image Size"): the size in pixels (1 ...
// 1,000,000 each way) and the font size in points (1 ... 1000) at which the
// graphic outputs render the pictures they save, whatever the window's size;
// with "Set As Default".
#pragma once
#include "common/ui/SetAsDefaultDialog.h"
#include "platform/ui/Resources.h"

namespace common {

enum : UINT {
    IDD_IMAGE_SIZE = 12004,
    IDC_IMAGE_WIDTH = 1076,
    IDC_IMAGE_HEIGHT = 1077,
    IDC_IMAGE_FONT_SIZE = 1078,
};

platform::DialogTemplate ImageSizeDialogTemplate();

class CDlgImageSize : public CSetAsDefaultDialog {
  public:
    explicit CDlgImageSize(CWnd* pParent = nullptr) : CSetAsDefaultDialog(IDD_IMAGE_SIZE, pParent) {}

    int m_width = 1200;
    int m_height = 900;
    int m_fontSize = 10;

    void DoDataExchange(CDataExchange* pDX) override;
};

} // namespace common
