// Fixture of the editing tests: a fresh store (ModelTest) with helpers that
// set up a grid and blocks, a host that records the refresh requests, and a
// brute-force painter of cell colours.
#pragma once
#include "ModelFixture.h"
#include "gelmar/model/editing/ArrangeBlocksCommand.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "gelmar/model/store/Engine.h"

#include <vector>

namespace gelmar::test {

// Records every refresh request the engine makes of the user interface.
class RecordingHost : public NullEngineHost {
  public:
    void UpdateModelView() override { ++modelViewUpdates; }
    void RefillTables() override { ++tableRefills; }
    void SetModified(bool m) override { modified = m; }
    void UpdateAllViews() override { ++allViewUpdates; }
    void GoToUndoItem(int kind, int a1, int a2) override { goTo.push_back({kind, a1, a2}); }
    WorkOutcome RunProgressWindow(ProgressWindow w, const ProgressWork&) override
    {
        windows.push_back(w);
        return WorkOutcome::Done();
    }

    int modelViewUpdates = 0, tableRefills = 0, allViewUpdates = 0;
    bool modified = false;
    std::vector<std::array<int, 3>> goTo;
    std::vector<ProgressWindow> windows;
};

// Appends a function of the name with the defaults.
inline void AddFunction(const char* name)
{
    ModelStore& m = g_model;
    ASSERT_TRUE(GrowFunctionArray(m, m.functions.count + 1u));
    m.functions[m.functions.count] = FunctionRecord{};
    m.functions[m.functions.count].name = FunctionName(name);
    ++m.functions.count;
}

class EditTest : public ModelTest {
  protected:
    void TearDown() override
    {
        ClearUndoHistory(g_engine.history);
        ModelTest::TearDown();
    }
    void SetUp() override
    {
        ModelTest::SetUp();
        SetHost(&recorder);
        ClearUndoHistory(g_engine.history);
    }

    // Sets the widths of the three axes, the clip box to the whole grid.
    void SetGrid(const std::vector<float>& x, const std::vector<float>& y, const std::vector<float>& z)
    {
        const std::vector<float>* w[3] = {&x, &y, &z};
        std::size_t most = 0;
        for (const auto* v : w)
            most = std::max(most, v->size());
        ASSERT_TRUE(GrowGridLineArrays(g_model, std::max<std::size_t>(most, 1)));
        for (int k = 0; k < 3; ++k) {
            g_model.axes[k].n = static_cast<std::uint16_t>(w[k]->size());
            std::copy(w[k]->begin(), w[k]->end(), g_model.axes[k].widths.begin());
            g_model.clipLo[k] = 0;
            g_model.clipHi[k] = g_model.axes[k].n;
        }
        ComputeGridCoordinates(g_model);
        ComputeModelExtent(g_model);
    }
    // A grid of unit cells.
    void SetUnitGrid(int nx, int ny, int nz)
    {
        SetGrid(std::vector<float>(nx, 1.0f), std::vector<float>(ny, 1.0f), std::vector<float>(nz, 1.0f));
    }
    void AddBlock(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        ModelStore& m = g_model;
        ASSERT_TRUE(GrowBlockArray(m, m.blocks.count + 1u));
        BlockRecord& b = m.blocks[m.blocks.count++];
        b = BlockRecord{};
        b.colour = static_cast<std::uint8_t>(colour);
        b.x1 = static_cast<std::uint16_t>(x1), b.x2 = static_cast<std::uint16_t>(x2);
        b.y1 = static_cast<std::uint16_t>(y1), b.y2 = static_cast<std::uint16_t>(y2);
        b.z1 = static_cast<std::uint16_t>(z1), b.z2 = static_cast<std::uint16_t>(z2);
        m.colours[b.colour].inUse = 1;
    }

    // Colour of every cell (x fastest), -1 for void, painted block by block.
    static std::vector<int> Paint()
    {
        const ModelStore& m = g_model;
        const std::size_t nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
        std::vector<int> cells(nx * ny * nz, -1);
        for (std::size_t b = 0; b < m.blocks.count; ++b) {
            const BlockRecord& r = m.blocks[b];
            for (std::size_t k = r.z1; k < r.z2; ++k)
                for (std::size_t j = r.y1; j < r.y2; ++j)
                    for (std::size_t i = r.x1; i < r.x2; ++i)
                        cells[i + nx * (j + ny * k)] = r.colour;
        }
        return cells;
    }

    RecordingHost recorder;
};

} // namespace gelmar::test
