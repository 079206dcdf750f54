// dralo-calc [--no-calc] [--save OUT] FILE
// Starts as the program does (the program folder's "Dralo.drl" and
// "Dralo.prm"), opens FILE by its extension as the document does (.drl with
// its bitmap, .bmp, .dat, .dxf), calculates it as a batch run does (a model
// from a DXF drawing prepared and its bitmap written first; always a new
// mesh; the result files "tmp.tri", "tmp.sol", "tmp.flw" and "tmp.flx" in
// the current folder) unless --no-calc, then writes the text reports and
// the report definition beside the data file as a batch's Make Report does
// (the figures belong to the graphic output window), and with --save writes
// OUT and its bitmap beside it (OUT with ".bmp") as Save does, never over
// the files it read.
// Messages go to standard error; the exit status is 0 on success.
#include "common/core/DriverStartup.h"
#include "dralo/model/Engine.h"
#include "dralo/model/calc/BatchRun.h"
#include "dralo/model/reports/TextReports.h"
#include "dralo/model/results/MeshResults.h"

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
bool MakeReport(dralo::Engine& engine, const std::string& programFolder)
{
    platform::StringTable strings;
    std::string error;
    if (!dralo::LoadDraloStrings(strings, programFolder, &error)) {
        std::fprintf(stderr, "dralo-calc: %s: %s\n", dralo::kDraloStringFile, error.c_str());
        return false;
    }
    dralo::BitmapModel& model = engine.model;
    dralo::MeshResults results;
    dralo::ReadResults(model, engine.run.workFolder, results);
    dralo::ReportContext context{model, results, strings, engine.session.dect, engine.session.decq};
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

// Save to OUT and its bitmap, refused where either is a file that was read.
bool SaveAs(dralo::Engine& engine, const std::string& input, const std::string& saveTo)
{
    const std::string bitmap = dralo::ReplaceExtension(saveTo, ".bmp");
    for (const std::string& read : {input, engine.model.bitmapPath}) {
        if (!read.empty() && (SameFile(saveTo, read) || SameFile(bitmap, read))) {
            std::fprintf(stderr, "dralo-calc: %s would be written over %s, which was read\n",
                         SameFile(saveTo, read) ? saveTo.c_str() : bitmap.c_str(), read.c_str());
            return false;
        }
    }
    engine.model.dataFilePath = saveTo;
    engine.model.bitmapPath = bitmap;
    return dralo::SaveModelFiles(engine.edits, engine.startupColours);
}

int Run(const common::DriverStart& start)
{
    dralo::NullEngineHost host(true);
    dralo::Engine engine(host);
    dralo::StartEngine(engine, start.programFolder);
    host.messages.clear();
    const common::DriverArguments& args = start.args;
    if (!dralo::OpenModelFile(engine.edits, args.file, engine.dxf, engine.run.workFolder))
        return common::kExitFailure;
    if (!host.messages.empty())
        return common::kExitFailure; // the file was read only in part
    if (args.calculate) {
        // As a batch run: the result files go to the current folder.
        if (dralo::RunBatchCalculation(engine.edits, engine.run, engine.startupColours) != dralo::CalcResult::Done)
            return common::kExitFailure;
        if (!MakeReport(engine, start.programFolder))
            return common::kExitFailure;
    }
    if (!args.saveTo.empty() && !SaveAs(engine, args.file, args.saveTo))
        return common::kExitFailure;
    return common::kExitSuccess;
}

} // namespace

int main(int argc, char** argv)
{
    return common::RunDriver(argc, argv, "dralo-calc", Run);
}
