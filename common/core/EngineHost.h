// The engine host: everything an engine asks of the user interface goes
// through one interface, handed to the engine functions that need it. The
// base holds what every program's engine asks (message boxes and Yes/No
// questions, the Esc check, progress steps and read-outs of the calculation
// window, the refreshes after an edit); a program's host derives from it and
// adds only what its own engine asks more. The application implements it
// with its windows; the command-line drivers and the tests use NullHost,
// which shows nothing, keeps the messages and answers every question as a
// user who wants the work to go on would.
#pragma once
#include "common/core/EngineError.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace common {

enum class MessageStyle { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The read-outs of the solver in a calculation window: the iteration
// counter, the largest temperature change of the last iteration (K), the
// object and node divergence (%) and the largest change of an unknown
// between the last two cycles (K).
struct SolverReadouts {
    int steps = 0;
    float largestChange = 0.0f;
    float objectDivergence = 200.0f;
    float nodeDivergence = 200.0f;
    float cycleChange = 0.0f;
};

class EngineHostBase {
  public:
    virtual ~EngineHostBase() = default;

    // A message box with the given buttons; returns the button chosen.
    virtual MessageAnswer MessageBox(std::string_view text, MessageStyle style) = 0;
    // A message with an OK button.
    void Tell(std::string_view text) { MessageBox(text, MessageStyle::Ok); }
    // A Yes/No question; true for Yes.
    bool Ask(std::string_view question) { return MessageBox(question, MessageStyle::YesNo) == MessageAnswer::Yes; }

    // True when the user pressed Esc since the running work began.
    virtual bool EscPressed() = 0;
    // One step of the progress bar of the running work, when one is shown.
    virtual void StepProgress() {}

    // Read-outs of the calculation window; a host without one ignores them.
    // A read-out control of the window by its number.
    virtual void SetProgressText(int /*item*/, std::string_view /*text*/) {}
    // The number of unknowns.
    virtual void ShowNodeCount(long long /*nodes*/) {}
    // The number of view factors read back or computed.
    virtual void ShowViewFactorCount(long long /*pairs*/) {}
    // The cycle, which blanks the solver's read-outs.
    virtual void ShowCycle(int /*cycle*/) {}
    virtual void ShowSolverProgress(const SolverReadouts& /*readouts*/) {}

    // Refreshes after the model changed; a host without windows ignores them.
    // The document's modified flag.
    virtual void SetModified(bool /*modified*/) {}
    // The document refreshes all its views.
    virtual void UpdateAllViews() {}
    // Brings back the window of an edit of the undo kind (a table at row a1,
    // column a2, or a dialog).
    virtual void GoToUndoItem(int /*kind*/, int /*a1*/, int /*a2*/) {}
};

// Polled by long loops: EscAbort when the user pressed Esc, otherwise one
// step of the progress bar.
void CheckEscAbort(EngineHostBase& host);

// Counts down the items of a long loop and polls Esc every (n+1)-th item.
class EscPoll {
  public:
    EscPoll(EngineHostBase& host, int n) : m_host(host), m_n(n), m_left(n) {}
    void Step()
    {
        if (m_left-- > 0)
            return;
        m_left = m_n;
        CheckEscAbort(m_host);
    }

  private:
    EngineHostBase& m_host;
    int m_n;
    int m_left;
};

// What a host without windows does with a message: keeps it, writes it to
// standard error when echo is set, and answers OK or Yes.
MessageAnswer KeepMessage(std::vector<std::string>& messages, bool echo, std::string_view text, MessageStyle style);

// The host of the drivers and the tests over a program's host type: does
// nothing, keeps every message (on standard error too with echo set), the
// progress steps and the last text of each read-out, and answers as a user
// who wants the work to go on (OK, Yes). Tests set escPressed to simulate
// an Esc press.
template <class Host> class NullHost : public Host {
  public:
    explicit NullHost(bool echoToStderr = false) : m_echo(echoToStderr) {}
    MessageAnswer MessageBox(std::string_view text, MessageStyle style) override
    {
        return KeepMessage(messages, m_echo, text, style);
    }
    bool EscPressed() override { return escPressed; }
    void StepProgress() override { ++progressSteps; }
    void SetProgressText(int item, std::string_view text) override { progressTexts[item] = std::string(text); }

    std::vector<std::string> messages;
    long progressSteps = 0;
    std::map<int, std::string> progressTexts;
    bool escPressed = false;

  private:
    bool m_echo;
};

} // namespace common
