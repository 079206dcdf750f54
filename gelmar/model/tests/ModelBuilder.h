// Builds small test models straight in a store: the grid from its cell
// widths, colours of a type, and blocks given by their grid-line indices.
// The model is then as the data-file reader leaves one: coordinates, clip
// box and extent follow the grid, and a block's colour is in use.
// EngineTest is the base of the tests that own their engine.
#pragma once
#include "ModelFixture.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gelmar::test {

// Cell widths per axis, in grid units; the clip box becomes the whole grid.
// False when the grid-line arrays cannot grow.
inline bool BuildGrid(ModelStore& m, const std::vector<float>& wx, const std::vector<float>& wy,
                      const std::vector<float>& wz)
{
    const std::vector<float>* w[3] = {&wx, &wy, &wz};
    const std::size_t largest = std::max({wx.size(), wy.size(), wz.size()});
    if (!GrowGridLineArrays(m, largest + 1))
        return false;
    for (int a = 0; a < 3; ++a) {
        m.axes[a].n = static_cast<std::uint16_t>(w[a]->size());
        std::copy(w[a]->begin(), w[a]->end(), m.axes[a].widths.begin());
        m.clipLo[a] = 0;
        m.clipHi[a] = m.axes[a].n;
    }
    ComputeGridCoordinates(m);
    ComputeModelExtent(m);
    return true;
}

// A grid of n cells of one width on each axis.
inline bool BuildUniformGrid(ModelStore& m, int nx, int ny, int nz, float width = 1.0f)
{
    return BuildGrid(m, std::vector<float>(static_cast<std::size_t>(nx), width),
                     std::vector<float>(static_cast<std::size_t>(ny), width),
                     std::vector<float>(static_cast<std::size_t>(nz), width));
}

// Appends a block over cells x1..x2-1, y1..y2-1, z1..z2-1 and marks its
// colour in use. False when the block array cannot grow.
inline bool AppendBlock(ModelStore& m, int colour, int x1, int x2, int y1, int y2, int z1, int z2)
{
    if (!GrowBlockArray(m, m.blocks.count + 1u))
        return false;
    BlockRecord& b = m.blocks[m.blocks.count++];
    b = BlockRecord{};
    b.colour = static_cast<std::uint8_t>(colour);
    b.x1 = static_cast<std::uint16_t>(x1), b.x2 = static_cast<std::uint16_t>(x2);
    b.y1 = static_cast<std::uint16_t>(y1), b.y2 = static_cast<std::uint16_t>(y2);
    b.z1 = static_cast<std::uint16_t>(z1), b.z2 = static_cast<std::uint16_t>(z2);
    m.colours[b.colour].inUse = 1;
    return true;
}

// The cell widths of the axis.
inline std::vector<float> Widths(const ModelStore& m, int axis)
{
    const GridAxis& a = m.axes[axis];
    return {a.widths.begin(), a.widths.begin() + a.n};
}

// Colour c with its defaults, in use, of the given type and conductivity.
inline ColourRecord& DefineColour(ModelStore& m, int c, ColourType type, float lambda = 1.0f)
{
    ColourRecord& r = m.colours[static_cast<std::size_t>(c)];
    r = ColourRecord{};
    r.inUse = 1;
    r.type = type;
    r.lambda = lambda;
    return r;
}

// A test that owns its engine: a fresh Engine (reset, with the built-in
// parameter defaults) whose host is a null host that collects messages, and
// a working folder of the test's own, where its small files are written.
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        // Each test works in a folder of its own: tests run in parallel, and
        // the reader removes the temporary files of its working folder.
        home = std::filesystem::current_path();
        const std::filesystem::path own =
            home / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(own);
        std::filesystem::current_path(own);
        SetHost(&host);
    }
    void TearDown() override
    {
        SetHost(nullptr);
        std::filesystem::current_path(home);
    }

    // Writes the text as a .glm file and reads it into the engine's model
    // in the given mode.
    bool ReadText(const std::string& text, bool preview = false, bool insert = false,
                  const std::string& name = "model.glm")
    {
        WriteBytes(name, text);
        engine.model.dataFilePath = name;
        return ReadDataFile(engine.model, name,
                            preview  ? ReadMode::Preview
                            : insert ? ReadMode::Insert
                                     : ReadMode::Open,
                            engine.parameters, host);
    }
    std::string LastMessage() const { return host.messages.empty() ? std::string() : host.messages.back(); }

    // Cell widths per axis, in grid units; the clip box becomes the whole grid.
    void SetGrid(const std::vector<float>& wx, const std::vector<float>& wy, const std::vector<float>& wz)
    {
        ASSERT_TRUE(BuildGrid(engine.model, wx, wy, wz));
    }
    // A block over cells x1..x2-1, y1..y2-1, z1..z2-1; its colour in use.
    void Block(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        ASSERT_TRUE(AppendBlock(engine.model, colour, x1, x2, y1, y2, z1, z2));
    }

    NullEngineHost host;
    Engine engine{host};
    std::filesystem::path home;
};

} // namespace gelmar::test
