// The Line Styles dialog (see DlgLineStyles.h).
#include "common/ui/DlgLineStyles.h"

#include "platform/ui/ColorDialog.h"

#include <QWidget>

namespace common {

platform::DialogTemplate LineStylesDialogTemplate()
{
    using platform::Ctl;
    platform::DialogTemplate t{IDD_LINE_STYLES, "Line Styles"};
    constexpr UINT kIsotherms = 2111, kIsofluxes = 2112;
    const struct {
        const char* label;
        int row;
        UINT group;
    } lines[kLineStyleCount] = {{"Object lines", 1, 0},        {"Grid lines", 2, 0},
                                {"First increments", 0, kIsotherms}, {"Second increments", 1, kIsotherms},
                                {"Single value", 2, kIsotherms},     {"First increments", 0, kIsofluxes},
                                {"Second increments", 1, kIsofluxes}};
    t.controls.push_back({Ctl::Static, 0xFFFF, "Colour", 0, 1});
    t.controls.push_back({Ctl::Static, 0xFFFF, "Width [pixels]", 0, 2});
    for (int k = 0; k < 2; ++k) {
        t.controls.push_back({Ctl::Static, 0xFFFF, lines[k].label, lines[k].row, 0});
        t.controls.push_back({Ctl::Custom, IDC_LINE_COLOUR + static_cast<UINT>(k), "", lines[k].row, 1});
        t.controls.push_back({Ctl::Edit, IDC_LINE_WIDTH + static_cast<UINT>(k), "", lines[k].row, 2});
    }
    t.controls.push_back({Ctl::GroupBox, kIsotherms, "Isothermal lines", 3, 0, 1, 3});
    t.controls.push_back({Ctl::GroupBox, kIsofluxes, "Isoflux lines", 4, 0, 1, 3});
    for (int k = 2; k < kLineStyleCount; ++k) {
        t.controls.push_back({Ctl::Static, 0xFFFF, lines[k].label, lines[k].row, 0, 1, 1, 0, lines[k].group});
        t.controls.push_back({Ctl::Custom, IDC_LINE_COLOUR + static_cast<UINT>(k), "", lines[k].row, 1, 1, 1, 0,
                              lines[k].group});
        t.controls.push_back({Ctl::Edit, IDC_LINE_WIDTH + static_cast<UINT>(k), "", lines[k].row, 2, 1, 1, 0,
                              lines[k].group});
    }
    t.controls.push_back({Ctl::DefPushButton, IDOK, "OK", 0, 3});
    t.controls.push_back({Ctl::PushButton, IDCANCEL, "Cancel", 1, 3});
    t.controls.push_back({Ctl::PushButton, IDC_SET_AS_DEFAULT_BUTTON, "Set As Default", 2, 3});
    return t;
}

void CColourButton::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(&r, m_colour);
    dc.Draw3dRect(&r, RGB(255, 255, 255), RGB(64, 64, 64));
}

void CColourButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect r;
    GetClientRect(&r);
    if (r.PtInRect(point))
        NotifyParent(BN_CLICKED);
    CWnd::OnLButtonUp(nFlags, point);
}

CDlgLineStyles::CDlgLineStyles(CWnd* pParent) : CSetAsDefaultDialog(IDD_LINE_STYLES, pParent) {}

CDlgLineStyles::~CDlgLineStyles()
{
    for (CColourButton& b : m_buttons)
        if (b.GetSafeHwnd())
            b.DestroyWindow();
}

BOOL CDlgLineStyles::OnInitDialog()
{
    for (int k = 0; k < kLineStyleCount; ++k) {
        m_buttons[k].m_colour = m_colour[k];
        m_buttons[k].SubclassDlgItem(IDC_LINE_COLOUR + static_cast<UINT>(k), this);
        if (QWidget* w = m_buttons[k].GetWidget())
            w->setMinimumSize(48, 18);
    }
    return CSetAsDefaultDialog::OnInitDialog();
}

void CDlgLineStyles::DoDataExchange(CDataExchange* pDX)
{
    for (int k = 0; k < kLineStyleCount; ++k) {
        const int lowest = k <= kGridLines ? 1 : 0;
        DDX_Text(pDX, IDC_LINE_WIDTH + static_cast<UINT>(k), m_width[k]);
        DDV_MinMaxInt(pDX, m_width[k], lowest, 1000);
    }
    if (pDX->m_bSaveAndValidate)
        for (int k = 0; k < kLineStyleCount; ++k)
            m_colour[k] = m_buttons[k].m_colour;
}

void CDlgLineStyles::OnColourButton(UINT id)
{
    CColourButton& button = m_buttons[id - IDC_LINE_COLOUR];
    CColorDialog dlg(button.m_colour, CC_FULLOPEN, this);
    if (dlg.DoModal() != IDOK)
        return;
    button.m_colour = dlg.GetColor();
    button.Invalidate();
}

BOOL CDlgLineStyles::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        {IDC_LINE_COLOUR, IDC_LINE_COLOUR + static_cast<UINT>(kLineStyleCount) - 1, BN_CLICKED,
         [](CCmdTarget* t, UINT id) { static_cast<CDlgLineStyles*>(t)->OnColourButton(id); }, nullptr},
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CSetAsDefaultDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

} // namespace common
