// The engine host of Parven: everything the engine asks of the user interface
// goes through it, handed to the engine functions that need it. The kit's
// base holds the messages, the Esc check and progress steps, the calculation
// window's read-outs, the modified flag and the undo go-to call; Parven adds
// the status-bar text, the Calc Fill window's counter and the refill of the
// open tables. The application implements it with its windows; the tests and
// parven-calc use NullEngineHost.
#pragma once
#include "common/core/EngineHost.h"

#include <string>
#include <string_view>

namespace parven {

using common::MessageAnswer;
using common::MessageStyle;

class EngineHost : public common::EngineHostBase {
  public:
    // Pane 0 of the main frame's status bar ("Fit grid...", or empty).
    virtual void SetStatusText(std::string_view /*text*/) {}
    // The Calc Fill window's counter, "done / total" (empty for total 0).
    virtual void ShowFillProgress(long long /*done*/, long long /*total*/) {}
    // Every open table refills itself from the model (after an undo or redo).
    virtual void RefillTables() {}
};

// Shows nothing, keeps every message (on standard error too with echo set),
// answers as a user who wants the work to go on, and keeps the last status text.
class NullEngineHost : public common::NullHost<EngineHost> {
  public:
    using common::NullHost<EngineHost>::NullHost;
    void SetStatusText(std::string_view text) override { statusText = text; }

    std::string statusText;
};

using common::CheckEscAbort;
using common::EscPoll;

} // namespace parven
