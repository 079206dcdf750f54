// Linked block points.
#include "parven/model/editing/BlockPoints.h"

#include <algorithm>

namespace parven {

namespace {

bool Equal(const float a[3], const float b[3])
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

} // namespace

void MoveLinkedPoints(ShapeModel& m, const float from[3], const float to[3])
{
    if (!m.session.linkEqualPoints || Equal(from, to))
        return;
    for (std::size_t i = 0; i < m.blocks.count; ++i) {
        BlockRecord& b = m.blocks[i];
        if (b.kind != SOLID)
            continue;
        bool moved = false;
        for (int p : DefiningPoints(b))
            if (Equal(b.points[p], from)) {
                std::copy(to, to + 3, b.points[p]);
                moved = true;
            }
        if (moved) {
            DeriveBlockCorners(b, false);
            ClearBlockEditFlags(b);
        }
    }
}

} // namespace parven
