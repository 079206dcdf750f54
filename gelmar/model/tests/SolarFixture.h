// Test fixture of the solar tests: a small block model built in the store,
// its cell colours and node numbers as the calculation arrays would hold them
// (every grid point a node), and the solar state reset.
#pragma once
#include "ModelFixture.h"
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/solar/SunPosition.h"

#include <vector>

namespace gelmar::test {

class SolarTest : public ModelTest {
  protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        FreeSolarTables(g_run);
        g_solar = SolarState{};
        g_sun = SunState{};
        g_model.sunObstacleCount = 0;
    }

    // Cell widths per axis, in grid units.
    void SetGrid(const std::vector<float>& wx, const std::vector<float>& wy, const std::vector<float>& wz)
    {
        const std::vector<float>* w[3] = {&wx, &wy, &wz};
        for (int a = 0; a < 3; ++a) {
            GridAxis& axis = g_model.axes[a];
            axis.n = static_cast<std::uint16_t>(w[a]->size());
            std::copy(w[a]->begin(), w[a]->end(), axis.widths.begin());
            g_model.clipLo[a] = 0;
            g_model.clipHi[a] = axis.n;
        }
        ComputeGridCoordinates(g_model);
    }
    void AddBlock(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        BlockRecord b;
        b.colour = static_cast<std::uint8_t>(colour);
        b.x1 = static_cast<std::uint16_t>(x1), b.x2 = static_cast<std::uint16_t>(x2);
        b.y1 = static_cast<std::uint16_t>(y1), b.y2 = static_cast<std::uint16_t>(y2);
        b.z1 = static_cast<std::uint16_t>(z1), b.z2 = static_cast<std::uint16_t>(z2);
        ASSERT_TRUE(GrowBlockArray(g_model, g_model.blocks.count + 1u));
        g_model.blocks[g_model.blocks.count++] = b;
        g_model.colours[colour].inUse = 1;
    }
    ColourRecord& Colour(int c, int type, bool solar = false)
    {
        ColourRecord& r = g_model.colours[c];
        r.type = type;
        r.solar = solar ? 1 : 0;
        return r;
    }
    // The cell colours and node numbers of the blocks.
    void Rasterise()
    {
        const int nx = g_model.axes[0].n, ny = g_model.axes[1].n, nz = g_model.axes[2].n;
        cells.assign(static_cast<std::size_t>(nx) * ny * nz, 0xFFFF);
        for (int b = 0; b < g_model.blocks.count; ++b) {
            const BlockRecord& r = g_model.blocks[b];
            for (int k = r.z1; k < r.z2; ++k)
                for (int j = r.y1; j < r.y2; ++j)
                    for (int i = r.x1; i < r.x2; ++i)
                        cells[i + j * nx + static_cast<std::size_t>(k) * nx * ny] = r.colour;
        }
        nodes.resize(static_cast<std::size_t>(nx + 1) * (ny + 1) * (nz + 1));
        for (std::size_t n = 0; n < nodes.size(); ++n)
            nodes[n] = static_cast<std::int32_t>(n);
        for (int a = 0; a < 3; ++a)
            g_solar.grid.n[a] = g_model.axes[a].n;
        g_solar.grid.cellColours = cells;
        g_solar.grid.nodeIndex = nodes;
        g_solar.grid.gridNodes = static_cast<std::int32_t>(nodes.size());
    }
    std::int32_t Node(int i, int j, int k) const { return g_solar.grid.NodeIndex(i, j, k); }

    std::vector<std::uint16_t> cells;
    std::vector<std::int32_t> nodes;
};

} // namespace gelmar::test
