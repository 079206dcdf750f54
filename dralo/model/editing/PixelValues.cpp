// Pixel-value conversion.
#include "dralo/model/editing/PixelValues.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

namespace dralo {

void ConvertPixelValues(const std::string& path, PixelValueMap& map)
{
    map.fill(-1);
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        throw EngineError::FileOpen(path);
    int key = -1;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine({}, 0, key);
        if (st == common::LineStatus::End)
            break;
        if (st == common::LineStatus::TooLong)
            continue;
        const char* p = reader.Value();
        int from = 0, to = 0;
        if (common::ScanInt(p, from) && common::ScanInt(p, to) && from >= 0 && from <= 255 && to >= 0 && to <= 255)
            map[static_cast<std::size_t>(from)] = to;
    }
}

void ApplyPixelValueMap(BitmapModel& m, PixelValueMap& map)
{
    std::array<bool, kColourCount> target{};
    for (int v : map)
        if (v >= 0)
            target[static_cast<std::size_t>(v)] = true;
    // Values without an entry are as many as the numbers no entry takes,
    // so each finds one.
    int next = 0;
    for (int& v : map) {
        if (v >= 0)
            continue;
        while (target[static_cast<std::size_t>(next)])
            ++next;
        v = next;
        target[static_cast<std::size_t>(next)] = true;
    }
    for (std::uint8_t& p : m.pixels)
        p = static_cast<std::uint8_t>(map[p]);
}

bool ConvertPixelValuesCommand(EditSession& s, const std::string& path)
{
    PixelValueMap map;
    try {
        ConvertPixelValues(path, map);
    } catch (const common::EngineError& e) {
        s.host.MessageBox(e.Message(), MessageStyle::Ok);
        return false;
    }
    ApplyPixelValueMap(s.model, map);
    RefreshViewsAfterEdit(s, 0);
    return true;
}

} // namespace dralo
