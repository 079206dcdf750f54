// Test fixture of the solar tests: a small block model built in the store,
// its cell colours and node numbers as the calculation arrays would hold them
// (every grid point a node), on an engine of the test's own.
#pragma once
#include "ModelBuilder.h"
#include "ModelFixture.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SunPosition.h"

#include <vector>

namespace gelmar::test {

class SolarTest : public EngineTest {
  protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        // A fresh engine's run holds no solar state; its model has the
        // default obstacle band, which these tests leave out.
        engine.model.sunObstacleCount = 0;
    }

    ColourRecord& Colour(int c, ColourType type, bool solar = false)
    {
        ColourRecord& r = engine.model.colours[c];
        r.type = type;
        r.solar = solar ? 1 : 0;
        return r;
    }
    // The cell colours and node numbers of the blocks.
    void Rasterise()
    {
        const int nx = engine.model.axes[0].n, ny = engine.model.axes[1].n, nz = engine.model.axes[2].n;
        cells.assign(static_cast<std::size_t>(nx) * ny * nz, 0xFFFF);
        for (int b = 0; b < engine.model.blocks.count; ++b) {
            const BlockRecord& r = engine.model.blocks[b];
            for (int k = r.z1; k < r.z2; ++k)
                for (int j = r.y1; j < r.y2; ++j)
                    for (int i = r.x1; i < r.x2; ++i)
                        cells[i + j * nx + static_cast<std::size_t>(k) * nx * ny] = r.colour;
        }
        nodes.resize(static_cast<std::size_t>(nx + 1) * (ny + 1) * (nz + 1));
        for (std::size_t n = 0; n < nodes.size(); ++n)
            nodes[n] = static_cast<std::int32_t>(n);
        for (int a = 0; a < 3; ++a)
            engine.run.solar.grid.n[a] = engine.model.axes[a].n;
        engine.run.solar.grid.cellColours = cells;
        engine.run.solar.grid.nodeIndex = nodes;
        engine.run.solar.grid.gridNodes = static_cast<std::int32_t>(nodes.size());
    }
    std::int32_t Node(int i, int j, int k) const { return engine.run.solar.grid.NodeIndex(i, j, k); }

    std::vector<std::uint16_t> cells;
    std::vector<std::int32_t> nodes;
};

} // namespace gelmar::test
