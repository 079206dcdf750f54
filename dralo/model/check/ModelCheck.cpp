// The model check: zone walks with an explicit stack of (pixel, next
// direction) entries.
#include "dralo/model/check/ModelCheck.h"

#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <vector>

namespace dralo {

namespace {

constexpr int kPollCount = 10000;

struct WalkEntry {
    std::int64_t pixel;
    int next; // the next direction to try: 0 left, 1 up, 2 right, 3 down
};

bool Enterable(const ColourRecord& c)
{
    return c.type != MATERIAL && c.type != EQUIMAT;
}

// Labels the zone of the start pixel: every pixel the walk reaches must be
// of the start colour's type and in no other zone.
void LabelRadiationZone(BitmapModel& m, std::int64_t start, int startColour, int zone,
                        std::vector<std::uint8_t>& visited, std::vector<WalkEntry>& stack, EscPoll& poll)
{
    const std::int64_t w = m.width, h = m.height;
    const int startType = m.colours[static_cast<std::size_t>(startColour)].type;
    stack.clear();
    WalkEntry cur{start, 0};
    auto reach = [&](std::int64_t p) {
        poll.Step();
        const int c = m.pixels[static_cast<std::size_t>(p)];
        ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
        if (r.type != startType)
            throw EngineError::TouchingBcTypes(startColour, c);
        if (r.radiationZone != -1 && r.radiationZone != zone)
            throw EngineError::SeparatedZones(c);
        r.radiationZone = zone;
        visited[static_cast<std::size_t>(p)] = 1;
    };
    reach(start);
    for (;;) {
        const std::int64_t x = cur.pixel % w, y = cur.pixel / w;
        std::int64_t to = -1;
        while (cur.next < 4 && to < 0) {
            const int d = cur.next++;
            const std::int64_t nx = x + (d == 0 ? -1 : d == 2 ? 1 : 0), ny = y + (d == 1 ? -1 : d == 3 ? 1 : 0);
            if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                continue;
            const std::int64_t n = nx + ny * w;
            if (!visited[static_cast<std::size_t>(n)] && Enterable(m.colours[m.pixels[static_cast<std::size_t>(n)]]))
                to = n;
        }
        if (to < 0) {
            if (stack.empty())
                return;
            cur = stack.back();
            stack.pop_back();
            continue;
        }
        if (cur.next < 4)
            stack.push_back(cur);
        reach(to);
        cur = {to, 0};
    }
}

} // namespace

int CheckCalculationModel(BitmapModel& m, EngineHost& host)
{
    std::vector<std::uint8_t> visited;
    std::vector<WalkEntry> stack;
    try {
        visited.assign(static_cast<std::size_t>(PixelTotal(m)), 0);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    bool anyAdiabatic = false;
    for (ColourRecord& c : m.colours) {
        c.radiationZone = -1;
        c.adiabatic = c.present && IsAdiabaticBoundary(c) ? 1 : 0;
        anyAdiabatic = anyAdiabatic || c.adiabatic;
    }
    EscPoll poll(host, kPollCount);
    if (anyAdiabatic) {
        for (std::size_t i = 0; i < m.pixels.size(); ++i) {
            poll.Step();
            if (m.colours[m.pixels[i]].adiabatic)
                visited[i] = 1;
        }
    }
    int zones = 0;
    EscPoll pixelPoll(host, kPollCount);
    for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
        pixelPoll.Step();
        if (visited[static_cast<std::size_t>(i)])
            continue;
        const int c = m.pixels[static_cast<std::size_t>(i)];
        const ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
        if (r.type < BC_FREE || r.type > TRANSMAT)
            continue;
        if (r.radiationZone != -1)
            throw EngineError::SeparatedZones(c);
        EscPoll walkPoll(host, kPollCount);
        LabelRadiationZone(m, i, c, zones++, visited, stack, walkPoll);
    }
    m.radiationZoneCount = zones;
    return zones;
}

} // namespace dralo
