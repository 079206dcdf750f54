// Builds calculation models straight in the store for the calculation
// tests: grid widths, colours, blocks and boundary conditions, and a run of
// the transient calculation with tight stop limits.
#pragma once
#include "ModelBuilder.h"
#include "ModelFixture.h"
#include "gelmar/model/calc/CalcSystem.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"

#include <algorithm>
#include <string>
#include <vector>

namespace gelmar::test {

// Appends a function record of the given name, shape, parameters and file.
inline FunctionRecord& AppendFunction(ModelStore& m, const char* name, int shape,
                                      const std::vector<float>& params = {}, const std::string& path = {})
{
    const std::size_t n = m.functions.count;
    GrowFunctionArray(m, n + 1);
    m.functions.count = static_cast<std::uint16_t>(n + 1);
    FunctionRecord& f = m.functions[n];
    f = FunctionRecord{};
    f.name = FunctionName(name);
    f.shape = static_cast<std::uint8_t>(shape);
    std::copy(params.begin(), params.end(), f.params);
    f.filePath = path;
    return f;
}

// The settings of a calculation model: unit grid, a steady run (no
// duration) and tight stop limits, no result files.
inline void SetCalcSettings(ModelStore& m)
{
    m.dataFilePath = "model.glm";
    m.gridUnit = 1.0f;
    m.calcDuration = 0;
    m.startupDuration = 0;
    m.timeStep = 3600;
    m.iterations = 10000;
    m.maxDeltaT = 1e-10f;
    m.maxObjectDivergence = 1e-7f;
    m.maxNodeDivergence = 1e-5f;
    m.saveResults = 0;
}

// A surface colour (BC_SIMPL) of the given temperature and coefficient.
inline ColourRecord& DefineSurface(ModelStore& m, int c, float temperature, float h)
{
    ColourRecord& r = DefineColour(m, c, BC_SIMPL);
    r.temperature = temperature;
    r.hGlobal = h;
    return r;
}

// Appends a material boundary condition holding the colour at a temperature.
inline MaterialBcRecord& AppendFixedMaterial(ModelStore& m, int colour, float temperature)
{
    const std::int32_t n = m.materialBcs.count;
    GrowMaterialBcArray(m, n + 1);
    m.materialBcs.count = n + 1;
    MaterialBcRecord& r = m.materialBcs[n];
    r = MaterialBcRecord{};
    r.colour = static_cast<std::int16_t>(colour);
    r.type = 0;
    r.temperature = temperature;
    return r;
}

// Appends a node boundary condition of the type at grid point (i, j, k).
inline NodeBcRecord& AppendNodeBc(ModelStore& m, int type, int i, int j, int k)
{
    const std::int32_t n = m.nodeBcs.count;
    GrowNodeBcArray(m, n + 1);
    m.nodeBcs.count = n + 1;
    NodeBcRecord& r = m.nodeBcs[n];
    r = NodeBcRecord{};
    r.type = static_cast<std::uint8_t>(type);
    r.i = static_cast<std::uint16_t>(i);
    r.j = static_cast<std::uint16_t>(j);
    r.k = static_cast<std::uint16_t>(k);
    return r;
}

// A calculation test on an engine of its own.
class CalcEngineTest : public EngineTest {
  public:
    void SetUp() override
    {
        EngineTest::SetUp();
        SetCalcSettings(engine.model);
    }

    static std::vector<float> Uniform(int n, float width) { return std::vector<float>(n, width); }

    ColourRecord& Colour(int c, ColourType type, float lambda = 1.0f)
    {
        return DefineColour(engine.model, c, type, lambda);
    }
    ColourRecord& Surface(int c, float temperature, float h)
    {
        return DefineSurface(engine.model, c, temperature, h);
    }
    MaterialBcRecord& FixedMaterial(int colour, float temperature)
    {
        return AppendFixedMaterial(engine.model, colour, temperature);
    }
    NodeBcRecord& NodeBc(int type, int i, int j, int k) { return AppendNodeBc(engine.model, type, i, j, k); }

    // Runs Calc System; true when it ended normally.
    bool Run()
    {
        return RunCalcSystem(engine.model, engine.run, engine.history, Host()) == CalcSystemResult::Done;
    }
    double T(int i, int j, int k) const { return GetNodeValueAt(engine.model, engine.run.work, i, j, k, 0); }
};

} // namespace gelmar::test
