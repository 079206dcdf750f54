// The 3D view's value read-out (see ValueReadout.h).
#include "gelmar/graphics/core/ValueReadout.h"

#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"

namespace gelmar {

GridPointValue LoadedTemperatures(const ModelStore& model, const WorkArrays& work)
{
    return [&model, &work](int i, int j, int k) {
        return static_cast<float>(GetNodeValueAt(model, work, i, j, k, 0));
    };
}

bool ProjectQuadCorners(const kernels::PictureMatrix& matrix, const ModelStore& model, const FaceRecord& face,
                        int quad, const GridPointValue& value, kernels::QuadCorner corners[4])
{
    if (quad < 0 || quad >= FaceQuadCount(face))
        return false;
    const int axis = FaceOrientation(face) / 2;
    const int ua = axis == 0 ? 1 : 0;
    const int ub = axis == 2 ? 1 : 2;
    const int nb = face.bounds[2 * ub + 1] - face.bounds[2 * ub];
    const int a = face.bounds[2 * ua] + quad / nb;
    const int b = face.bounds[2 * ub] + quad % nb;
    // The read-out's corner order is that of the minimum-side faces.
    GridPoint c[4];
    FaceQuadCorners(face, 2 * axis, a, b, c);
    for (int n = 0; n < 4; ++n) {
        double depth = 0.0;
        matrix.Project(GridLineCoordinate(model, 0, c[n].i), GridLineCoordinate(model, 1, c[n].j),
                       GridLineCoordinate(model, 2, c[n].k), corners[n].x, corners[n].y, depth);
        corners[n].value = value ? value(c[n].i, c[n].j, c[n].k) : 0.0f;
    }
    kernels::OrderQuadCornersClockwise(corners);
    return true;
}

float ValueAtScreenPoint(const kernels::PictureMatrix& matrix, const ModelStore& model,
                         const FaceRecord& face, int quad, const GridPointValue& value, int px, int py)
{
    kernels::QuadCorner corners[4];
    if (!ProjectQuadCorners(matrix, model, face, quad, value, corners))
        return 0.0f;
    return kernels::ValueInQuad(px, py, corners, true);
}

} // namespace gelmar
