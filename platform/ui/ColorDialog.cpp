// The colour dialog over Qt's.
#include "platform/ui/ColorDialog.h"

#include "platform/ui/TestHook.h"
#include "platform/ui/Wnd.h"

#include <QColorDialog>

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : m_colour(clrInit), m_pParentWnd(pParentWnd)
{
    m_cc.Flags = dwFlags | CC_RGBINIT;
    m_cc.rgbResult = clrInit;
}

int CColorDialog::DoModal()
{
    if (std::optional<std::optional<COLORREF>> answer = platform::TestHook::Get().NextColorDialogAnswer()) {
        if (!*answer)
            return IDCANCEL;
        m_colour = m_cc.rgbResult = **answer;
        return IDOK;
    }
    QWidget* parent =
        m_pParentWnd && m_pParentWnd->GetWidget() ? m_pParentWnd->GetWidget()->window() : nullptr;
    QColorDialog dialog(QColor(GetRValue(m_colour), GetGValue(m_colour), GetBValue(m_colour)), parent);
    // Qt's dialog always shows its custom colours; a full-open dialog is its
    // only form.
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    const QColor c = dialog.selectedColor();
    m_colour = m_cc.rgbResult = RGB(c.red(), c.green(), c.blue());
    return IDOK;
}
