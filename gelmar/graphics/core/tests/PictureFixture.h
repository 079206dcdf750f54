// Test fixture of the picture tests: a model built in the store (grid,
// colours, blocks), its face list, cell raster and node numbers, node
// temperatures from a formula, a small colour scale, the picture source over
// them, and a camera built from the usual look-at and perspective formulas.
// The loaded-results helpers are also free functions on an engine, for the
// tests that draw on the application's engine.
#pragma once
#include "gelmar/graphics/core/Picture.h"
#include "gelmar/graphics/core/VisibleFaceList.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/tests/CalcModel.h"

#include <cmath>
#include <functional>
#include <memory>

namespace gelmar::test {

// Face list, cell raster and node numbers of the engine's model as it
// stands, and a zero solution over its nodes.
inline void BuildPictureData(Engine& e)
{
    CollectBlockFaces(e.model, e.view);
    BuildVisibleFaceList(e.model, e.view);
    RasteriseBlocks(e.model, e.run);
    BuildNodeNumbering(e.model, e.run, Host());
    e.run.work.solution.assign(static_cast<std::size_t>(e.run.work.gridNodeCount), 0.0);
}

// The solution at every node: t of the node's coordinates.
inline void SetPictureTemperatures(Engine& e, const std::function<double(double, double, double)>& t)
{
    const ModelStore& m = e.model;
    WorkArrays& w = e.run.work;
    for (int i = 0; i <= m.axes[0].n; ++i)
        for (int j = 0; j <= m.axes[1].n; ++j)
            for (int k = 0; k <= m.axes[2].n; ++k) {
                const std::int32_t n = GetNodeIndex(m, w, i, j, k);
                if (n >= 0)
                    w.solution[static_cast<std::size_t>(n)] =
                        t(GridLineCoordinate(m, 0, i), GridLineCoordinate(m, 1, j),
                          GridLineCoordinate(m, 2, k));
            }
}

class PictureTest : public CalcEngineTest {
  protected:
    void SetUp() override
    {
        CalcEngineTest::SetUp();
        // Five colours, so every fraction has its own colour between them.
        scale.entries = {{0, 0, 255}, {0, 255, 255}, {0, 255, 0}, {255, 255, 0}, {255, 0, 0}};
    }

    // Grid and clip box over the whole grid.
    void Grid(const std::vector<float>& wx, const std::vector<float>& wy, const std::vector<float>& wz)
    {
        SetGrid(wx, wy, wz);
    }
    ColourRecord& Material(int c, float lambda, COLORREF rgb)
    {
        ColourRecord& r = Colour(c, MATERIAL, lambda);
        SetDisplayColour(r, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
        return r;
    }
    // Face list, cell raster and node numbers of the model as it stands.
    void Build() { BuildPictureData(engine); }
    void SetTemperatures(const std::function<double(double, double, double)>& t)
    {
        SetPictureTemperatures(engine, t);
    }
    PictureSource Source() const { return PictureSource(engine.model, engine.run, engine.view.faces, scale); }

    // Forward picture matrix: viewport (w x h) x perspective x look-at.
    static void Camera(const double eye[3], const double centre[3], const double up[3], double fovy, int w,
                       int h, double zNear, double zFar, double out[16])
    {
        double f[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
        Normalise(f);
        double s[3] = {f[1] * up[2] - f[2] * up[1], f[2] * up[0] - f[0] * up[2], f[0] * up[1] - f[1] * up[0]};
        Normalise(s);
        const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
        const double look[16] = {s[0],  s[1],  s[2],  -(s[0] * eye[0] + s[1] * eye[1] + s[2] * eye[2]),
                                 u[0],  u[1],  u[2],  -(u[0] * eye[0] + u[1] * eye[1] + u[2] * eye[2]),
                                 -f[0], -f[1], -f[2], f[0] * eye[0] + f[1] * eye[1] + f[2] * eye[2],
                                 0,     0,     0,     1};
        const double c = 1.0 / std::tan(fovy * 3.14159265358979323846 / 360.0), aspect = double(w) / h;
        const double persp[16] = {c / aspect,
                                  0,
                                  0,
                                  0,
                                  0,
                                  c,
                                  0,
                                  0,
                                  0,
                                  0,
                                  (zFar + zNear) / (zNear - zFar),
                                  2 * zFar * zNear / (zNear - zFar),
                                  0,
                                  0,
                                  -1,
                                  0};
        const double view[16] = {w / 2.0, 0, 0, w / 2.0, 0, -h / 2.0, 0, h / 2.0, 0, 0, 1, 0, 0, 0, 0, 1};
        double pl[16];
        Multiply(persp, look, pl);
        Multiply(view, pl, out);
    }
    static void Normalise(double v[3])
    {
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        for (int k = 0; k < 3; ++k)
            v[k] /= n;
    }
    static void Multiply(const double a[16], const double b[16], double out[16])
    {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                double sum = 0;
                for (int k = 0; k < 4; ++k)
                    sum += a[r * 4 + k] * b[k * 4 + c];
                out[r * 4 + c] = sum;
            }
    }

    ColourScale scale;
};

} // namespace gelmar::test
