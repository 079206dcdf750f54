// novelk-calc [--no-calc] [--save OUT] FILE
// Reads FILE as File Open does (the program folder's "Novelk.prm" and
// "MatColor.rgb" first, as at start-up), runs Calc System on it as the
// program's command does (every question answered Yes; result files in the
// current folder; FILE saved again when the surface rules changed a colour)
// and writes the results report beside FILE as the batch calculation does
// (its texts from the program folder's "Novelk.str"), unless --no-calc; with
// --save it writes the model as Save does. Messages go to standard error; the
// exit status is 0 on success.
#include "novelk/model/calc/CalcSystem.h"
#include "novelk/model/calc/ResultFiles.h"
#include "novelk/model/files/ColourFiles.h"
#include "novelk/model/files/DataFile.h"
#include "novelk/model/files/ParameterFile.h"
#include "novelk/model/reports/ReportStrings.h"
#include "novelk/model/reports/TextReports.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: novelk-calc [--no-calc] [--save OUT] FILE\n");
    return 2;
}

// The folder of the running program, which holds "Novelk.prm" and the colour files.
std::string ProgramFolder(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path().string();
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
    novelk::NullEngineHost host(true);
    novelk::ProgramParameters defaults;
    novelk::CurrentOutputSettings current;
    novelk::ModelStore model;
    novelk::RunState run;
    novelk::UndoHistory history;
    const std::string folder = ProgramFolder(argv[0]);
    novelk::ReadParameterFile(folder, defaults, current);
    novelk::LoadMaterialColours(model, folder);
    // The report's headings come from the string file; without it the
    // report would be written without them, so the run stops first.
    platform::StringTable strings;
    std::string why;
    if (calculate && !novelk::LoadNovelkStrings(strings, folder, &why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    try {
        novelk::ReadDataFile(model, run, defaults, host, file, novelk::ReadMode::Open);
        novelk::LoadSavedResults(model, run, host);
        if (calculate) {
            if (novelk::RunCalcSystem(model, run, history, host) != novelk::CalcResult::Done)
                return 1;
            novelk::ReportContext report{model, run, strings, {current.dect, current.decq, current.decv}};
            if (!novelk::WriteResultsReport(report, host)) {
                std::fprintf(stderr, "cannot write %s\n",
                             novelk::ReportFilePath(model.dataFilePath, "_RES.txt").c_str());
                return 1;
            }
        }
        if (!saveTo.empty())
            novelk::WriteDataFile(model, saveTo);
    } catch (const novelk::EngineError& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
