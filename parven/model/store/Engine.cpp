// The engine's start-up and File New.
#include "parven/model/store/Engine.h"

#include "parven/model/files/ColourFiles.h"
#include "parven/model/files/ParameterFile.h"
#include "parven/model/store/Errors.h"

namespace parven {

Engine::Engine(EngineHost& h) : host(h), startColours(DefaultColourTable())
{
    ResetModel(model, parameters, startColours);
}

void StartEngine(Engine& engine, const std::string& programFolder)
{
    ReadParameterFile(programFolder, engine.parameters, engine.output);
    engine.startColours = LoadMaterialColours(programFolder);
    try {
        LoadColourScale(programFolder, false, engine.colourScale);
    } catch (const EngineError& e) {
        engine.host.Tell(e.Message());
    }
    NewModel(engine);
}

void NewModel(Engine& engine)
{
    ClearUndoHistory(engine.history);
    ResetModel(engine.model, engine.parameters, engine.startColours);
    engine.model.dataFilePath.clear();
    engine.mesh = MeshState{};
    engine.run = RunState{};
}

} // namespace parven
