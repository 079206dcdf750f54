// The modal progress windows of the engine's three long runs: the transient
// calculation, the solar fluxes and the view factors. Each starts its run at
// its first paint, shows the engine's read-outs and closes itself by a posted
// WM_CLOSE when the run ends, normally, by an engine failure or by Esc.
#pragma once
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"

namespace gelmar {

class CProgressDlgBase : public CDialog {
  public:
    explicit CProgressDlgBase(UINT id, UINT progressId, int range);
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPaint() override;
    // Esc belongs to the engine while the run is under way.
    void OnCancel() override;
    CProgressCtrl m_progress;
    bool Started() const { return m_started; }

  protected:
    // The run proper, between the set-up of the bar and the clean-up.
    virtual void Run() = 0;
    void SetNumber(UINT id, long long value);
    void SetFloat(UINT id, double value);

  private:
    UINT m_progressId;
    int m_range;
    bool m_started = false;
    bool m_running = false;
};

class CCalcProgressDlg : public CProgressDlgBase {
  public:
    CCalcProgressDlg();
    ~CCalcProgressDlg() override;
    BOOL OnInitDialog() override;

    // Read-outs the engine writes during the run.
    void ShowNodeCount(long long nodes);
    void ShowViewFactorCount(long long pairs);
    void ShowCycle(int cycle);
    void ShowTimeStep();
    void ShowIteration(long long iteration, double maxDeltaT, double objectDivergence, double nodeDivergence);

  protected:
    void Run() override;

  private:
    void PlaceInMainWindowCorner();
    CFont m_font;
};

class CSolarFluxProgressDlg : public CProgressDlgBase {
  public:
    CSolarFluxProgressDlg();
    ~CSolarFluxProgressDlg() override;
    void ShowNodeCount(long long nodes);
    void ShowViewFactorCount(long long pairs);
    void ShowTimeStep();

  protected:
    void Run() override;
};

class CViewFactorProgressDlg : public CProgressDlgBase {
  public:
    CViewFactorProgressDlg();
    ~CViewFactorProgressDlg() override;
    // Zone read-outs (zone, faces, view factors, current view factor) and
    // totals (zones, faces, view factors).
    void ShowZone(long long zone, long long faces, long long viewFactors, long long current);
    void ShowTotals(long long zones, long long faces, long long viewFactors);

  protected:
    void Run() override;
};

// The windows of the runs under way; null outside their own run.
extern CCalcProgressDlg* g_calcProgress;
extern CSolarFluxProgressDlg* g_solarProgress;
extern CViewFactorProgressDlg* g_viewFactorProgress;

// Run each window modally; the engine's error code survives for the caller.
void RunCalculationDialog();
void RunSolarFluxDialog();
void RunViewFactorDialog();

} // namespace gelmar
