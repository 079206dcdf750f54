// The engine state of one program run: the settings read at start-up (the
// parameter defaults, the output settings, the start-up colours and the
// colour scale), the model, the mesh and run states beside it, and the undo
// history, with the host through which the engine talks to the user. The
// program (the application, parven-calc, a test, a fuzz target, a benchmark)
// owns one Engine for as long as it runs and hands its parts to the engine
// functions.
#pragma once
#include "common/core/ColourScale.h"
#include "parven/model/editing/UndoRedo.h"
#include "parven/model/store/EngineHost.h"
#include "parven/model/store/ProgramParameters.h"
#include "parven/model/store/RunStates.h"
#include "parven/model/store/ShapeModel.h"

#include <string>

namespace parven {

struct Engine {
    // An empty model over the built-in defaults and colours.
    explicit Engine(EngineHost& host);
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    EngineHost& host;

    // Program settings: they outlive every model.
    ProgramParameters parameters;   // the defaults of "Parven.prm"
    CurrentOutputSettings output;   // what the output windows use now
    bool parametersChanged = false; // "Parven.prm" is written at exit
    ColourTable startColours;       // the colours every new model starts from
    common::ColourScale colourScale;

    ShapeModel model;
    MeshState mesh;
    RunState run;
    UndoHistory history;
};

// Start-up from the program folder: "Parven.prm", "MatColor.rgb" and the
// colour scale "RainbowColor.rgb" (its failure said through the host; the
// outputs then paint light grey), then an empty model from them.
void StartEngine(Engine& engine, const std::string& programFolder);

// File New: the undo history cleared, an empty model from the defaults and
// the start-up colours, the mesh and run states afresh.
void NewModel(Engine& engine);

} // namespace parven
