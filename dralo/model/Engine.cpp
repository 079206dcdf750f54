// The program's start.
#include "dralo/model/Engine.h"

namespace dralo {

void StartEngine(Engine& engine, const std::string& programFolder)
{
    engine.dxf.programFolder = programFolder;
    engine.startupColours = StartUp(engine.model, engine.parameters, engine.session, programFolder,
                                    engine.run.workFolder, engine.host);
}

} // namespace dralo
