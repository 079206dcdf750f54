// The axis-scale dialogs of the function graph.
#include "gelmar/graphics/DlgAxisScale.h"

#include "gelmar/model/store/EngineServices.h"
#include "resources/gelmar/GelmarIds.h"

#include <algorithm>
#include <cmath>

namespace gelmar {

namespace {

constexpr const char* kTimeMask = "####:##:##:##";

// The digits of a duration's "dddd:hh:mm:ss", for the input positions of
// the masked field; fixed values far beyond 9999 days are capped first.
std::string DurationDigits(double seconds)
{
    const double capped = std::min(std::fabs(seconds), 1e12);
    std::string digits;
    for (char c : FormatTimeDHMS(static_cast<long long>(capped)))
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

} // namespace

BOOL CDlgScaleBase::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (nCode == CN_UPDATE_COMMAND_UI && pCmdUI && IsValueControl(nID)) {
        pCmdUI->Enable(IsDlgButtonChecked(IDC_SCALE_FIXED) == 1);
        return TRUE;
    }
    return CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

LRESULT CDlgScaleBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KICKIDLE) {
        UpdateDialogControls(this, FALSE);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

CDlgAxisScale::CDlgAxisScale(UINT nIDTemplate, CWnd* pParent) : CDlgScaleBase(nIDTemplate, pParent)
{
    if (nIDTemplate == IDD_X_ANGLE_SCALE) {
        m_limited = true;
        m_high = 90;
    } else if (nIDTemplate == IDD_Y_SOLAR_REFLECTION_SCALE) {
        m_limited = true;
        m_high = 1;
    }
}

bool CDlgAxisScale::IsValueControl(UINT id) const
{
    return id == IDC_SCALE_MIN || id == IDC_SCALE_MAX || id == IDC_SCALE_MAJOR || id == IDC_SCALE_MINOR;
}

void CDlgAxisScale::DoDataExchange(CDataExchange* pDX)
{
    if (!m_limited) {
        DDX_Radio(pDX, IDC_SCALE_FIXED, m_scope);
        DDX_Text(pDX, IDC_SCALE_MAJOR, m_major);
        DDX_Text(pDX, IDC_SCALE_MINOR, m_minor);
        DDX_Text(pDX, IDC_SCALE_MAX, m_max);
        DDX_Text(pDX, IDC_SCALE_MIN, m_min);
        return;
    }
    DDX_Text(pDX, IDC_SCALE_MIN, m_min);
    DDV_MinMaxFloat(pDX, m_min, m_low, m_high);
    DDX_Text(pDX, IDC_SCALE_MAX, m_max);
    DDV_MinMaxFloat(pDX, m_max, m_low, m_high);
    DDX_Text(pDX, IDC_SCALE_MAJOR, m_major);
    DDV_MinMaxFloat(pDX, m_major, m_low, m_high);
    DDX_Text(pDX, IDC_SCALE_MINOR, m_minor);
    DDV_MinMaxFloat(pDX, m_minor, m_low, m_high);
    DDX_Radio(pDX, IDC_SCALE_FIXED, m_scope);
}

#define GELMAR_AXIS_SCALE_DIALOG(Class, id)                                                                  \
    Class::Class(CWnd* pParent) : CDlgAxisScale(id, pParent) {}
GELMAR_AXIS_SCALE_DIALOG(CDlgXTemperatureScale, IDD_X_TEMPERATURE_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgXAngleScale, IDD_X_ANGLE_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYFluxScale, IDD_Y_FLUX_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYPowerScale, IDD_Y_POWER_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYVentilationScale, IDD_Y_VENTILATION_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYConductivityScale, IDD_Y_CONDUCTIVITY_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYSpecificHeatScale, IDD_Y_SPECIFIC_HEAT_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYTemperatureScale, IDD_Y_TEMPERATURE_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYSolarReflectionScale, IDD_Y_SOLAR_REFLECTION_SCALE)
GELMAR_AXIS_SCALE_DIALOG(CDlgYHeatTransferScale, IDD_Y_HEAT_TRANSFER_SCALE)
#undef GELMAR_AXIS_SCALE_DIALOG

CDlgXTimeScale::CDlgXTimeScale(CWnd* pParent) : CDlgScaleBase(IDD_X_TIME_SCALE, pParent) {}

bool CDlgXTimeScale::IsValueControl(UINT id) const
{
    switch (id) {
    case IDC_TIME_SCALE_MIN:
    case IDC_MIN_PLUS:
    case IDC_MIN_MINUS:
    case IDC_TIME_SCALE_MAX:
    case IDC_MAX_PLUS:
    case IDC_MAX_MINUS:
    case IDC_TIME_SCALE_MAJOR:
    case IDC_TIME_SCALE_MINOR:
    case IDC_LABEL_SECONDS:
    case IDC_LABEL_MINUTES:
    case IDC_LABEL_HOURS:
    case IDC_LABEL_DAYS:
        return true;
    default:
        return false;
    }
}

BOOL CDlgXTimeScale::OnInitDialog()
{
    for (common::COXMaskedEdit* edit : {&m_editMin, &m_editMax, &m_editMajor, &m_editMinor}) {
        edit->SetPromptSymbol('0');
        edit->SetMask(kTimeMask);
        edit->SetInsertMode(FALSE);
    }
    // The range in whole seconds, its signs on the radio buttons.
    m_min = std::trunc(m_min);
    m_max = std::trunc(m_max);
    m_minSign = m_min < 0 ? 1 : 0;
    m_maxSign = m_max < 0 ? 1 : 0;
    return CDlgScaleBase::OnInitDialog();
}

void CDlgXTimeScale::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_SCALE_FIXED, m_scope);
    DDX_Radio(pDX, IDC_LABEL_SECONDS, m_labelUnit);
    const std::pair<UINT, common::COXMaskedEdit*> edits[] = {{IDC_TIME_SCALE_MIN, &m_editMin},
                                                             {IDC_TIME_SCALE_MAX, &m_editMax},
                                                             {IDC_TIME_SCALE_MAJOR, &m_editMajor},
                                                             {IDC_TIME_SCALE_MINOR, &m_editMinor}};
    double* values[] = {&m_min, &m_max, &m_major, &m_minor};
    for (std::size_t i = 0; i < 4; ++i) {
        DDX_Control(pDX, edits[i].first, *edits[i].second);
        if (pDX->m_bSaveAndValidate)
            *values[i] = static_cast<double>(ParseTimeDHMS(edits[i].second->GetInputData()));
        else
            edits[i].second->SetInputData(DurationDigits(*values[i]), 0, TRUE);
    }
    DDX_Radio(pDX, IDC_MIN_PLUS, m_minSign);
    DDX_Radio(pDX, IDC_MAX_PLUS, m_maxSign);
    if (pDX->m_bSaveAndValidate) {
        if (m_minSign == 1)
            m_min = -m_min;
        if (m_maxSign == 1)
            m_max = -m_max;
    }
}

} // namespace gelmar
