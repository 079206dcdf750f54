// Borderline BC records and their check.
#include "dralo/model/lines/BorderlineBcs.h"

namespace dralo {

void ResetBorderlineBc(BitmapModel& m, int k)
{
    m.borderlineBcs[static_cast<std::size_t>(k)] = BorderlineBcRecord{};
}

namespace {

bool SamePair(int a1, int b1, int a2, int b2)
{
    return (a1 == a2 && b1 == b2) || (a1 == b2 && b1 == a2);
}

} // namespace

void ValidateBorderlineBc(BitmapModel& m, int k)
{
    BorderlineBcRecord& r = m.borderlineBcs[static_cast<std::size_t>(k)];
    r.valid = 0;
    if (r.bor1 < 0 || r.bor1 > 255 || r.bor2 < 0 || r.bor2 > 255)
        return;
    // An earlier record of the same pair takes precedence.
    for (int i = 0; i < k; ++i) {
        const BorderlineBcRecord& o = m.borderlineBcs[static_cast<std::size_t>(i)];
        if (SamePair(r.bor1, r.bor2, o.bor1, o.bor2))
            return;
    }
    for (const BoundaryEdge& e : m.edges) {
        if (SamePair(r.bor1, r.bor2, e.left, e.right)) {
            r.valid = 1;
            return;
        }
    }
}

void ValidateBorderlineBcs(BitmapModel& m)
{
    for (int k = 0; k < m.nbor; ++k)
        ValidateBorderlineBc(m, k);
}

} // namespace dralo
