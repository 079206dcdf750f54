// Builds calculation models straight in the store for the calculation
// tests: grid widths, colours, blocks and boundary conditions, and a run of
// the transient calculation with tight stop limits.
#pragma once
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
        const std::vector<float>* w[3] = {&wx, &wy, &wz};
        std::size_t largest = std::max({wx.size(), wy.size(), wz.size()});
        GrowGridLineArrays(g_model, largest + 1);
        for (int a = 0; a < 3; ++a) {
            g_model.axes[a].n = static_cast<std::uint16_t>(w[a]->size());
            std::copy(w[a]->begin(), w[a]->end(), g_model.axes[a].widths.begin());
        }
        ComputeGridCoordinates(g_model);
    }
    static std::vector<float> Uniform(int n, float width) { return std::vector<float>(n, width); }

    static ColourRecord& Colour(int c, int type, float lambda = 1.0f)
    {
        ColourRecord& r = g_model.colours[c];
        r = ColourRecord{};
        r.inUse = 1;
        r.type = type;
        r.lambda = lambda;
        return r;
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
        const std::size_t n = g_model.blocks.count;
        GrowBlockArray(g_model, n + 1);
        g_model.blocks[n] = BlockRecord{static_cast<std::uint8_t>(colour),
                                        static_cast<std::uint16_t>(x1),
                                        static_cast<std::uint16_t>(x2),
                                        static_cast<std::uint16_t>(y1),
                                        static_cast<std::uint16_t>(y2),
                                        static_cast<std::uint16_t>(z1),
                                        static_cast<std::uint16_t>(z2),
                                        {},
                                        0};
        g_model.blocks.count = static_cast<std::uint16_t>(n + 1);
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
