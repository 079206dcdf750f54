// The engine host: everything the Novelk engine asks of the user interface
// goes through this interface, handed to the engine functions that need it.
// The application implements it with its windows; the tests and novelk-calc
// use NullEngineHost.
#pragma once
#include "novelk/model/store/Readouts.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace novelk {

enum class MessageStyle { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };
// The modal progress windows in which the long runs take place.
enum class ProgressWindow { Calculation, ViewFactors };
class EngineHost {
  public:
    virtual ~EngineHost() = default;
    // A message box with the given buttons; returns the button chosen.
    virtual MessageAnswer MessageBox(std::string_view text, MessageStyle style) = 0;
    // True when the user pressed Esc since the running work began.
    virtual bool EscPressed() = 0;
    // One step of the progress bar of the running work, when one is shown.
    virtual void StepProgress() {}

    // Refresh requests after the model changed as a whole (an undo or redo);
    // a host without windows ignores them.
    // Every open table (Grid, Coordinates, Minimum Grid, Clip Object, Blocks,
    // Colours, Clip Colours, Node BCs, Borderface BCs, Material BCs, Areas,
    // U Values) refills itself from the model.
    virtual void RefillTables() {}
    // The 3D view rebuilds what it draws from the model and repaints.
    virtual void UpdateModelView() {}
    // The document's modified flag.
    virtual void SetModified(bool /*modified*/) {}
    // The document refreshes all its views.
    virtual void UpdateAllViews() {}
    // Opens or activates the window of an edit of the undo kind (a table at
    // row a1, column a2, or a dialog).
    virtual void GoToUndoItem(int /*kind*/, int /*a1*/, int /*a2*/) {}
    // The outputs free what they built from the results (the iso-surface and
    // the section heat-flow quads) when the results go.
    virtual void FreeOutputBuffers() {}

    // Shows the modal progress window, whose first paint runs the work, and
    // returns once it has closed. A host without windows runs the work.
    virtual void RunProgressWindow(ProgressWindow /*window*/, const std::function<void()>& work) { work(); }
    // Read-outs of the calculation window: the number of unknowns, the
    // number of view factors read back, the cycle (which blanks the step
    // read-outs) and the solver's read-outs.
    virtual void ShowNodeCount(long long /*nodes*/) {}
    virtual void ShowViewFactorCount(long long /*pairs*/) {}
    virtual void ShowCycle(int /*cycle*/) {}
    virtual void ShowSolverProgress(const SolverReadouts& /*readouts*/) {}
    // A read-out of the view-factor window (kernels::ViewFactorProgressItem).
    virtual void ShowViewFactorProgress(int /*item*/, long long /*value*/) {}
    // The open Colours table refills itself: the surface rules changed a colour.
    virtual void RefillColours() {}
    // The 3D view shows the temperatures of the new result.
    virtual void ShowTemperatures() {}
    // The wait cursor around a command's work (WaitCursor pairs them).
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};

// Shows the wait cursor while it lives, however the work ends.
class WaitCursor {
  public:
    explicit WaitCursor(EngineHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~WaitCursor() { m_host.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    EngineHost& m_host;
};

// Does nothing, keeps every message and answers as a user who wants the work
// to go on (OK, Yes). With echo set, messages also go to standard error.
class NullEngineHost : public EngineHost {
  public:
    explicit NullEngineHost(bool echoToStderr = false) : m_echo(echoToStderr) {}
    MessageAnswer MessageBox(std::string_view text, MessageStyle style) override;
    bool EscPressed() override { return escPressed; }
    void StepProgress() override { ++progressSteps; }

    std::vector<std::string> messages;
    long progressSteps = 0;
    // Tests set this to simulate an Esc press.
    bool escPressed = false;

  private:
    bool m_echo;
};

// Polled by long loops: EscAbort when the user pressed Esc, otherwise one
// step of the progress bar.
void CheckEscAbort(EngineHost& host);

} // namespace novelk
