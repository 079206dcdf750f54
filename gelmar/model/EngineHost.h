// The engine host: everything the Gelmar engine asks of the user interface
// goes through this interface, which the application implements with its
// windows. Tests and the command-line driver use NullEngineHost.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace gelmar {

enum class MessageStyle { Ok, YesNo, OkCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class EngineHost {
  public:
    virtual ~EngineHost() = default;
    // A message box with the given buttons; returns the button chosen.
    virtual MessageAnswer MessageBox(std::string_view text, MessageStyle style) = 0;
    // True when the user pressed Esc since the running work began.
    virtual bool EscPressed() = 0;
    // One step of the progress bar of the running calculation, when one is shown.
    virtual void StepProgress() = 0;

    // Read-outs of the calculation progress window; a host without one
    // ignores them.
    virtual void ShowNodeCount(long long /*nodes*/) {}
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
};

// Does nothing, keeps every message and answers as a user who wants the
// work to go on (OK, Yes). With echo set, messages also go to standard error.
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

// The host in use; never null (a NullEngineHost until one is set).
EngineHost& Host();
// Installs a host (nullptr restores the built-in null host).
void SetHost(EngineHost* host);

} // namespace gelmar
