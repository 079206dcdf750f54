// What the calculation tests share: a model drawn into the fixture is
// calculated as the calculation window does it (result files in the test's
// own folder) and its results are read back from those files: the mesh,
// the temperatures, the flow function at the triangle corners and the
// colours' heat flows.
#pragma once
#include "dralo/model/calc/RunState.h"
#include "dralo/model/calc/CalcSystem.h"
#include "dralo/model/tests/MeshFixture.h"

#include <map>
#include <string>
#include <vector>

namespace dralo::test {

struct FlowFile {
    std::vector<std::array<double, 3>> corners; // per triangle
    std::map<int, std::pair<double, double>> colours; // colour -> (in, out)
};

class CalcTest : public MeshTest {
  protected:
    void SetUp() override;
    // The files' names in the test's folder and tight solver limits.
    void CalculationSettings();
    // A colour's type and values; boundary colours take the temperature and
    // the surface coefficient.
    void Material(int colour, float lambda);
    void Boundary(int colour, float temperature, float h);
    void BorderlineTemp(int a, int b, float temperature);
    // A plane wall of colour 1, `wide` x `high` pixels, between a column of
    // colour 2 on the left and one of colour 3 on the right.
    void DrawPlaneWall(int wide, int high);
    // The tests' plane wall: 200 x 20 pixels of 1 mm, λ 0.5, between 20 °C
    // with h 7.7 on the left and 0 °C with h 25 on the right, mesh size 7.
    void SetUpPlaneWall();

    // The calculation window's work on the model.
    WorkOutcome Calculate(bool triangulate = true);
    // The results of the files: mesh and temperatures into `result`.
    void LoadResults();
    FlowFile ReadFlowFile() const;
    // Temperature at a point (1/16 pixel), linear in the triangle holding it.
    double TemperatureAt(double x, double y) const;

    RunState run;    // the run the calculation works with
    RunState result; // mesh, node kinds and temperatures read back
    ColourTable startup{};
};

} // namespace dralo::test
