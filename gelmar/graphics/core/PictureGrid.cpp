// Face quads and their corner orders (see PictureGrid.h).
#include "gelmar/graphics/core/PictureGrid.h"

namespace gelmar {

int FaceQuadCount(const FaceRecord& face)
{
    const int axis = FaceOrientation(face) / 2;
    const int ua = axis == 0 ? 1 : 0;
    const int ub = axis == 2 ? 1 : 2;
    const int na = face.bounds[2 * ua + 1] - face.bounds[2 * ua];
    const int nb = face.bounds[2 * ub + 1] - face.bounds[2 * ub];
    return na > 0 && nb > 0 ? na * nb : 0;
}

void FaceQuadCorners(const FaceRecord& face, int cornerOrientation, int a, int b, GridPoint c[4])
{
    static constexpr int kForward[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    static constexpr int kBackward[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    const bool forward = cornerOrientation == 0 || cornerOrientation == 3 || cornerOrientation == 4;
    const int(&order)[4][2] = forward ? kForward : kBackward;
    const int axis = FaceOrientation(face) / 2;
    const int plane = face.bounds[2 * axis];
    for (int n = 0; n < 4; ++n) {
        const int p = a + order[n][0], q = b + order[n][1];
        switch (axis) {
        case 0:
            c[n] = {plane, p, q};
            break;
        case 1:
            c[n] = {p, plane, q};
            break;
        default:
            c[n] = {p, q, plane};
            break;
        }
    }
}

} // namespace gelmar
