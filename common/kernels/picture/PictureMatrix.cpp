// Forward and inverse picture matrices (see PictureMatrix.h).
#include "common/kernels/picture/PictureMatrix.h"

#include <cmath>
#include <utility>

namespace kernels {

namespace {

void Apply(const double m[16], double x, double y, double z, double& a, double& b, double& c)
{
    double w = m[12] * x + m[13] * y + m[14] * z + m[15];
    // Smallest divisor kept: a point on or at the eye plane lands far outside
    // any picture instead of at infinity.
    constexpr double kTiny = 1e-12;
    if (std::fabs(w) < kTiny)
        w = w < 0 ? -kTiny : kTiny;
    a = (m[0] * x + m[1] * y + m[2] * z + m[3]) / w;
    b = (m[4] * x + m[5] * y + m[6] * z + m[7]) / w;
    c = (m[8] * x + m[9] * y + m[10] * z + m[11]) / w;
}

} // namespace

bool InvertMatrix4(const double in[16], double out[16])
{
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = in[r * 4 + c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (a[pivot][col] == 0.0 || !std::isfinite(a[pivot][col]))
            return false;
        if (pivot != col)
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        const double scale = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0)
                continue;
            const double f = a[r][col];
            for (int c = 0; c < 8; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[r * 4 + c] = a[r][c + 4];
    return true;
}

PictureMatrix::PictureMatrix()
{
    for (int i = 0; i < 16; ++i)
        m_forward[i] = m_inverse[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

bool PictureMatrix::SetForward(const double forward[16])
{
    for (int i = 0; i < 16; ++i)
        m_forward[i] = forward[i];
    if (InvertMatrix4(m_forward, m_inverse))
        return true;
    for (double& v : m_inverse)
        v = 0.0;
    return false;
}

void PictureMatrix::Project(double x, double y, double z, double& px, double& py, double& depth) const
{
    Apply(m_forward, x, y, z, px, py, depth);
}

void PictureMatrix::Unproject(double px, double py, double depth, double& x, double& y, double& z) const
{
    Apply(m_inverse, px, py, depth, x, y, z);
}

} // namespace kernels
