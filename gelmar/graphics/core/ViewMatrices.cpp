// The GLU matrices in our own code (see ViewMatrices.h).
#include "gelmar/graphics/core/ViewMatrices.h"

#include <cmath>

namespace gelmar {

namespace {

constexpr double kPi = 3.14159265358979323846;

// GLU normalises and crosses in single precision.
void NormaliseFloat(float v[3])
{
    const float r = static_cast<float>(std::sqrt(static_cast<double>(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])));
    if (r == 0.0f)
        return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void CrossFloat(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// A value rounded to single precision. Kept out of line: GCC 12's vectorizer
// drops the rounding of such conversions when it pairs them (-O2).
[[gnu::noinline]] double Single(double v)
{
    return static_cast<float>(v);
}

GlMatrix Translation(double x, double y, double z)
{
    GlMatrix t = IdentityMatrix();
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

} // namespace

GlMatrix IdentityMatrix()
{
    GlMatrix a{};
    a.m[0] = a.m[5] = a.m[10] = a.m[15] = 1.0;
    return a;
}

GlMatrix MultiplyMatrices(const GlMatrix& a, const GlMatrix& b)
{
    GlMatrix out{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[k * 4 + r] * b.m[c * 4 + k];
            out.m[c * 4 + r] = sum;
        }
    return out;
}

void RowMajor(const GlMatrix& a, double out[16])
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[r * 4 + c] = a.m[c * 4 + r];
}

GlMatrix PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar)
{
    const double radians = fovy / 2 * kPi / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    GlMatrix p = IdentityMatrix();
    if (deltaZ == 0 || sine == 0 || aspect == 0)
        return p;
    const double cotangent = std::cos(radians) / sine;
    p.m[0] = cotangent / aspect;
    p.m[5] = cotangent;
    p.m[10] = -(zFar + zNear) / deltaZ;
    p.m[11] = -1;
    p.m[14] = -2 * zNear * zFar / deltaZ;
    p.m[15] = 0;
    return p;
}

GlMatrix LookAtMatrix(const double eye[3], const double centre[3], const double up[3])
{
    float forward[3], side[3], upward[3];
    for (int k = 0; k < 3; ++k) {
        forward[k] = static_cast<float>(centre[k] - eye[k]);
        upward[k] = static_cast<float>(up[k]);
    }
    NormaliseFloat(forward);
    CrossFloat(forward, upward, side);
    NormaliseFloat(side);
    CrossFloat(side, forward, upward);
    GlMatrix rotation = IdentityMatrix();
    for (int k = 0; k < 3; ++k) {
        rotation.m[k * 4 + 0] = side[k];
        rotation.m[k * 4 + 1] = upward[k];
        rotation.m[k * 4 + 2] = -forward[k];
    }
    return MultiplyMatrices(rotation, Translation(-eye[0], -eye[1], -eye[2]));
}

GlMatrix PickMatrix(double x, double y, double width, double height, const int viewport[4])
{
    GlMatrix p = IdentityMatrix();
    if (width <= 0 || height <= 0)
        return p;
    // GLU passes these to glScalef and glTranslatef: single precision.
    p.m[0] = Single(viewport[2] / width);
    p.m[5] = Single(viewport[3] / height);
    p.m[12] = Single((viewport[2] - 2 * (x - viewport[0])) / width);
    p.m[13] = Single((viewport[3] - 2 * (y - viewport[1])) / height);
    return p;
}

GlMatrix ViewportMapping(int width, int height)
{
    GlMatrix v = IdentityMatrix();
    v.m[0] = width / 2.0;
    v.m[12] = width / 2.0;
    v.m[5] = -height / 2.0;
    v.m[13] = height / 2.0;
    return v;
}

} // namespace gelmar
