// Our camera matrices against the ones GLU leaves: the test gives the few GL
// entry points that gluPerspective, gluLookAt and gluPickMatrix call
// (glMultMatrixd/f, glTranslated/f, glScaled/f), keeping the current matrix
// in double precision, so GLU's own arithmetic is compared with ours to
// 1e-12 relative; a GL driver keeps single precision only.
#include "gelmar/graphics/core/ViewMatrices.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

// The current matrix of the test's context, column-major.
double g_current[16];

void Identity()
{
    for (int n = 0; n < 16; ++n)
        g_current[n] = n % 5 == 0 ? 1.0 : 0.0;
}

void MultiplyCurrent(const double m[16])
{
    double out[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += g_current[k * 4 + r] * m[c * 4 + k];
            out[c * 4 + r] = sum;
        }
    std::copy(out, out + 16, g_current);
}

} // namespace

extern "C" {
void glMultMatrixd(const GLdouble* m)
{
    MultiplyCurrent(m);
}
void glMultMatrixf(const GLfloat* m)
{
    double d[16];
    std::copy(m, m + 16, d);
    MultiplyCurrent(d);
}
void glTranslated(GLdouble x, GLdouble y, GLdouble z)
{
    const double t[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
    MultiplyCurrent(t);
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    glTranslated(x, y, z);
}
void glScaled(GLdouble x, GLdouble y, GLdouble z)
{
    const double s[16] = {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
    MultiplyCurrent(s);
}
void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    glScaled(x, y, z);
}
}

namespace gelmar {
namespace {

void ExpectSameMatrix(const GlMatrix& ours, const char* what)
{
    double scale = 0.0;
    for (double v : g_current)
        scale = std::max(scale, std::fabs(v));
    for (int n = 0; n < 16; ++n)
        EXPECT_LE(std::fabs(ours.m[n] - g_current[n]), 1e-12 * scale) << what << " element " << n;
}

TEST(ViewMatricesTest, PerspectiveLookAtAndPickEqualGlus)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int trial = 0; trial < 200; ++trial) {
        const double fovy = 1.0 + 178.0 * (unit(random) + 1) / 2;
        const double aspect = 0.2 + 4.0 * (unit(random) + 1) / 2;
        const double zNear = 0.01 + 10 * (unit(random) + 1), zFar = zNear * (1.5 + unit(random) + 1);
        Identity();
        gluPerspective(fovy, aspect, zNear, zFar);
        ExpectSameMatrix(PerspectiveMatrix(fovy, aspect, zNear, zFar), "perspective");

        double eye[3], centre[3], up[3];
        for (int k = 0; k < 3; ++k) {
            eye[k] = 50 * unit(random);
            centre[k] = 50 * unit(random);
            up[k] = 10 * unit(random);
        }
        Identity();
        gluLookAt(eye[0], eye[1], eye[2], centre[0], centre[1], centre[2], up[0], up[1], up[2]);
        ExpectSameMatrix(LookAtMatrix(eye, centre, up), "look-at");

        const int viewport[4] = {static_cast<int>(20 * (unit(random) + 1)), static_cast<int>(20 * (unit(random) + 1)),
                                 100 + static_cast<int>(800 * (unit(random) + 1)),
                                 100 + static_cast<int>(600 * (unit(random) + 1))};
        const double x = viewport[0] + viewport[2] * (unit(random) + 1) / 2;
        const double y = viewport[1] + viewport[3] * (unit(random) + 1) / 2;
        Identity();
        gluPickMatrix(x, y, 1, 1, const_cast<GLint*>(viewport));
        gluPerspective(fovy, aspect, zNear, zFar);
        ExpectSameMatrix(MultiplyMatrices(PickMatrix(x, y, 1, 1, viewport),
                                          PerspectiveMatrix(fovy, aspect, zNear, zFar)),
                         "pick");
    }
}

TEST(ViewMatricesTest, DegenerateArgumentsLeaveTheMatrixAsGluDoes)
{
    const double eye[3] = {1, 2, 3};
    const int viewport[4] = {0, 0, 640, 480};
    struct Case {
        double fovy, aspect, zNear, zFar;
    } cases[] = {{60, 0, 1, 3}, {0, 1, 1, 3}, {60, 1.5, 2, 2}};
    for (const Case& c : cases) {
        Identity();
        gluPerspective(c.fovy, c.aspect, c.zNear, c.zFar);
        ExpectSameMatrix(PerspectiveMatrix(c.fovy, c.aspect, c.zNear, c.zFar), "degenerate perspective");
    }
    // The eye on the focus, and an up vector along the line of sight.
    Identity();
    const double zUp[3] = {0, 0, 1};
    gluLookAt(eye[0], eye[1], eye[2], eye[0], eye[1], eye[2], zUp[0], zUp[1], zUp[2]);
    ExpectSameMatrix(LookAtMatrix(eye, eye, zUp), "eye on focus");
    const double along[3] = {2, 4, 6}, up[3] = {1, 2, 3};
    Identity();
    gluLookAt(eye[0], eye[1], eye[2], along[0], along[1], along[2], up[0], up[1], up[2]);
    ExpectSameMatrix(LookAtMatrix(eye, along, up), "up along the sight");
    Identity();
    gluPickMatrix(10, 10, 0, 1, const_cast<GLint*>(viewport));
    ExpectSameMatrix(PickMatrix(10, 10, 0, 1, viewport), "empty pick region");
}

TEST(ViewMatricesTest, ViewportMappingTakesDeviceCoordinatesToPixels)
{
    const GlMatrix v = ViewportMapping(640, 480);
    struct Case {
        double x, y, px, py;
    } cases[] = {{-1, 1, 0, 0}, {1, -1, 640, 480}, {0, 0, 320, 240}};
    for (const Case& c : cases) {
        const double p[4] = {c.x, c.y, 0.25, 1};
        double out[4] = {};
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k)
                out[r] += v.m[k * 4 + r] * p[k];
        EXPECT_DOUBLE_EQ(out[0], c.px);
        EXPECT_DOUBLE_EQ(out[1], c.py);
        EXPECT_DOUBLE_EQ(out[2], 0.25);
    }
}

} // namespace
} // namespace gelmar
