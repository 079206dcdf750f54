// The batch calculation of a model opened from a DXF drawing: the model is
// prepared for the frame calculation and its bitmap written before the
// calculation starts; the mesh is always made anew; the result files go to
// the current folder, not to the drawing's.
#include "dralo/model/calc/BatchRun.h"
#include "dralo/model/calc/HeatFlows.h"
#include "dralo/model/calc/Solver.h"
#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/import/DxfImport.h"
#include "dralo/model/mesh/MeshFile.h"
#include "dralo/model/tests/ModelFixture.h"

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace dralo::test {
namespace {

// Notes whether the bitmap file is there when the calculation window opens.
class BatchHost : public RecordingHost {
  public:
    void RunCalculationWindow(const std::function<void()>& work) override
    {
        bitmapThere = std::filesystem::exists(bitmap);
        work();
    }
    std::string bitmap;
    bool bitmapThere = false;
};

// A drawing 2980 x 20 units (one unit a pixel): a bar of colour 8 from x =
// 1470 to 1510 across the whole height, the rest the cavity colour 1 that
// touches the left and the right border.
const char* const kSectionDxf = "0\nSECTION\n2\nHEADER\n"
                                "9\n$EXTMIN\n10\n0\n20\n0\n"
                                "9\n$EXTMAX\n10\n2980\n20\n20\n"
                                "0\nENDSEC\n"
                                "0\nSECTION\n2\nENTITIES\n"
                                "0\nLWPOLYLINE\n8\n008_1_bar\n90\n4\n70\n1\n"
                                "10\n1470\n20\n0\n10\n1510\n20\n0\n10\n1510\n20\n20\n10\n1470\n20\n20\n"
                                "0\nENDSEC\n0\nEOF\n";

TEST_F(ModelTest, ABatchRunOfADrawingPreparesItWritesItsBitmapAndMeshesItAnew)
{
    SetColour(defaults.cint, BC_SIMPL, 1, 20, 7.7f);
    SetColour(defaults.cext, BC_SIMPL, 1, 0, 25);
    SetColour(8, MATERIAL, 0.13f);
    std::filesystem::create_directory("drawings");
    WriteBytes("drawings/section.dxf", kSectionDxf);
    // A mesh file of no model: read instead of a new mesh it would fail the run.
    WriteBytes(kMeshFileName, "D 1 1 0 0\r\n");

    BatchHost batchHost;
    batchHost.bitmap = "drawings/section.bmp";
    EditSession batch{model, defaults, session, undo, batchHost};
    DxfImportState dxf{".", false};
    ASSERT_TRUE(OpenModelFile(batch, "drawings/section.dxf", dxf, "."));
    ASSERT_TRUE(model.fromDxf);
    ASSERT_EQ(model.width, 2980);
    ASSERT_EQ(model.height, 20);
    model.pixs = 0.001f;
    const ColourTable startup = model.colours;
    RunState run;
    ASSERT_EQ(RunBatchCalculation(batch, run, startup), CalcResult::Done)
        << (batchHost.messages.empty() ? "" : batchHost.messages.front());
    EXPECT_TRUE(batchHost.messages.empty());

    // Prepared: the cavity colour at the left border became the interior,
    // at the right border the exterior.
    EXPECT_EQ(Pixel(0, 0), defaults.cint);
    EXPECT_EQ(Pixel(2979, 19), defaults.cext);
    EXPECT_EQ(model.colours[1].pixelCount, 0);

    // The prepared bitmap was written before the calculation, beside the
    // drawing.
    EXPECT_TRUE(batchHost.bitmapThere);
    BitmapModel written = model;
    written.pixels.clear();
    ASSERT_TRUE(ReadBmpFile(written, written.bitmapPath, batchHost));
    EXPECT_EQ(written.pixels, model.pixels);

    // The result files are in the current folder and belong to the new mesh
    // of the bar: 40 x 20 pixels.
    for (const char* f : {kMeshFileName, kSolutionFileName, kFlowFileName, kFluxFileName}) {
        EXPECT_TRUE(std::filesystem::exists(f)) << f;
        EXPECT_FALSE(std::filesystem::exists(std::string("drawings/") + f)) << f;
    }
    BitmapModel copy = model;
    Mesh mesh;
    ReadMeshFile(copy, ".", mesh);
    ASSERT_FALSE(mesh.triangles.empty());
    long long doubleArea = 0;
    for (const MeshTriangle& t : mesh.triangles) {
        EXPECT_EQ(t.colour, 8);
        const MeshVertex& a = mesh.points[static_cast<std::size_t>(t.v[0])];
        const MeshVertex& b = mesh.points[static_cast<std::size_t>(t.v[1])];
        const MeshVertex& c = mesh.points[static_cast<std::size_t>(t.v[2])];
        doubleArea += std::llabs((long long)(b.x - a.x) * (c.y - a.y) - (long long)(c.x - a.x) * (b.y - a.y));
    }
    EXPECT_EQ(doubleArea, 2LL * 40 * 20 * 256);

    // What the interior surfaces take in the exterior gives off, and the
    // document is not modified.
    double in = 0, out = 0;
    for (const ColourRecord& c : model.colours)
        if (c.present && c.type != MATERIAL) {
            in += c.heatFlowIn;
            out += c.heatFlowOut;
        }
    EXPECT_GT(model.colours[defaults.cint].heatFlowIn, 0.0f);
    EXPECT_GT(model.colours[defaults.cext].heatFlowOut, 0.0f);
    EXPECT_NEAR(out, in, 1e-4 * in);
    EXPECT_FALSE(batchHost.modified);
}

} // namespace
} // namespace dralo::test
