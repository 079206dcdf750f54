// dralo-calc [--no-calc] [--save OUT] FILE
// Starts as the program does (the program folder's "Dralo.drl" and
// "Dralo.prm"), opens FILE by its extension as the document does (.drl with
// its bitmap, .bmp, .dat, .dxf), calculates it as a batch run does (a model
// from a DXF drawing prepared and its bitmap written first; always a new
// mesh; the result files "tmp.tri", "tmp.sol", "tmp.flw" and "tmp.flx" in
// the current folder) unless --no-calc, then writes the text reports and
// the report definition beside the data file as a batch's Make Report does
// (the figures belong to the graphic output window), and with --save writes OUT and its
// bitmap beside it (OUT with ".bmp") as Save does, never over the files it
// read.
// Messages go to standard error; the exit status is 0 on success.
#include "common/core/DriverStartup.h"
#include "dralo/model/calc/BatchRun.h"
#include "dralo/model/editing/EditSession.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/reports/TextReports.h"
#include "dralo/model/results/MeshResults.h"
#include "dralo/model/store/EngineHost.h"
#include "platform/core/Folders.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    const auto pa = std::filesystem::weakly_canonical(a, ec);
    const auto pb = std::filesystem::weakly_canonical(b, ec);
    return pa == pb;
}

// Make Report's text part: the results read back, the reports and the
// definition file. A report that cannot be written is named; the others are
// written all the same.
bool MakeReport(dralo::BitmapModel& model, const dralo::SessionSettings& session, const std::string& programFolder)
{
    platform::StringTable strings;
    std::string error;
    if (!dralo::LoadDraloStrings(strings, programFolder, &error)) {
        std::fprintf(stderr, "dralo-calc: %s: %s\n", dralo::kDraloStringFile, error.c_str());
        return false;
    }
    dralo::MeshResults results;
    const dralo::ResultReadOutcome read = dralo::ReadResults(model, results);
    if (read.code != dralo::ErrorCode::None) {
        std::fprintf(stderr, "%s\n", read.message.c_str());
        return false;
    }
    dralo::ReportContext context{model, results, strings, session.dect, session.decq};
    bool ok = true;
    for (const std::string& path : dralo::MakeTextReports(context)) {
        std::fprintf(stderr, "%s\n", dralo::FileOpenText(path).c_str());
        ok = false;
    }
    if (!dralo::WriteReportDefinition(context, false)) {
        std::fprintf(stderr, "%s\n", dralo::FileOpenText(dralo::ReplaceExtension(model.dataFilePath, ".bri")).c_str());
        ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    common::DriverArguments args;
    if (!common::ParseDriverArguments(argc, argv, "dralo-calc", args))
        return 2;
    const std::string& file = args.file;
    const std::string& saveTo = args.saveTo;

    dralo::NullEngineHost host(true);
    dralo::ProgramParameters defaults;
    dralo::SessionSettings session;
    dralo::BitmapModel model;
    dralo::UndoList undo;
    dralo::EditSession s{model, defaults, session, undo, host};
    dralo::DxfImportState dxf;
    dxf.programFolder = platform::ProgramFolder();
    const dralo::ColourTable startup = dralo::StartUp(dxf.programFolder, model, defaults, session, host);
    host.messages.clear();
    if (!dralo::OpenModelFile(s, dxf, file))
        return 1;
    if (!host.messages.empty())
        return 1; // the file was read only in part
    if (args.calculate) {
        // As a batch run: the result files go to the current folder.
        dralo::CalcRun run;
        if (dralo::RunBatchCalculation(s, run, startup) != dralo::CalcResult::Done)
            return 1;
        if (!MakeReport(model, session, dxf.programFolder))
            return 1;
    }
    if (!saveTo.empty()) {
        const std::string bitmap = dralo::ReplaceExtension(saveTo, ".bmp");
        for (const std::string& input : {file, model.bitmapPath}) {
            if (!input.empty() && (SameFile(saveTo, input) || SameFile(bitmap, input))) {
                std::fprintf(stderr, "dralo-calc: %s would be written over %s, which was read\n",
                             SameFile(saveTo, input) ? saveTo.c_str() : bitmap.c_str(), input.c_str());
                return 1;
            }
        }
        model.dataFilePath = saveTo;
        model.bitmapPath = bitmap;
        if (!dralo::SaveModelFiles(s, startup))
            return 1;
    }
    return 0;
}
