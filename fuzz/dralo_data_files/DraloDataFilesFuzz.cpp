// libFuzzer target for Dralo's text readers. The first byte picks the reader,
// the rest is the file. After a data-file read (whole or stopped at a bad
// line) the model is written, read from a fresh start and written again: the
// reader must accept what the writer wrote and the two files must be the same
// bytes; a parameter file written and read back gives the same parameters.
// Any crash or sanitizer finding is a fault.
#include "dralo/model/Engine.h"
#include "dralo/model/editing/PixelValues.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/OldDataFile.h"
#include "dralo/model/files/ParameterFile.h"
#include "dralo/model/import/DxfDrawing.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "fuzz/FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const std::string folder = fuzz::OwnFileName("");
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/input";
    if (!fuzz::WriteInput(path, data + 1, size - 1))
        return 0;

    dralo::NullEngineHost host;
    dralo::Engine engine(host);
    dralo::ProgramParameters& defaults = engine.parameters;
    dralo::SessionSettings& session = engine.session;
    dralo::BitmapModel& model = engine.model;
    engine.run.workFolder = folder;
    dralo::LoadMaterialColours(model);
    const auto startup = model.colours;
    switch (data[0] % 5) {
    case 0: {
        dralo::ReadDataFile(model, path, data[0] & 0x80 ? dralo::ReadMode::Template : dralo::ReadMode::Open, defaults,
                            engine.run.workFolder, host);
        const std::string first = dralo::FormatDataFile(model, startup);
        const std::string written = folder + "/written.drl";
        try {
            dralo::WriteDataFile(model, startup, written);
        } catch (const common::EngineError&) {
            __builtin_trap();
        }
        dralo::BitmapModel again;
        dralo::LoadMaterialColours(again);
        if (dralo::ReadDataFile(again, written, dralo::ReadMode::Quiet, defaults, engine.run.workFolder, host) !=
                dralo::ReadStatus::Read ||
            dralo::FormatDataFile(again, startup) != first)
            __builtin_trap();
        break;
    }
    case 1:
        dralo::ReadOldDataFile(model, path, defaults, engine.run.workFolder, host);
        dralo::FormatDataFile(model, startup);
        break;
    case 2: {
        std::filesystem::rename(path, folder + "/Dralo.prm");
        dralo::ReadParameterFile(defaults, session, folder);
        dralo::ProgramParameters back;
        if (!dralo::WriteParameterFile(defaults, folder))
            __builtin_trap();
        dralo::ReadParameterFile(back, session, folder);
        if (back != defaults)
            __builtin_trap();
        break;
    }
    case 3: {
        std::vector<dralo::DxfLayer> layers;
        dralo::ReadLayerFile(path, layers);
        for (const dralo::DxfLayer& l : layers)
            if (l.disp < 0 || l.disp > 3 || l.colr < 0 || l.colr > 255)
                __builtin_trap();
        break;
    }
    default: {
        dralo::PixelValueMap map;
        dralo::ConvertPixelValues(path, map);
        dralo::AllocatePixels(model, 16, 16, 0);
        for (int i = 0; i < 256; ++i)
            model.pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        dralo::ApplyPixelValueMap(model, map);
        break;
    }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
