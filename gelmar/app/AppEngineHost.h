// The engine host of the program: engine messages become message boxes, the
// engine's runs take place in their modal progress windows, whose bar steps
// and read-outs follow the run, the Esc check pumps pending events (at most
// every 50 ms) and answers whether Esc was pressed since the run began, and
// the refresh requests of model edits go to the document and its views.
#pragma once
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"

class CProgressCtrl;
class QObject;

namespace gelmar {

class AppEngineHost : public EngineHost {
  public:
    AppEngineHost();
    ~AppEngineHost() override;
    MessageAnswer MessageBox(std::string_view text, MessageStyle style) override;
    bool EscPressed() override;
    void StepProgress() override;
    WorkOutcome RunProgressWindow(ProgressWindow window, ModelStore& model, RunState& run,
                                  const ProgressWork& work) override;
    void SetProgressText(int item, std::string_view text) override;
    void ShowNodeCount(long long nodes) override;
    void ShowTimeStep(long long time, long long startup, long long end) override;
    void ShowCycle(int cycle) override;
    void ShowSolverProgress(int iterations, float largestChange, float objectDivergence,
                            float nodeDivergence) override;
    void ShowStepTemperatures() override;
    void UpdateModelView() override;
    void UpdateFunctionGraph() override;
    void RefillTables() override;
    void SetModified(bool modified) override;
    void UpdateAllViews() override;
    void GoToUndoItem(int kind, int a1, int a2) override;
    bool ChooseFileToOpen(std::string_view filter, std::string_view extension, std::string& path) override;

    // A run begins: forget earlier Esc presses and pump at the next check.
    void BeginRun();
    // Latched by the application's event filter while a run is under way.
    bool escLatched = false;
    bool running = false;

  private:
    QObject* m_filter = nullptr;
    long long m_lastPumpMs = -1;
};

// The program's host (installed with SetHost at start-up).
AppEngineHost& TheAppHost();
// The engine of the running application object, for as long as the object
// lives: the document, the views and the window tests reach it here.
Engine& TheEngine();

// The progress bar the engine steps; set for the duration of a run.
extern CProgressCtrl* g_activeProgress;

} // namespace gelmar
