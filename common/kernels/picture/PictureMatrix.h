// The picture matrix of the perspective pictures: a forward 4 x 4 matrix that
// takes a model point to pixel x, pixel y and depth (pixel y grows downwards,
// depth away from the eye), and its inverse, which takes a pixel at a depth
// back into the model. The 3D view's camera supplies the forward matrix; the
// inverse comes from Gauss-Jordan elimination with partial pivoting.
#pragma once

namespace kernels {

// Inverts a 4 x 4 matrix stored row by row; false (out untouched) when it is
// singular.
bool InvertMatrix4(const double in[16], double out[16]);

class PictureMatrix {
  public:
    // The identity: model x, y, z are pixel x, y and depth.
    PictureMatrix();

    // Takes a forward matrix (row by row: row r dotted with (x, y, z, 1) is
    // component r) and computes its inverse. A singular matrix keeps the
    // forward matrix and leaves the inverse zero; false then.
    bool SetForward(const double forward[16]);

    // Components 0, 1, 2 divided by component 3. A point on the eye plane
    // (component 3 zero) is taken as lying just in front of it, so the result
    // stays finite: huge pixel values that every picture routine clips away.
    void Project(double x, double y, double z, double& px, double& py, double& depth) const;
    // The same with the inverse: the model point under a pixel at a depth.
    void Unproject(double px, double py, double depth, double& x, double& y, double& z) const;

    const double* Forward() const { return m_forward; }
    const double* Inverse() const { return m_inverse; }

  private:
    double m_forward[16];
    double m_inverse[16];
};

} // namespace kernels
