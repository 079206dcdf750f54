// The modal progress windows of the engine's three long runs: the transient
// calculation, the solar fluxes and the view factors. Each starts its run at
// its first paint, shows the engine's read-outs and closes itself by a posted
// WM_CLOSE when the run ends, normally, by an engine failure or by Esc.
#pragma once
#include "gelmar/model/store/EngineHost.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"

namespace gelmar {

struct ModelStore;
struct RunState;

class CProgressDlgBase : public CDialog {
  public:
    explicit CProgressDlgBase(UINT id, UINT progressId, int range);
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPaint() override;
    // Esc belongs to the engine while the run is under way.
    void OnCancel() override;
    CProgressCtrl m_progress;
    bool Started() const { return m_started; }
    // How the run ended (as by Esc when it never started).
    const WorkOutcome& Outcome() const { return m_outcome; }
    // A read-out of the window ("%d" numbers, "%g" floats, times).
    void SetReadOut(UINT id, std::string_view text);
    // The engine's work that the first paint runs.
    void SetWork(ProgressWork work) { m_work = std::move(work); }

  protected:
    // The run proper, between the set-up of the bar and the clean-up.
    virtual WorkOutcome Run() = 0;
    void SetNumber(UINT id, long long value);
    void SetFloat(UINT id, double value);
    WorkOutcome RunWork() { return m_work ? m_work() : WorkOutcome::Aborted(); }

  private:
    ProgressWork m_work;
    UINT m_progressId;
    int m_range;
    bool m_started = false;
    bool m_running = false;
    WorkOutcome m_outcome = WorkOutcome::Aborted();
};

class CCalcProgressDlg : public CProgressDlgBase {
  public:
    // The limits shown are those of the model the run calculates.
    CCalcProgressDlg(ModelStore& model, RunState& run);
    ~CCalcProgressDlg() override;
    BOOL OnInitDialog() override;
    // The read-outs widen the window as the run fills them: it keeps to its
    // corner.
    void OnSize(UINT nType, int cx, int cy) override;

    // Read-outs the engine writes during the run.
    void ShowNodeCount(long long nodes);
    void ShowCycle(int cycle);
    // Current time t (negative during the start-up period), the start-up
    // period and the end time.
    void ShowTimeStep(long long t, long long startup, long long end);
    void ShowIteration(long long iteration, double maxDeltaT, double objectDivergence, double nodeDivergence);

  protected:
    WorkOutcome Run() override;

  private:
    void PlaceInMainWindowCorner();
    ModelStore& m_model;
    RunState& m_run;
    CFont m_font;
    bool m_placing = false;
};

class CSolarFluxProgressDlg : public CProgressDlgBase {
  public:
    CSolarFluxProgressDlg();
    ~CSolarFluxProgressDlg() override;
    void ShowNodeCount(long long nodes);
    void ShowTimeStep(long long t, long long end);

  protected:
    WorkOutcome Run() override;
};

// Its zone and total read-outs (1149 to 1155) come from the engine's run.
class CViewFactorProgressDlg : public CProgressDlgBase {
  public:
    CViewFactorProgressDlg();
    ~CViewFactorProgressDlg() override;

  protected:
    WorkOutcome Run() override;
};

// The windows of the runs under way; null outside their own run.
extern CCalcProgressDlg* g_calcProgress;
extern CSolarFluxProgressDlg* g_solarProgress;
extern CViewFactorProgressDlg* g_viewFactorProgress;

// Runs the progress window modally; its first paint runs the engine's work
// of that window on the model and run given. How the work ended, for the
// command that started it.
WorkOutcome RunProgressDialog(ProgressWindow window, ModelStore& model, RunState& run,
                              const ProgressWork& work);

} // namespace gelmar
