// Palette entries and nearest-colour matching.
#include "platform/core/Palette.h"

#include <algorithm>

namespace platform {

BOOL CPalette::CreatePalette(const std::vector<PALETTEENTRY>& entries)
{
    const std::size_t n = std::min<std::size_t>(entries.size(), 256);
    m_entries.assign(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(n));
    return TRUE;
}

int CPalette::GetPaletteEntries(int start, int count, PALETTEENTRY* out) const
{
    if (start < 0 || count <= 0 || start >= GetEntryCount())
        return 0;
    const int n = std::min(count, GetEntryCount() - start);
    std::copy_n(m_entries.begin() + start, n, out);
    return n;
}

int CPalette::GetNearestPaletteIndex(COLORREF colour) const
{
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    int best = 0;
    long bestDist = -1;
    for (int i = 0; i < GetEntryCount(); ++i) {
        const PALETTEENTRY& e = m_entries[static_cast<std::size_t>(i)];
        const long dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

} // namespace platform
