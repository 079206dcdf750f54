// libFuzzer target for Dralo's bitmap readers. The input is a BMP file, read
// as a model bitmap, for its palette, checked, and imported into a small
// model at a corner picked by its length. A model bitmap that reads is
// written and read again: the pixels must come back, and the boundary edges
// must cover exactly the sides between different colours. A failed read must
// leave the model as it was.
#include "dralo/model/Engine.h"
#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"
#include "fuzz/FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Unit pixel sides the edges cover, against the sides where colours differ.
bool EdgesCoverTheBoundaries(const dralo::BitmapModel& m)
{
    std::int64_t covered = 0;
    for (const dralo::BoundaryEdge& e : m.edges)
        covered += (e.x2 - e.x1) + (e.y2 - e.y1);
    std::int64_t sides = 2 * (static_cast<std::int64_t>(m.width) + m.height);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const int c = dralo::GetPixelColour(m, x, y);
            sides += (x + 1 < m.width && dralo::GetPixelColour(m, x + 1, y) != c) ? 1 : 0;
            sides += (y + 1 < m.height && dralo::GetPixelColour(m, x, y + 1) != c) ? 1 : 0;
        }
    return covered == sides;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzz::OwnFileName(".bmp");
    static const std::string written = fuzz::OwnFileName("-written.bmp");
    if (!fuzz::WriteInput(path, data, size))
        return 0;

    dralo::NullEngineHost host;
    dralo::Engine engine(host);
    dralo::BitmapModel& model = engine.model;
    dralo::LoadMaterialColours(model);
    dralo::AllocatePixels(model, 3, 2, 7);
    const std::vector<std::uint8_t> before = model.pixels;
    model.bitmapPath = path;
    if (dralo::ReadBmpFile(model, model.bitmapPath, host)) {
        if (!EdgesCoverTheBoundaries(model) || !dralo::WriteModelBmp(model, written))
            __builtin_trap();
        dralo::BitmapModel again;
        again.bitmapPath = written;
        if (!dralo::ReadBmpFile(again, again.bitmapPath, host) || again.pixels != model.pixels)
            __builtin_trap();
        std::remove(written.c_str());
    } else if (model.pixels != before || model.width != 3) {
        __builtin_trap();
    }
    dralo::ReadBmpPalette(model, path, host);
    dralo::CheckBmpHeader(path, host);
    dralo::AllocatePixels(model, 9, 7, 0);
    dralo::ImportBitmapFile(model, path, static_cast<std::int32_t>(size % 11) - 1,
                            static_cast<std::int32_t>(size % 7), static_cast<int>(size % 4), host);
    std::remove(path.c_str());
    return 0;
}
