// The corner patterns of the eight cells around a grid point.
#include "common/kernels/CornerPattern.h"

#include <bit>

namespace kernels {

namespace {

// Cells q and r share a face when their offsets differ on one axis only.
bool ShareFace(unsigned q, unsigned r)
{
    return std::popcount(q ^ r) == 1;
}

// The cells of a mask, lowest bit first.
unsigned Cell(unsigned mask, int which)
{
    for (unsigned q = 0; q < 8; ++q)
        if (mask & (1u << q) && which-- == 0)
            return q;
    return 8;
}

// The twelve plane arrangements of four cells: the six halves of the block
// (one side of an axis) and the six diagonal slabs (two cell columns along
// an axis that touch only along an edge).
bool IsPlaneArrangement(unsigned mask)
{
    for (unsigned a = 0; a < 3; ++a) {
        const unsigned b = (a + 1) % 3, c = (a + 2) % 3;
        unsigned low = 0, equal = 0;
        for (unsigned q = 0; q < 8; ++q) {
            if (!(q >> a & 1))
                low |= 1u << q;
            if ((q >> b & 1) == (q >> c & 1))
                equal |= 1u << q;
        }
        if (mask == low || mask == (~low & 0xFF) || mask == equal || mask == (~equal & 0xFF))
            return true;
    }
    return false;
}

} // namespace

bool IsCornerPattern(unsigned solidMask)
{
    const unsigned mask = solidMask & 0xFF;
    switch (std::popcount(mask)) {
    case 0:
    case 8:
        return false;
    case 2:
        return !ShareFace(Cell(mask, 0), Cell(mask, 1));
    case 4:
        return !IsPlaneArrangement(mask);
    case 6: {
        const unsigned empty = ~mask & 0xFF;
        return !ShareFace(Cell(empty, 0), Cell(empty, 1));
    }
    default:
        return true;
    }
}

} // namespace kernels
