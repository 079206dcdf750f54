// gelmar-calc [--no-calc] [--save OUT] FILE
// Reads FILE as File Open does, calculates it unless --no-calc, and with
// --save writes the model as Save does. Messages go to standard error; the
// exit status is 0 on success.
#include "gelmar/calc/CalcCommand.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: gelmar-calc [--no-calc] [--save OUT] FILE\n");
    return 2;
}

// The folder of the running program, which holds "Gelmar.prm" and the
// colour files.
std::string ProgramFolder(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
}

// Opens, calculates and saves one model with the engine the caller owns.
int Run(gelmar::Engine& engine, bool calculate, const std::string& file, const std::string& saveTo)
{
    gelmar::ModelStore& model = engine.model;
    model.dataFilePath = file;
    if (!gelmar::ReadDataFile(model, model.dataFilePath, gelmar::ReadMode::Open, engine.parameters, engine.host))
        return 1;
    if (calculate && !gelmar::CalculateModel(engine))
        return 1;
    if (!saveTo.empty() && !gelmar::WriteDataFile(model, saveTo)) {
        gelmar::ReportOpenFailure(engine.host, saveTo);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool calculate = true;
    std::string saveTo;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-calc")
            calculate = false;
        else if (arg == "--save" && i + 1 < argc)
            saveTo = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && file.empty())
            file = arg;
        else
            return Usage();
    }
    if (file.empty())
        return Usage();

    int status = 1;

    gelmar::NullEngineHost host(true);
    gelmar::SetHost(&host);
    {
        // The driver's one engine, for the life of the run.
        gelmar::Engine engine(host);
        const std::string folder = ProgramFolder(argv[0]);
        gelmar::ReadParameterFile(engine.parameters, engine.output, folder);
        gelmar::LoadMaterialColours(engine.model, folder);
        try {
            status = Run(engine, calculate, file, saveTo);
        } catch (const gelmar::EngineError& e) {
            std::fprintf(stderr, "%s\n", e.Message().c_str());
        } catch (const gelmar::EscAbort&) {
            std::fprintf(stderr, "Calculation aborted\n");
        }
        gelmar::FreeModel(engine);
    }
    gelmar::SetHost(nullptr);
    return status;
}
