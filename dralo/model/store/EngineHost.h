// The engine host: everything the Dralo engine asks of the user interface
// goes through this interface, handed to the engine functions that need it.
// The application implements it with its windows; the tests and dralo-calc
// use NullEngineHost. Questions the engine would ask in a dialog are
// arguments of the engine functions instead.
#pragma once
#include "common/core/EngineHost.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dralo {

using common::MessageAnswer;
using common::MessageStyle;

// The read-outs of the solver in the calculation window: the iteration
// counter, the largest temperature change of the last iteration (K) and the
// object and node divergence (%).
struct SolverReadouts {
    int iterations = 0;
    float largestChange = 0.0f;
    float objectDivergence = 200.0f;
    float nodeDivergence = 200.0f;
};

class EngineHost {
  public:
    virtual ~EngineHost() = default;
    // A message box with the given buttons; returns the button chosen.
    virtual MessageAnswer MessageBox(std::string_view text, MessageStyle style) = 0;
    // True when the user pressed Esc since the running work began.
    virtual bool EscPressed() = 0;
    // One step of the progress bar of the running work, when one is shown.
    virtual void StepProgress() {}

    // The document's modified flag.
    virtual void SetModified(bool /*modified*/) {}
    // After an edit of the model as a whole: the bitmap window's title, the
    // Colours, Measures (moved to the colour), Border U Values and Distances
    // tables refilled, the active table or the bitmap window redrawn; with
    // wholeBitmap the open bitmap view is redrawn as a whole.
    virtual void RefreshAfterEdit(int /*colour*/, bool /*wholeBitmap*/) {}
    // After an undo or redo: the bitmap window takes the model's modified
    // mark and the open tables refill themselves.
    virtual void RefreshTableViews() {}
    // Opens the window of an edit of the undo kind again (the bitmap window,
    // a table at the row and column, or a dialog).
    virtual void GoToEditedCell(int /*kind*/, int /*row*/, int /*column*/) {}
    // The document refreshes all its views.
    virtual void UpdateAllViews() {}

    // Shows the modal calculation window, whose first paint runs the work,
    // and returns once it has closed. A host without windows runs the work.
    virtual void RunCalculationWindow(const std::function<void()>& work) { work(); }
    // Read-outs of the calculation window: the cycle (which blanks the
    // solver's read-outs), the number of equations, the number of triangles,
    // the view factors computed and the solver's read-outs.
    virtual void ShowCycle(int /*cycle*/) {}
    virtual void ShowNodeCount(long long /*equations*/) {}
    virtual void ShowTriangleCount(long long /*triangles*/) {}
    // The number of view factors computed so far, over all radiation zones.
    virtual void ShowViewFactorCount(long long /*viewFactors*/) {}
    virtual void ShowSolverProgress(const SolverReadouts& /*readouts*/) {}
    // The rules changed a colour's values between cycles: the open Colours
    // and Border U Values tables refill and repaint themselves.
    virtual void RefillRuleTables() {}
};

// Does nothing, keeps every message and answers as a user who wants the work
// to go on (OK, Yes). With echo set, messages also go to standard error;
// tests set escPressed to simulate an Esc press.
class NullEngineHost : public EngineHost {
  public:
    explicit NullEngineHost(bool echoToStderr = false) : echo(echoToStderr) {}
    MessageAnswer MessageBox(std::string_view text, MessageStyle style) override
    {
        return common::KeepMessage(messages, echo, text, style);
    }
    bool EscPressed() override { return escPressed; }
    void StepProgress() override { ++progressSteps; }

    std::vector<std::string> messages;
    long progressSteps = 0;
    bool escPressed = false;
    bool echo;
};

// Polled by long loops: EscAbort when the user pressed Esc, otherwise one
// step of the progress bar.
void CheckEscAbort(EngineHost& host);

// Counts down the items of a long loop and polls Esc every (n+1)-th item.
class EscPoll {
  public:
    EscPoll(EngineHost& host, int n) : m_host(host), m_n(n), m_left(n) {}
    void Step()
    {
        if (m_left-- > 0)
            return;
        m_left = m_n;
        CheckEscAbort(m_host);
    }

  private:
    EngineHost& m_host;
    int m_n;
    int m_left;
};

} // namespace dralo
