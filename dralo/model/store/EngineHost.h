// The engine host: everything the Dralo engine asks of the user interface
// goes through this interface, handed to the engine functions that need it.
// What every program's engine asks (messages, questions, the Esc check,
// progress steps and read-outs, the modified flag, the refreshes) is the
// kit's host base; Dralo's adds the refreshes after a whole-bitmap edit and
// an undo step, the calculation window, the triangle count and the rule
// tables. The application implements it with its windows; the tests and
// dralo-calc use NullEngineHost. Questions the engine would ask in a dialog
// are arguments of the engine functions instead.
#pragma once
#include "common/core/EngineHost.h"

#include <functional>

namespace dralo {

using common::CheckEscAbort;
using common::EscPoll;
using common::MessageAnswer;
using common::MessageStyle;
using common::SolverReadouts;

class EngineHost : public common::EngineHostBase {
  public:
    // After an edit of the model as a whole: the bitmap window's title, the
    // Colours, Measures (moved to the colour), Border U Values and Distances
    // tables refilled, the active table or the bitmap window redrawn; with
    // wholeBitmap the open bitmap view is redrawn as a whole.
    virtual void RefreshAfterEdit(int /*colour*/, bool /*wholeBitmap*/) {}
    // After an undo or redo: the bitmap window takes the model's modified
    // mark and the open tables refill themselves.
    virtual void RefreshTableViews() {}

    // Shows the modal calculation window, whose first paint runs the work,
    // and returns once it has closed. A host without windows runs the work.
    virtual void RunCalculationWindow(const std::function<void()>& work) { work(); }
    // The number of triangles of the mesh in the calculation window.
    virtual void ShowTriangleCount(long long /*triangles*/) {}
    // The rules changed a colour's values between cycles: the open Colours
    // and Border U Values tables refill and repaint themselves.
    virtual void RefillRuleTables() {}
};

// The host of dralo-calc and the tests: shows nothing, keeps the messages
// and answers as a user who wants the work to go on.
using NullEngineHost = common::NullHost<EngineHost>;

} // namespace dralo
