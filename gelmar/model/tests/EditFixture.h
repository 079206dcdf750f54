// Fixture of the editing tests: a fresh engine with helpers that set up a
// grid and blocks, a host that records the refresh requests, and a
// brute-force painter of cell colours.
#pragma once
#include "ModelBuilder.h"
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
    WorkOutcome RunProgressWindow(ProgressWindow w, ModelStore&, RunState&, const ProgressWork&) override
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
inline void AddFunction(ModelStore& m, const char* name)
{
    ASSERT_TRUE(GrowFunctionArray(m, m.functions.count + 1u));
    m.functions[m.functions.count] = FunctionRecord{};
    m.functions[m.functions.count].name = FunctionName(name);
    ++m.functions.count;
}

// Colour of every cell (x fastest), -1 for void, painted block by block.
inline std::vector<int> PaintCells(const ModelStore& m)
{
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

// An editing test on an engine of its own, whose refresh requests go to
// the recorder.
class EditEngineTest : public EngineTest {
  protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        SetHost(&recorder);
    }

    // A grid of unit cells.
    void SetUnitGrid(int nx, int ny, int nz) { ASSERT_TRUE(BuildUniformGrid(engine.model, nx, ny, nz)); }
    std::vector<int> Paint() const { return PaintCells(engine.model); }

    RecordingHost recorder;
};

} // namespace gelmar::test
