// The Gelmar program with its 3D view on a real OpenGL context: models built
// in the store, frames read back from the view's framebuffer, model points
// projected to the view's pixels, and the colour the fixed-function lighting
// formula gives a face.
#pragma once
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/tests/AppFixture.h"
#include "gelmar/graphics/core/PictureGrid.h"
#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/graphics/core/tests/PictureFixture.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ViewState.h"
#include "gelmar/model/tests/CalcModel.h"

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <cmath>

namespace gelmar::test {

class GlViewTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start());
        Main()->MoveWindow(0, 0, 1000, 800);
        Settle();
        view = g_graphView;
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->m_hRC, nullptr) << "no OpenGL context";
        ASSERT_GT(view->m_cx, 100);
        ASSERT_GT(view->m_cy, 100);
        // The program opens its Grid table beside the view, which outlines
        // the table's interval; the frames here are read without overlay
        // unless a test chooses one.
        view->m_overlayKind = 0;
    }

    static void Settle()
    {
        for (int n = 0; n < 8; ++n)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    // An empty model of the program on the grid, clip box over the whole grid.
    static void NewModel(const std::vector<float>& wx, const std::vector<float>& wy,
                         const std::vector<float>& wz)
    {
        ResetModel(TheEngine());
        EXPECT_TRUE(BuildGrid(TheEngine().model, wx, wy, wz));
    }
    static std::vector<float> Uniform(int n, float width) { return std::vector<float>(n, width); }
    static void Block(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        ASSERT_TRUE(AppendBlock(TheEngine().model, colour, x1, x2, y1, y2, z1, z2));
    }
    static void Material(int c, COLORREF rgb, const char* name = "")
    {
        ColourRecord& r = DefineColour(TheEngine().model, c, MATERIAL);
        SetDisplayColour(r, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
        r.name = name;
    }
    static void Boundary(int c, COLORREF rgb)
    {
        ColourRecord& r = DefineColour(TheEngine().model, c, BC_SIMPL);
        SetDisplayColour(r, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    }

    // The model as it stands, drawn in the view kind: the frame read back.
    QImage Frame(ViewKind kind = ViewKind::Materials)
    {
        view->m_viewKind = kind;
        view->UpdateModel();
        if (kind == ViewKind::Transparent)
            view->BuildDisplayList();
        Settle();
        return platform::GrabOpenGLFrame(view);
    }

    // Pixel of a model point through the view's camera.
    CPoint Pixel(double x, double y, double z)
    {
        view->ComputeViewMatrixInverse(0);
        double px, py, depth;
        view->PictureMatrix().Project(x, y, z, px, py, depth);
        return {static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py))};
    }

    // The colour GL's lighting gives a face of colour c with the model normal
    // n: light-model ambient 0.2 and light ambient 0.6 times the colour, plus
    // the light's diffuse 0.3 times the colour and the cosine between the
    // normal in eye coordinates and the light's direction (-1, 2, 2).
    COLORREF Lit(COLORREF c, const double n[3])
    {
        ModelStore& model = TheEngine().model;
        const GlMatrix m = CameraMatrix(*view, ModelViewAngles(model), ModelViewExtent(model), false);
        double eye[3];
        for (int r = 0; r < 3; ++r)
            eye[r] = m.m[r] * n[0] + m.m[4 + r] * n[1] + m.m[8 + r] * n[2];
        const double length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
        const double cosine = (-eye[0] + 2 * eye[1] + 2 * eye[2]) / (3 * length);
        const double f = 0.2 + 0.6 + 0.3 * std::max(0.0, cosine);
        auto channel = [f](int v) { return static_cast<int>(std::lround(std::min(255.0, v * f))); };
        return RGB(channel(GetRValue(c)), channel(GetGValue(c)), channel(GetBValue(c)));
    }

    static int Difference(const QImage& image, CPoint p, COLORREF c)
    {
        const QColor q = image.pixelColor(p.x, p.y);
        return std::max({std::abs(q.red() - GetRValue(c)), std::abs(q.green() - GetGValue(c)),
                         std::abs(q.blue() - GetBValue(c))});
    }

    CGraphView* view = nullptr;
};

} // namespace gelmar::test
