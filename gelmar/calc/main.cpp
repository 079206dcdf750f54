// gelmar-calc [--no-calc] [--save OUT] FILE
// Reads FILE as File Open does, calculates it unless --no-calc, and with
// --save writes the model as Save does. Messages go to standard error; the
// exit status is 0 on success.
#include "gelmar/calc/CalcCommand.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ColourScale.h"
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

int Run(bool calculate, const std::string& file, const std::string& saveTo)
{
    gelmar::g_model.dataFilePath = file;
    if (!gelmar::ReadDataFile(gelmar::g_model, gelmar::g_model.dataFilePath, gelmar::ReadMode::Open,
                              gelmar::g_parameters, gelmar::Host()))
        return 1;
    if (calculate && !gelmar::CalculateModel())
        return 1;
    if (!saveTo.empty() && !gelmar::WriteDataFile(gelmar::g_model, saveTo)) {
        gelmar::ReportOpenFailure(gelmar::Host(), saveTo);
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

    gelmar::NullEngineHost host(true);
    gelmar::SetHost(&host);
    const std::string folder = ProgramFolder(argv[0]);
    gelmar::ReadParameterFile(gelmar::g_parameters, gelmar::g_currentOutput, folder);
    gelmar::LoadMaterialColours(gelmar::g_model, folder);
    int status = 1;
    try {
        status = Run(calculate, file, saveTo);
    } catch (const gelmar::EngineError& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
    } catch (const gelmar::EscAbort&) {
        std::fprintf(stderr, "Calculation aborted\n");
    }
    gelmar::FreeModel();
    gelmar::SetHost(nullptr);
    return status;
}
