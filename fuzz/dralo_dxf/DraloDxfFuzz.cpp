// libFuzzer target for the DXF import: the input is a drawing imported into
// a model with the bitmap limited to 65536 pixels (and so the segments to as
// many), so that each input is quick. The import either makes a bitmap whose
// statistics count every pixel, or refuses and leaves the model as it was.
#include "dralo/model/Engine.h"
#include "fuzz/FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzz::OwnFileName(".dxf");
    if (!fuzz::WriteInput(path, data, size))
        return 0;

    dralo::NullEngineHost host;
    dralo::Engine engine(host);
    dralo::BitmapModel& model = engine.model;
    dralo::LoadMaterialColours(model);
    dralo::AllocatePixels(model, 2, 2, 3);
    engine.dxf = {".", true};
    if (dralo::ImportDxfFile(model, path, engine.dxf, host, std::int64_t{1} << 16)) {
        std::int64_t counted = 0;
        for (const dralo::ColourRecord& c : model.colours)
            counted += c.pixelCount;
        if (counted != dralo::PixelTotal(model) || model.pixels.size() != static_cast<std::size_t>(counted))
            __builtin_trap();
    } else if (model.width != 2 || model.pixels[0] != 3) {
        __builtin_trap();
    }
    std::remove(path.c_str());
    return 0;
}
