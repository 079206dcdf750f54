// parven-calc [--no-calc] [--save OUT] FILE
// Starts as the program does (the program folder's "Parven.prm",
// "MatColor.rgb" and colour scale), reads FILE as File Open does, and with
// --save writes the model to OUT as Save As does (STL blocks whose geometry
// no longer matches their files written beside OUT first). The calculation is
// not part of this driver yet: without --no-calc it says so and fails.
// Messages go to standard error; the exit status is 0 on success, 1 when the
// file could not be read or saved or was read only in part (an STL file
// missing).
#include "common/core/DriverStartup.h"
#include "parven/model/files/DataFile.h"
#include "parven/model/store/Engine.h"

#include <cstdio>

int main(int argc, char** argv)
{
    return common::RunDriver(argc, argv, "parven-calc", [](const common::DriverStart& start) {
        if (start.args.calculate) {
            std::fprintf(stderr, "parven-calc: the calculation is not available yet; use --no-calc\n");
            return int(common::kExitFailure);
        }
        parven::NullEngineHost host(true);
        parven::Engine engine(host);
        parven::StartEngine(engine, start.programFolder);
        host.messages.clear();
        parven::ReadDataFile(engine.model, engine.mesh, engine.run, engine.parameters, engine.startColours,
                             start.args.file, parven::ReadMode::Open, host);
        if (!start.args.saveTo.empty()) {
            parven::SaveDataFile(engine.model, engine.startColours, start.args.saveTo);
            engine.model.dataFilePath = start.args.saveTo;
        }
        return int(host.messages.empty() ? common::kExitSuccess : common::kExitFailure);
    });
}
