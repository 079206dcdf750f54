// The calculation fixture's helpers.
#include "dralo/model/tests/CalcFixture.h"

#include "common/core/NumberText.h"
#include "dralo/model/calc/Solver.h"

#include <fstream>
#include <sstream>

namespace dralo::test {

void CalcTest::SetUp()
{
    MeshTest::SetUp();
    startup = model.colours;
    CalculationSettings();
}

void CalcTest::CalculationSettings()
{
    model.dataFilePath = "model.drl";
    model.bitmapPath = "model.bmp";
    model.calc.iter = 100000;
    model.calc.mxdt = 1e-9f;
    model.calc.mxod = 1e-7f;
    model.calc.mxnd = 1e-5f;
}

void CalcTest::Material(int colour, float lambda)
{
    SetColour(colour, MATERIAL, lambda);
}

void CalcTest::Boundary(int colour, float temperature, float h)
{
    SetColour(colour, BC_SIMPL, 1.0f, temperature, h);
}

void CalcTest::BorderlineTemp(int a, int b, float temperature)
{
    BorderlineBcRecord& r = model.borderlineBcs[static_cast<std::size_t>(model.nbor++)];
    r.bor1 = static_cast<std::int16_t>(a);
    r.bor2 = static_cast<std::int16_t>(b);
    r.bory = kBorderlineTemp;
    r.bort = temperature;
}

void CalcTest::DrawPlaneWall(int wide, int high)
{
    AllocatePixels(model, wide + 2, high, 1);
    Fill(0, 0, 1, high, 2);
    Fill(wide + 1, 0, wide + 2, high, 3);
    Finish();
}

void CalcTest::SetUpPlaneWall()
{
    DrawPlaneWall(200, 20);
    model.pixs = 0.001f;
    Material(1, 0.5f);
    Boundary(2, 20, 7.7f);
    Boundary(3, 0, 25);
    MeshSize(7);
}

WorkOutcome CalcTest::Calculate(bool triangulate)
{
    return RunCalculation(model, run, startup, host, triangulate);
}

void CalcTest::LoadResults()
{
    result = RunState();
    BitmapModel copy = model;
    ReadMeshFile(copy, ".", result.mesh);
    BuildMeshNeighbours(result.mesh, host);
    result.equations = static_cast<kernels::Index>(result.mesh.points.size());
    ASSERT_TRUE(ReadSolutionFile(copy, result));
}

FlowFile CalcTest::ReadFlowFile() const
{
    FlowFile f;
    std::istringstream in(ReadBytes("tmp.flw"));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const char* p = line.c_str() + 1;
        if (line[0] == 'T') {
            std::array<double, 3> v{};
            for (double& x : v)
                EXPECT_TRUE(common::ScanDouble(p, x)) << line;
            f.corners.push_back(v);
        } else if (line[0] == 'B') {
            int colour = 0;
            double a = 0, b = 0;
            EXPECT_TRUE(common::ScanInt(p, colour) && common::ScanDouble(p, a) && common::ScanDouble(p, b)) << line;
            f.colours[colour] = {a, b};
        }
    }
    return f;
}

double CalcTest::TemperatureAt(double x, double y) const
{
    const Mesh& mesh = result.mesh;
    for (const MeshTriangle& t : mesh.triangles) {
        const MeshVertex& a = mesh.points[static_cast<std::size_t>(t.v[0])];
        const MeshVertex& b = mesh.points[static_cast<std::size_t>(t.v[1])];
        const MeshVertex& c = mesh.points[static_cast<std::size_t>(t.v[2])];
        const double area = double(DoubleArea(a, b, c));
        // Barycentric weights; a point on a side or corner belongs to either triangle.
        const double wa = ((b.x - x) * (c.y - y) - (b.y - y) * (c.x - x)) / area;
        const double wb = ((c.x - x) * (a.y - y) - (c.y - y) * (a.x - x)) / area;
        const double wc = 1.0 - wa - wb;
        if (wa >= -1e-12 && wb >= -1e-12 && wc >= -1e-12)
            return wa * result.temperature[static_cast<std::size_t>(t.v[0])] +
                   wb * result.temperature[static_cast<std::size_t>(t.v[1])] +
                   wc * result.temperature[static_cast<std::size_t>(t.v[2])];
    }
    ADD_FAILURE() << "no triangle holds " << x << "," << y;
    return 0;
}

} // namespace dralo::test
