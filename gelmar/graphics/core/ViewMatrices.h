// The matrices of the OpenGL views, computed by our own code with the GLU
// formulas and in GLU's order of operations (the float steps of gluLookAt
// and gluPickMatrix included), so that loading them with glLoadMatrixd leaves
// what the GLU calls would leave, and so that the pictures can use the same
// camera without any GL context. Matrices are 4 x 4 in OpenGL's column-major
// order: the element of row r and column c lies at [c * 4 + r].
#pragma once

namespace gelmar {

struct GlMatrix {
    double m[16];
};

GlMatrix IdentityMatrix();
// a x b.
GlMatrix MultiplyMatrices(const GlMatrix& a, const GlMatrix& b);
// The row-major copy the picture matrix takes (row r dotted with (x, y, z, 1)
// gives component r).
void RowMajor(const GlMatrix& a, double out[16]);

// gluPerspective: the identity when zFar equals zNear, the angle is 0 or the
// aspect is 0, as GLU leaves the matrix unchanged then.
GlMatrix PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar);
// gluLookAt.
GlMatrix LookAtMatrix(const double eye[3], const double centre[3], const double up[3]);
// gluPickMatrix: the identity for a pick region without width or height.
GlMatrix PickMatrix(double x, double y, double width, double height, const int viewport[4]);
// From normalised device coordinates to window pixels of a w x h view, y
// down: x' = (x + 1) w / 2, y' = (1 - y) h / 2, depth unchanged.
GlMatrix ViewportMapping(int width, int height);

} // namespace gelmar
