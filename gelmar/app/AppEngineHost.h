// The engine host of the program: engine messages become message boxes, the
// progress bar of the running calculation window steps, and the Esc check
// pumps pending events (at most every 50 ms) and answers whether Esc was
// pressed since the run began.
#pragma once
#include "gelmar/model/EngineHost.h"

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

// The progress bar the engine steps; set for the duration of a run.
extern CProgressCtrl* g_activeProgress;

} // namespace gelmar
