// The calculation progress windows. The run starts from the first paint so
// that the window is on screen before the engine takes the thread; the
// engine's host reaches the window through the process-wide pointers, which
// are set only for the run. The run is the engine's own work of the window
// (RunProgressWork), which tidies up after a failure or Esc; the window then
// closes itself and keeps how the run ended for the command that started it.
#include "gelmar/app/CalcProgress.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/App.h"
#include "resources/gelmar/GelmarIds.h"

#include <QWidget>
#include <cstdio>
#include <filesystem>

namespace gelmar {

CCalcProgressDlg* g_calcProgress = nullptr;
CSolarFluxProgressDlg* g_solarProgress = nullptr;
CViewFactorProgressDlg* g_viewFactorProgress = nullptr;

CProgressDlgBase::CProgressDlgBase(UINT id, UINT progressId, int range)
    : CDialog(id), m_progressId(progressId), m_range(range)
{
}

void CProgressDlgBase::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, m_progressId, m_progress);
}

void CProgressDlgBase::OnCancel()
{
    if (!m_running)
        CDialog::OnCancel();
}

void CProgressDlgBase::SetReadOut(UINT id, std::string_view text)
{
    SetDlgItemText(id, std::string(text));
    if (CWnd* w = GetDlgItem(id))
        w->UpdateWindow();
}

void CProgressDlgBase::SetNumber(UINT id, long long value)
{
    SetReadOut(id, std::to_string(value));
}

void CProgressDlgBase::SetFloat(UINT id, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    SetReadOut(id, text);
}

void CProgressDlgBase::OnPaint()
{
    CPaintDC dc(this);
    if (m_started)
        return;
    m_started = true;
    CWaitCursor wait;
    m_progress.SetRange32(0, m_range);
    m_progress.SetStep(1);
    m_progress.StepIt();
    m_progress.SetPos(0);
    g_activeProgress = &m_progress;
    TheAppHost().BeginRun();
    TheAppHost().running = true;
    m_running = true;
    m_outcome = Run();
    m_running = false;
    TheAppHost().running = false;
    g_activeProgress = nullptr;
    PostMessage(WM_CLOSE);
}

// The transient calculation.
CCalcProgressDlg::CCalcProgressDlg(ModelStore& model, RunState& run)
    : CProgressDlgBase(IDD_CALC_PROGRESS, IDC_CALC_PROGRESS, 2400), m_model(model), m_run(run)
{
}

CCalcProgressDlg::~CCalcProgressDlg()
{
    if (g_calcProgress == this)
        g_calcProgress = nullptr;
}

BOOL CCalcProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const ModelStore& s = m_model;
    const bool oneCycle = !HasTemperatureDependentMaterials(m_model, m_run) &&
                          (s.linearRadiation == 1 || !HasRadiatingColours(m_model)) &&
                          (s.recalcCen == 0 || !HasRuleColours(m_model));
    SetNumber(IDC_CYCLES_LIMIT, oneCycle ? 1 : s.cycles);
    SetNumber(IDC_ITER_LIMIT, s.iterations);
    SetFloat(IDC_DT_LIMIT, s.maxDeltaT);
    SetFloat(IDC_OBJ_DIV_LIMIT, s.maxObjectDivergence);
    SetFloat(IDC_NODE_DIV_LIMIT, s.maxNodeDivergence);
    SetWindowText(platform::LoadString(IDS_CALCULATION_CAPTION) + " [" +
                  std::filesystem::path(s.dataFilePath).stem().string() + ".glm]");
    PlaceInMainWindowCorner();
    return TRUE;
}

// The lower right corner of the main window, 10 pixels in, reckoned from the
// two sizes alone (the main window's position does not enter).
void CCalcProgressDlg::PlaceInMainWindowCorner()
{
    CWnd* main = AfxGetMainWnd();
    if (!main || m_placing)
        return;
    m_placing = true;
    // The dialog lays itself out: settle its size before measuring it.
    if (QWidget* w = GetWidget())
        w->adjustSize();
    CRect m, d;
    main->GetWindowRect(&m);
    GetWindowRect(&d);
    SetWindowPos(nullptr, m.Width() - d.Width() - 10, m.Height() - d.Height() - 10, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    m_placing = false;
}

void CCalcProgressDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (Started())
        PlaceInMainWindowCorner();
}

WorkOutcome CCalcProgressDlg::Run()
{
    m_font.CreatePointFont(80, "Arial Symbol1");
    static const UINT texts[] = {1047, 1048, 1049, 1050, 1052, 1054, 1056, 1057, 1188,
                                 1058, 1102, 1035, 1036, 1037, 1038, 1039, 1040, 1041,
                                 1042, 1043, 1044, 1045, 1103, 1201, 1199, 1200};
    for (UINT id : texts)
        if (CWnd* w = GetDlgItem(id)) {
            w->SetFont(&m_font);
            w->UpdateWindow();
        }
    // The font changes the dialog's size: keep it in its corner.
    PlaceInMainWindowCorner();
    g_calcProgress = this;
    const WorkOutcome outcome = RunWork();
    if (!outcome.Normal() && g_isofluxActive)
        EndIsofluxDrawing();
    g_calcProgress = nullptr;
    return outcome;
}

void CCalcProgressDlg::ShowNodeCount(long long nodes)
{
    SetNumber(IDC_NODE_COUNT, nodes);
}

void CCalcProgressDlg::ShowCycle(int cycle)
{
    SetNumber(IDC_CYCLE, cycle);
    for (UINT id : {IDC_ITER, IDC_DT, IDC_OBJ_DIV, IDC_NODE_DIV})
        SetDlgItemText(id, "");
}

void CCalcProgressDlg::ShowTimeStep(long long t, long long startup, long long end)
{
    if (t == 0) {
        SetDlgItemText(IDC_TIME_LABEL, platform::LoadString(IDS_TIME_STEP));
        SetDlgItemText(IDC_TIME_END, FormatTimeDHMS(end));
    } else if (t == -startup) {
        SetDlgItemText(IDC_TIME_LABEL, platform::LoadString(IDS_STARTUP_TIME_STEP));
        SetDlgItemText(IDC_TIME_END, FormatTimeDHMS(startup));
    }
    if (t < 0)
        t += startup;
    SetDlgItemText(IDC_TIME_NOW, FormatTimeDHMS(t));
    for (UINT id : {IDC_ITER, IDC_DT, IDC_OBJ_DIV, IDC_NODE_DIV})
        SetDlgItemText(id, "");
    UpdateWindow();
}

void CCalcProgressDlg::ShowIteration(long long iteration, double maxDeltaT, double objectDivergence,
                                     double nodeDivergence)
{
    SetNumber(IDC_ITER, iteration);
    SetFloat(IDC_DT, maxDeltaT);
    SetFloat(IDC_OBJ_DIV, objectDivergence);
    SetFloat(IDC_NODE_DIV, nodeDivergence);
}

// The solar fluxes.
CSolarFluxProgressDlg::CSolarFluxProgressDlg()
    : CProgressDlgBase(IDD_SOLAR_FLUX_PROGRESS, IDC_CALC_PROGRESS, 2400)
{
}

CSolarFluxProgressDlg::~CSolarFluxProgressDlg()
{
    if (g_solarProgress == this)
        g_solarProgress = nullptr;
}

WorkOutcome CSolarFluxProgressDlg::Run()
{
    g_solarProgress = this;
    const WorkOutcome outcome = RunWork();
    g_solarProgress = nullptr;
    return outcome;
}

void CSolarFluxProgressDlg::ShowNodeCount(long long nodes)
{
    SetNumber(IDC_NODE_COUNT, nodes);
}

void CSolarFluxProgressDlg::ShowTimeStep(long long t, long long end)
{
    SetDlgItemText(IDC_TIME_LABEL, platform::LoadString(IDS_TIME_STEP));
    SetDlgItemText(IDC_TIME_END, FormatTimeDHMS(end));
    SetDlgItemText(IDC_TIME_NOW, FormatTimeDHMS(t));
    UpdateWindow();
}

// The view factors.
CViewFactorProgressDlg::CViewFactorProgressDlg()
    : CProgressDlgBase(IDD_VIEW_FACTOR_PROGRESS, IDC_VF_PROGRESS, 400)
{
}

CViewFactorProgressDlg::~CViewFactorProgressDlg()
{
    if (g_viewFactorProgress == this)
        g_viewFactorProgress = nullptr;
}

WorkOutcome CViewFactorProgressDlg::Run()
{
    g_viewFactorProgress = this;
    const WorkOutcome outcome = RunWork();
    g_viewFactorProgress = nullptr;
    return outcome;
}

WorkOutcome RunProgressDialog(ProgressWindow window, ModelStore& model, RunState& run, const ProgressWork& work)
{
    switch (window) {
    case ProgressWindow::Calculation: {
        CCalcProgressDlg dlg(model, run);
        dlg.SetWork(work);
        dlg.DoModal();
        return dlg.Outcome();
    }
    case ProgressWindow::SolarFluxes: {
        CSolarFluxProgressDlg dlg;
        dlg.SetWork(work);
        dlg.DoModal();
        return dlg.Outcome();
    }
    case ProgressWindow::ViewFactors:
        break;
    }
    CViewFactorProgressDlg dlg;
    dlg.SetWork(work);
    dlg.DoModal();
    return dlg.Outcome();
}

} // namespace gelmar
