// The Calculation Parameters dialog. Durations are typed as days, hours,
// minutes and seconds in masked fields; the radiation and CEN groups are enabled only when the
// model has colours they apply to; "Set As Default" also makes the iteration
// and radiation values the defaults of the parameter file.
#include "gelmar/app/CalcParamDlg.h"

#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/MessageBox.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

CCalcParamDlg::CCalcParamDlg(Engine& engine) : CDialog(IDD_CALC_PARAMETERS), m_engine(engine)
{
    LoadFromModel();
}

void CCalcParamDlg::LoadFromModel()
{
    const ModelStore& m = m_engine.model;
    m_timeStep = m.timeStep;
    m_startup = m.startupDuration;
    m_calc = m.calcDuration;
    m_day0 = m.day0;
    m_cycles = m.cycles;
    m_iterations = m.iterations;
    m_maxDeltaT = m.maxDeltaT;
    m_maxObjectDivergence = m.maxObjectDivergence;
    m_maxNodeDivergence = m.maxNodeDivergence;
    m_radiation = m.linearRadiation ? 0 : 1;
    m_hrBlack = m.hrBlack;
    m_minViewFactor = m.minViewFactor;
    m_rays = m.rays;
    m_cen = m.recalcCen ? 0 : 1;
    m_airspaceDeltaT = m.airspaceDeltaT;
}

bool CCalcParamDlg::DiffersFromModel() const
{
    const ModelStore& m = m_engine.model;
    return m_timeStep != m.timeStep || m_startup != m.startupDuration || m_calc != m.calcDuration ||
           m_day0 != m.day0 || m_cycles != m.cycles || m_iterations != m.iterations ||
           m_maxDeltaT != m.maxDeltaT || m_maxObjectDivergence != m.maxObjectDivergence ||
           m_maxNodeDivergence != m.maxNodeDivergence || (m_radiation == 0) != (m.linearRadiation != 0) ||
           m_hrBlack != m.hrBlack || m_minViewFactor != m.minViewFactor || m_rays != m.rays ||
           (m_cen == 0) != (m.recalcCen != 0) || m_airspaceDeltaT != m.airspaceDeltaT;
}

void CCalcParamDlg::StoreInModel() const
{
    ModelStore& m = m_engine.model;
    m.timeStep = std::int32_t(m_timeStep);
    m.startupDuration = std::int32_t(m_startup);
    m.calcDuration = std::int32_t(m_calc);
    m.day0 = m_day0;
    m.cycles = m_cycles;
    m.iterations = m_iterations;
    m.maxDeltaT = m_maxDeltaT;
    m.maxObjectDivergence = m_maxObjectDivergence;
    m.maxNodeDivergence = m_maxNodeDivergence;
    m.linearRadiation = m_radiation == 0 ? 1 : 0;
    m.hrBlack = m_hrBlack;
    m.minViewFactor = m_minViewFactor;
    m.rays = m_rays;
    m.recalcCen = m_cen == 0 ? 1 : 0;
    m.airspaceDeltaT = m_airspaceDeltaT;
}

BOOL CCalcParamDlg::OnInitDialog()
{
    for (common::COXMaskedEdit* edit : {&m_editTimeStep, &m_editStartup, &m_editCalc}) {
        edit->SetMask(kDurationMask);
        edit->SetPromptSymbol(kDurationFill);
    }
    return CDialog::OnInitDialog();
}

namespace {

// A duration field: the masked edit shows the seconds as "dddd:hh:mm:ss"
// (days capped at 9999) and reads its ten digits back as days, hours,
// minutes and seconds.
void DDX_Duration(CDataExchange* pDX, UINT id, common::COXMaskedEdit& edit, long long& seconds)
{
    DDX_Control(pDX, id, edit);
    if (pDX->m_bSaveAndValidate) {
        seconds = ParseTimeDHMS(edit.GetInputData());
        return;
    }
    std::string digits;
    for (char c : FormatTimeDHMS(seconds))
        if (c >= '0' && c <= '9')
            digits += c;
    edit.SetInputData(digits);
}

} // namespace

void CCalcParamDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Duration(pDX, IDC_TIME_STEP, m_editTimeStep, m_timeStep);
    // A zero time step would never advance the calculation.
    if (pDX->m_bSaveAndValidate && m_timeStep <= 0) {
        AfxMessageBox(kTimeStepZero, MB_OK | MB_ICONEXCLAMATION);
        pDX->PrepareEditCtrl(IDC_TIME_STEP);
        pDX->Fail();
    }
    DDX_Duration(pDX, IDC_STARTUP_DURATION, m_editStartup, m_startup);
    DDX_Duration(pDX, IDC_CALC_DURATION, m_editCalc, m_calc);
    DDX_Text(pDX, IDC_DAY0, m_day0);
    DDV_MinMaxInt(pDX, m_day0, 1, 365);
    DDX_Text(pDX, IDC_CYCLES, m_cycles);
    DDV_MinMaxInt(pDX, m_cycles, 1, 1000000);
    DDX_Text(pDX, IDC_ITERATIONS, m_iterations);
    DDV_MinMaxInt(pDX, m_iterations, 1, 1000000000);
    DDX_Text(pDX, IDC_MAX_DT, m_maxDeltaT);
    DDV_MinMaxFloat(pDX, m_maxDeltaT, 1e-9f, 1.0f);
    DDX_Text(pDX, IDC_MAX_OBJ_DIV, m_maxObjectDivergence);
    DDV_MinMaxFloat(pDX, m_maxObjectDivergence, 1e-9f, 300.0f);
    DDX_Text(pDX, IDC_MAX_NODE_DIV, m_maxNodeDivergence);
    DDV_MinMaxFloat(pDX, m_maxNodeDivergence, 1e-9f, 300.0f);
    DDX_Radio(pDX, IDC_LINEAR, m_radiation);
    DDX_Text(pDX, IDC_HR_BLACK, m_hrBlack);
    DDV_MinMaxFloat(pDX, m_hrBlack, 1e-9f, 1000.0f);
    DDX_Text(pDX, IDC_MIN_VIEW_FACTOR, m_minViewFactor);
    DDV_MinMaxFloat(pDX, m_minViewFactor, 1e-9f, 1.0f);
    DDX_Text(pDX, IDC_RAYS, m_rays);
    DDV_MinMaxInt(pDX, m_rays, 0, 1000000);
    DDX_Radio(pDX, IDC_CEN_YES, m_cen);
    DDX_Text(pDX, IDC_AIRSPACE_DT, m_airspaceDeltaT);
    DDV_MinMaxFloat(pDX, m_airspaceDeltaT, 0.0f, 1000.0f);
}

BOOL CCalcParamDlg::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnControl(IDC_DAY_INFO, BN_CLICKED, &CCalcParamDlg::OnDayInfo),
        OnControl(IDC_SET_AS_DEFAULT, BN_CLICKED, &CCalcParamDlg::OnSetAsDefault),
        OnUpdateRange(IDC_LINEAR, IDC_RAYS, &CCalcParamDlg::OnUpdateRadiation),
        OnUpdate(IDC_CEN_YES, &CCalcParamDlg::OnUpdateCen),
        OnUpdate(IDC_CEN_NO, &CCalcParamDlg::OnUpdateCen),
        OnUpdate(IDC_AIRSPACE_DT, &CCalcParamDlg::OnUpdateCen),
        OnUpdate(IDC_CYCLES, &CCalcParamDlg::OnUpdateCycles),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CCalcParamDlg::OnDayInfo()
{
    AfxMessageBox(IDS_DAY_NUMBERS, MB_OK | MB_ICONINFORMATION);
}

void CCalcParamDlg::OnSetAsDefault()
{
    if (!UpdateData(TRUE))
        return;
    ParameterSet& p = m_engine.parameters;
    p.linr = m_radiation == 0 ? 1 : 0;
    p.hrbl = m_hrBlack;
    p.vwfc = m_minViewFactor;
    p.rays = m_rays;
    p.ccen = m_cen == 0 ? 1 : 0;
    p.dtas = m_airspaceDeltaT;
    p.cycl = m_cycles;
    p.iter = m_iterations;
    p.mxdt = m_maxDeltaT;
    p.mxod = m_maxObjectDivergence;
    p.mxnd = m_maxNodeDivergence;
    m_engine.parametersChanged = true;
    EndDialog(IDOK);
}

void CCalcParamDlg::OnUpdateRadiation(CCmdUI* ui)
{
    ui->Enable(HasRadiatingColours(m_engine.model));
}

void CCalcParamDlg::OnUpdateCen(CCmdUI* ui)
{
    ui->Enable(HasRuleColours(m_engine.model));
}

void CCalcParamDlg::OnUpdateCycles(CCmdUI* ui)
{
    const bool nonLinear = IsDlgButtonChecked(IDC_NON_LINEAR) != 0;
    const bool cen = IsDlgButtonChecked(IDC_CEN_YES) != 0;
    ui->Enable((HasRadiatingColours(m_engine.model) && nonLinear) || (HasRuleColours(m_engine.model) && cen));
}

} // namespace gelmar
