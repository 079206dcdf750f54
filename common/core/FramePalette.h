// One colour table for a series of pictures (the frames of an animation):
// each frame's pixels become 8-bit indexes into a table that only grows, so
// that frames written earlier keep their colours. A frame's new colours are
// added most frequent first while the table has room, so that fills,
// swatches and lines keep their exact colours; a colour that finds no room
// takes the nearest entry (the least squared distance in red, green and
// blue, the earliest entry on ties).
#pragma once
#include "platform/core/DibTypes.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace common {

class FramePalette {
  public:
    static constexpr int kMaxEntries = 256;

    // Pixels 0x00RRGGBB (the upper byte is ignored), top row first, stride
    // in pixels; the indexes come out bottom row first, rows packed, as the
    // frames of a bitmap are stored.
    void MapFrame(const std::uint32_t* pixels, int width, int height, std::size_t stride,
                  std::vector<BYTE>& indexes);

    const std::vector<platform::RGBQUAD>& Entries() const { return m_entries; }
    // The index a colour 0x00RRGGBB takes now (adds nothing).
    BYTE IndexOf(std::uint32_t colour) const;

  private:
    BYTE Nearest(std::uint32_t colour) const;

    std::vector<platform::RGBQUAD> m_entries;
    std::unordered_map<std::uint32_t, BYTE> m_exact;
};

} // namespace common
