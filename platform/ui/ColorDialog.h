// The standard colour dialog: opens on a colour and gives back the one the
// user chose. CC_FULLOPEN shows the custom-colour part at once. The test hook
// answers it with a colour (or Cancel).
#pragma once
#include "platform/ui/Defs.h"

class CWnd;

enum : DWORD {
    CC_RGBINIT = 0x00000001,
    CC_FULLOPEN = 0x00000002,
};

class CColorDialog {
  public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    // IDOK or IDCANCEL.
    int DoModal();
    // The chosen colour after IDOK (the initial one before).
    COLORREF GetColor() const { return m_colour; }

    struct {
        DWORD Flags = 0;
        COLORREF rgbResult = 0;
    } m_cc;

  private:
    COLORREF m_colour;
    CWnd* m_pParentWnd;
};
