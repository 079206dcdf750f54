// The shared colour table of a frame series (see FramePalette.h).
#include "common/core/FramePalette.h"

#include <algorithm>
#include <utility>

namespace common {

BYTE FramePalette::Nearest(std::uint32_t colour) const
{
    const int r = static_cast<int>((colour >> 16) & 0xFF), g = static_cast<int>((colour >> 8) & 0xFF),
              b = static_cast<int>(colour & 0xFF);
    long best = -1;
    BYTE index = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const platform::RGBQUAD& e = m_entries[i];
        const long dr = r - e.rgbRed, dg = g - e.rgbGreen, db = b - e.rgbBlue;
        const long d = dr * dr + dg * dg + db * db;
        if (best < 0 || d < best) {
            best = d;
            index = static_cast<BYTE>(i);
        }
    }
    return index;
}

BYTE FramePalette::IndexOf(std::uint32_t colour) const
{
    colour &= 0xFFFFFF;
    const auto it = m_exact.find(colour);
    return it != m_exact.end() ? it->second : Nearest(colour);
}

void FramePalette::MapFrame(const std::uint32_t* pixels, int width, int height, std::size_t stride,
                            std::vector<BYTE>& indexes)
{
    indexes.clear();
    if (!pixels || width <= 0 || height <= 0)
        return;
    // The frame's colours with their pixel counts; new ones join the table,
    // the most frequent first.
    std::unordered_map<std::uint32_t, std::size_t> counts;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * stride;
        std::uint32_t last = 0xFFFFFFFFu;
        std::size_t* count = nullptr;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = row[x] & 0xFFFFFF;
            if (c != last) {
                count = &counts[c];
                last = c;
            }
            ++*count;
        }
    }
    std::vector<std::pair<std::size_t, std::uint32_t>> fresh;
    for (const auto& [colour, n] : counts)
        if (!m_exact.contains(colour))
            fresh.emplace_back(n, colour);
    std::sort(fresh.begin(), fresh.end(),
              [](const auto& a, const auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    for (const auto& [n, colour] : fresh) {
        if (m_entries.size() >= static_cast<std::size_t>(kMaxEntries))
            break;
        m_exact[colour] = static_cast<BYTE>(m_entries.size());
        m_entries.push_back({static_cast<BYTE>(colour), static_cast<BYTE>(colour >> 8),
                             static_cast<BYTE>(colour >> 16), 0});
    }
    // Colours without an entry of their own, each looked up once.
    std::unordered_map<std::uint32_t, BYTE> nearest;
    indexes.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * stride;
        BYTE* out = indexes.data() + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width);
        std::uint32_t last = 0xFFFFFFFFu;
        BYTE index = 0;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = row[x] & 0xFFFFFF;
            if (c != last) {
                last = c;
                const auto it = m_exact.find(c);
                if (it != m_exact.end()) {
                    index = it->second;
                } else {
                    const auto near = nearest.find(c);
                    index = near != nearest.end() ? near->second : (nearest[c] = Nearest(c));
                }
            }
            out[x] = index;
        }
    }
}

} // namespace common
