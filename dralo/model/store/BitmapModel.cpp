// The model's life cycle: start-up colours, pixel buffers and the changed-pixel list.
#include "dralo/model/store/BitmapModel.h"

#include <algorithm>

namespace dralo {

namespace {

// An empty list with room for width*height/8 entries, at least 1000 and at
// most 10000.
ChangedPixelList NewChangedPixelList(std::int64_t pixelCount)
{
    ChangedPixelList list;
    list.capacity = static_cast<std::int32_t>(std::clamp<std::int64_t>(pixelCount / 8, 1000, 10000));
    list.entries.reserve(static_cast<std::size_t>(list.capacity));
    return list;
}

} // namespace

void LoadMaterialColours(BitmapModel& m)
{
    for (int c = 0; c < kColourCount; ++c) {
        ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
        r = ColourRecord{};
        r.number = static_cast<std::uint8_t>(c);
        r.tric = m.tris;
    }
}

void FreeBitmapModel(BitmapModel& m)
{
    std::vector<std::uint8_t>().swap(m.pixels);
    std::vector<ChangedPixel>().swap(m.changed.entries);
    m.changed.capacity = 0;
    std::vector<BoundaryEdge>().swap(m.edges);
    m.width = m.height = 0;
    for (ColourRecord& c : m.colours)
        c.present = 0;
}

void AllocChangedPixelList(BitmapModel& m)
{
    m.changed = NewChangedPixelList(PixelTotal(m));
}

void AllocatePixels(BitmapModel& m, std::int32_t w, std::int32_t h, std::uint8_t colour)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(static_cast<std::int64_t>(w) * h), colour);
    AdoptPixels(m, w, h, std::move(pixels));
}

void AdoptPixels(BitmapModel& m, std::int32_t w, std::int32_t h, std::vector<std::uint8_t> pixels)
{
    ChangedPixelList list = NewChangedPixelList(static_cast<std::int64_t>(w) * h);
    m.pixels.swap(pixels);
    m.width = w;
    m.height = h;
    m.changed = std::move(list);
}

int GetPixelColour(const BitmapModel& m, std::int64_t x, std::int64_t y)
{
    if (!InsideBitmap(m, x, y))
        return -1;
    return m.pixels[static_cast<std::size_t>(PixelIndex(m, x, y))];
}

bool SetPixelColour(BitmapModel& m, std::int64_t index, std::uint8_t colour)
{
    std::uint8_t& p = m.pixels[static_cast<std::size_t>(index)];
    if (p == colour)
        return false;
    if (!m.changed.Full())
        m.changed.entries.push_back({static_cast<std::int32_t>(index), p, colour});
    p = colour;
    return true;
}

} // namespace dralo
