// The engine state of one program: the settings read at start-up (the
// parameter defaults, the output settings and the colour scale), the model,
// the windows' view state, the run's state and work arrays, and the undo
// history, with the host through which the engine talks to the user. The
// program (the application, the driver, a test, a fuzz target) owns one
// Engine for as long as it runs and hands its parts to the engine functions.
#pragma once
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"

namespace gelmar {

struct Engine {
    // A reset engine (ResetEngineState) with the built-in parameter defaults.
    explicit Engine(EngineHost& host);
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    EngineHost& host;

    // Program settings: they outlive every model.
    ParameterSet parameters;        // the defaults of "Gelmar.prm"
    CurrentOutputSettings output;   // what the output windows use now
    bool parametersChanged = false; // "Gelmar.prm" is written at exit
    ColourScale colourScale;

    ModelStore model;
    ViewState view;
    RunState run;
    UndoHistory history;
};

// The one life cycle of a model: File New, File Open, every batch file, each
// test and each fuzz input start from here. The undo history is cleared, the
// run's results and work arrays go, the view and the model are reset from
// the parameter defaults (the colours keep their values, as every reset
// leaves them) and the process-wide error code is cleared. The process-wide
// objects that remain beside the engines are the error code (a view of the
// last failure for the commands that report it), the program's host (Host():
// the one user interface of the process, which the windows talk through; the
// engine functions are handed theirs) and, in the application, its window
// registry (the 3D view, the progress windows and their bar, the isoflux
// flag).
void ResetEngineState(Engine& engine);
// File New's reset of an engine's results, view and model (the undo history
// is the command's own), and the freeing of its arrays before a model is
// read or the program ends.
void ResetModel(Engine& engine);
void FreeModel(Engine& engine);

} // namespace gelmar
