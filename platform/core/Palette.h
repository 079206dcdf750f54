// A logical colour palette: the entries of a palette object, with the
// nearest-colour look-up that drawing and colour matching use.
#pragma once
#include "platform/core/DibTypes.h"

#include <vector>

namespace platform {

class CPalette {
  public:
    CPalette() = default;
    explicit CPalette(std::vector<PALETTEENTRY> entries) : m_entries(std::move(entries)) {}

    // Replaces the entries; at most 256 are kept, as a logical palette holds.
    BOOL CreatePalette(const std::vector<PALETTEENTRY>& entries);

    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    // Copies up to count entries from start; returns how many were copied.
    int GetPaletteEntries(int start, int count, PALETTEENTRY* out) const;
    // Index of the entry with the least squared RGB distance; the first one
    // wins ties. 0 for an empty palette.
    int GetNearestPaletteIndex(COLORREF colour) const;

    const std::vector<PALETTEENTRY>& Entries() const { return m_entries; }

  private:
    std::vector<PALETTEENTRY> m_entries;
};

} // namespace platform
