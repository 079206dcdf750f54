// libFuzzer target for Dralo's text readers. The first byte picks the reader,
// the rest is the file. After a data-file read (whole or stopped at a bad
// line) the model is written, read from a fresh start and written again: the
// reader must accept what the writer wrote and the two files must be the same
// bytes. Any crash or sanitizer finding is a fault.
#include "dralo/model/editing/PixelValues.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/files/OldDataFile.h"
#include "dralo/model/files/ParameterFile.h"
#include "dralo/model/import/DxfDrawing.h"
#include "dralo/model/store/EngineHost.h"
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
    dralo::ProgramParameters defaults;
    dralo::SessionSettings session;
    dralo::BitmapModel model;
    dralo::LoadMaterialColours(model);
    const auto startup = model.colours;
    switch (data[0] % 5) {
    case 0: {
        dralo::ReadDataFile(model, defaults, host, path, false, data[0] & 0x80);
        const std::string first = dralo::FormatDataFile(model, startup);
        const std::string written = folder + "/written.drl";
        if (!dralo::WriteDataFile(model, startup, written))
            __builtin_trap();
        dralo::BitmapModel again;
        dralo::LoadMaterialColours(again);
        if (dralo::ReadDataFile(again, defaults, host, written, true, false) != dralo::ReadStatus::Read ||
            dralo::FormatDataFile(again, startup) != first)
            __builtin_trap();
        break;
    }
    case 1:
        dralo::ReadOldDataFile(model, defaults, host, path);
        dralo::FormatDataFile(model, startup);
        break;
    case 2: {
        std::filesystem::rename(path, folder + "/Dralo.prm");
        dralo::ReadParameterFile(folder, defaults, session);
        dralo::ProgramParameters back;
        if (!dralo::WriteParameterFile(folder, defaults) || !dralo::ReadParameterFile(folder, back, session))
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
        if (dralo::ConvertPixelValues(path, map)) {
            dralo::AllocatePixels(model, 16, 16, 0);
            for (int i = 0; i < 256; ++i)
                model.pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
            dralo::ApplyPixelValueMap(model, map);
        }
        break;
    }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
