// Feeds arbitrary bytes to the BMP readers (the DIB function and the bitmap
// class) and the PNG reader; every input must end in a clean refusal or a
// picture whose pixels can all be read.
#include "common/core/Dib.h"
#include "common/core/ImageImpl.h"
#include "common/core/UserMessage.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

void TouchPixels(const common::CImageImpl& image)
{
    BYTE r, g, b;
    unsigned sum = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetPixelRGB(x, y, r, g, b))
                sum += r + g + b;
    volatile unsigned sink = sum;
    (void)sink;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = (common::SetUserMessageSink([](const std::string&) {}), true);
    (void)quiet;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    common::CBmpImageImpl bmp("");
    if (bmp.ReadBytes(bytes))
        TouchPixels(bmp);

    common::CPngImageImpl png("");
    if (png.ReadBytes(bytes))
        TouchPixels(png);

    std::istringstream in{std::string(bytes)};
    common::CDib dib;
    if (dib.Read(in)) {
        volatile std::size_t sum = 0;
        for (std::size_t i = 0; i < dib.GetImageSize(); ++i)
            sum = sum + dib.GetBits()[i];
    }
    return 0;
}
