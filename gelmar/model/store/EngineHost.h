// The engine host: everything the Gelmar engine asks of the user interface
// goes through this interface, which the application implements with its
// windows. Tests and the command-line driver use NullEngineHost.
#pragma once
#include "gelmar/model/store/Errors.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace gelmar {

struct ModelStore;
struct RunState;

enum class MessageStyle { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };
// The modal progress windows in which the long runs of the engine take place.
enum class ProgressWindow { Calculation, ViewFactors, SolarFluxes };
// The work a progress window runs (RunProgressWork over the caller's model
// and run), and how it ended.
using ProgressWork = std::function<WorkOutcome()>;

class EngineHost {
  public:
    virtual ~EngineHost() = default;
    // A message box with the given buttons; returns the button chosen.
    virtual MessageAnswer MessageBox(std::string_view text, MessageStyle style) = 0;
    // True when the user pressed Esc since the running work began.
    virtual bool EscPressed() = 0;
    // One step of the progress bar of the running calculation, when one is shown.
    virtual void StepProgress() = 0;

    // Refresh requests after model edits; the windows answer them, a host
    // without windows ignores them.
    // The 3D view rebuilds what it draws from the model and repaints.
    virtual void UpdateModelView() {}
    // Every open table view is filled again from the model (the Grid table
    // also clears its line selection).
    virtual void RefillTables() {}
    // The document's modified flag.
    virtual void SetModified(bool /*modified*/) {}
    // The document refreshes all its views.
    virtual void UpdateAllViews() {}
    // Brings back the table (at the given cell) or the dialog of an edit of
    // the given undo kind.
    virtual void GoToUndoItem(int /*kind*/, int /*a1*/, int /*a2*/) {}
    // Shows the modal progress window, whose first paint runs the window's
    // work on the model and run given (which the window shows), and returns
    // when it has closed: how the work ended. A host without windows runs the
    // work directly.
    virtual WorkOutcome RunProgressWindow(ProgressWindow window, ModelStore& model, RunState& run,
                                          const ProgressWork& work);
    // Writes a read-out (a control of the running calculation's progress
    // window) when one is shown.
    virtual void SetProgressText(int /*item*/, std::string_view /*text*/) {}
    // Read-outs of the calculation progress window; a host without one
    // ignores them.
    virtual void ShowNodeCount(long long /*nodes*/) {}
    // The number of view factors (face pairs) read back for the run.
    virtual void ShowViewFactorCount(long long /*pairs*/) {}
    // Current time t (s, negative during start-up), the start-up period and
    // the end time.
    virtual void ShowTimeStep(long long /*time*/, long long /*startup*/, long long /*end*/) {}
    virtual void ShowCycle(int /*cycle*/) {}
    virtual void ShowSolverProgress(int /*iterations*/, float /*largestChange*/, float /*objectDivergence*/,
                                    float /*nodeDivergence*/)
    {
    }
    // After each time step: the 3D view, when open, shows and repaints the
    // temperatures of the step.
    virtual void ShowStepTemperatures() {}
    // The open-file dialog (hide read-only, file must exist) with a filter
    // text ("description|*.ext||") and default extension; path holds the
    // initial file and, on OK (true), the chosen full path.
    virtual bool ChooseFileToOpen(std::string_view /*filter*/, std::string_view /*extension*/,
                                  std::string& /*path*/)
    {
        return false;
    }
    // The function graph, when open, recomputes its curve and repaints.
    virtual void UpdateFunctionGraph() {}
};

// Does nothing, keeps every message and answers as a user who wants the
// work to go on (OK, Yes). With echo set, messages also go to standard error.
class NullEngineHost : public EngineHost {
  public:
    explicit NullEngineHost(bool echoToStderr = false) : m_echo(echoToStderr) {}
    MessageAnswer MessageBox(std::string_view text, MessageStyle style) override;
    bool EscPressed() override { return escPressed; }
    void StepProgress() override { ++progressSteps; }
    void SetProgressText(int item, std::string_view text) override { progressTexts[item] = text; }

    std::vector<std::string> messages;
    long progressSteps = 0;
    std::map<int, std::string> progressTexts; // last text of each read-out
    // Tests set this to simulate an Esc press.
    bool escPressed = false;

  private:
    bool m_echo;
};

// The host in use; never null (a NullEngineHost until one is set).
EngineHost& Host();
// Installs a host (nullptr restores the built-in null host).
void SetHost(EngineHost* host);

} // namespace gelmar
