// The engine state of the program: the settings read at start-up (the
// parameter defaults, the session's settings and the colour table of the
// default data file), the DXF import's state, the model, the run's state and
// work arrays (with the working folder of its result files) and the undo
// history, with the host through which the engine talks to the user. The
// program (the application, dralo-calc, a test, a fuzz target, a benchmark)
// owns one Engine for as long as it runs and hands its parts to the engine
// functions.
#pragma once
#include "dralo/model/calc/RunState.h"
#include "dralo/model/editing/EditSession.h"
#include "dralo/model/editing/UndoRedo.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/import/DxfImport.h"
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/ProgramParameters.h"

namespace dralo {

struct Engine {
    explicit Engine(EngineHost& engineHost) : host(engineHost) {}
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    EngineHost& host;

    // Program settings: they outlive every model.
    ProgramParameters parameters;   // the defaults of "Dralo.prm"
    SessionSettings session;        // what the dialogs and outputs use now
    bool parametersChanged = false; // "Dralo.prm" is written at exit
    ColourTable startupColours{};   // the colour table Save writes against
    DxfImportState dxf;

    BitmapModel model;
    RunState run;
    UndoHistory history;

    // The parts an editing command works on.
    EditSession edits{model, parameters, session, history, host};
};

// The program's start: the program folder's default data file and parameter
// file read (StartUp), the colour table kept for Save, the DXF import's
// program folder set.
void StartEngine(Engine& engine, const std::string& programFolder);

} // namespace dralo
