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
inline FunctionRecord& AppendFunction(const char* name, int shape, const std::vector<float>& params = {},
                                      const std::string& path = {})
{
    const std::size_t n = g_model.functions.count;
    GrowFunctionArray(g_model, n + 1);
    g_model.functions.count = static_cast<std::uint16_t>(n + 1);
    FunctionRecord& f = g_model.functions[n];
    f = FunctionRecord{};
    f.name = FunctionName(name);
    f.shape = static_cast<std::uint8_t>(shape);
    std::copy(params.begin(), params.end(), f.params);
    f.filePath = path;
    return f;
}

class CalcTest : public ModelTest {
  public:
    void SetUp() override
    {
        ModelTest::SetUp();
        g_model.dataFilePath = "model.glm";
        g_model.gridUnit = 1.0f;
        g_model.calcDuration = 0;
        g_model.startupDuration = 0;
        g_model.timeStep = 3600;
        g_model.iterations = 10000;
        g_model.maxDeltaT = 1e-10f;
        g_model.maxObjectDivergence = 1e-7f;
        g_model.maxNodeDivergence = 1e-5f;
        g_model.saveResults = 0;
    }

    static void SetGrid(const std::vector<float>& wx, const std::vector<float>& wy,
                        const std::vector<float>& wz)
    {
        ASSERT_TRUE(BuildGrid(g_model, wx, wy, wz));
    }
    static std::vector<float> Uniform(int n, float width) { return std::vector<float>(n, width); }

    static ColourRecord& Colour(int c, ColourType type, float lambda = 1.0f)
    {
        return DefineColour(g_model, c, type, lambda);
    }
    static ColourRecord& Surface(int c, float temperature, float h)
    {
        ColourRecord& r = Colour(c, BC_SIMPL);
        r.temperature = temperature;
        r.hGlobal = h;
        return r;
    }
    static void Block(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        ASSERT_TRUE(AppendBlock(g_model, colour, x1, x2, y1, y2, z1, z2));
    }
    static MaterialBcRecord& FixedMaterial(int colour, float temperature)
    {
        const std::int32_t n = g_model.materialBcs.count;
        GrowMaterialBcArray(g_model, n + 1);
        g_model.materialBcs.count = n + 1;
        MaterialBcRecord& r = g_model.materialBcs[n];
        r = MaterialBcRecord{};
        r.colour = static_cast<std::int16_t>(colour);
        r.type = 0;
        r.temperature = temperature;
        return r;
    }
    static NodeBcRecord& NodeBc(int type, int i, int j, int k)
    {
        const std::int32_t n = g_model.nodeBcs.count;
        GrowNodeBcArray(g_model, n + 1);
        g_model.nodeBcs.count = n + 1;
        NodeBcRecord& r = g_model.nodeBcs[n];
        r = NodeBcRecord{};
        r.type = static_cast<std::uint8_t>(type);
        r.i = static_cast<std::uint16_t>(i);
        r.j = static_cast<std::uint16_t>(j);
        r.k = static_cast<std::uint16_t>(k);
        return r;
    }

    // Runs Calc System; true when it ended normally.
    bool Run() { return RunCalcSystem(g_model, g_run, g_engine.history, Host()) == CalcSystemResult::Done; }
    static double T(int i, int j, int k) { return GetNodeValueAt(g_model, g_work, i, j, k, 0); }
};

} // namespace gelmar::test
