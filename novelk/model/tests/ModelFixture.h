// Test fixture for Novelk's engine tests: a fresh model, run state and
// built-in defaults, a host that records what the engine asks of the windows,
// small files written into the test's own scratch folder, and builders for
// small models.
#pragma once
#include "common/testing/TestFiles.h"
#include "novelk/model/files/DataFile.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace novelk::test {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

// Records the refresh requests of the engine.
class RecordingHost : public NullEngineHost {
  public:
    void RefillTables() override { calls.push_back("refill"); }
    void UpdateModelView() override { calls.push_back("model view"); }
    void SetModified(bool m) override
    {
        modified = m;
        calls.push_back(m ? "modified" : "not modified");
    }
    void UpdateAllViews() override { calls.push_back("all views"); }
    void GoToUndoItem(int kind, int a1, int a2) override
    {
        goTo.push_back({kind, a1, a2});
        calls.push_back("go to");
    }
    void FreeOutputBuffers() override { ++outputFrees; }

    std::vector<std::string> calls;
    std::vector<std::array<int, 3>> goTo;
    bool modified = false;
    int outputFrees = 0;
};

class ModelTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        // Each test works in a folder of its own: tests run in parallel, and
        // the reader removes the temporary files of its working folder.
        home = std::filesystem::current_path();
        const std::filesystem::path own =
            home / (std::string(::testing::UnitTest::GetInstance()->current_test_suite()->name()) + "." +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(own);
        std::filesystem::create_directories(own);
        std::filesystem::current_path(own);
        ResetModel(model, defaults);
    }
    void TearDown() override { std::filesystem::current_path(home); }

    // Writes the text as a file and reads it in the mode; the message of the
    // error it threw, or "" when it read.
    std::string Read(const std::string& text, ReadMode mode = ReadMode::Open,
                     const std::string& name = "model.nvk")
    {
        WriteBytes(name, text);
        return ReadFile(name, mode);
    }
    std::string ReadFile(const std::string& path, ReadMode mode = ReadMode::Open)
    {
        try {
            ReadDataFile(model, run, defaults, host, path, mode);
        } catch (const EngineError& e) {
            return e.Message();
        }
        return {};
    }

    // A grid of unit widths (or the widths given) on each axis.
    void SetGrid(std::vector<float> x, std::vector<float> y, std::vector<float> z)
    {
        const std::array<std::vector<float>, 3> widths{std::move(x), std::move(y), std::move(z)};
        std::size_t most = 0;
        for (const auto& w : widths)
            most = std::max(most, w.size());
        GrowGridLineArrays(model, most + 1);
        for (std::size_t a = 0; a < 3; ++a) {
            model.axes[a].n = static_cast<std::uint16_t>(widths[a].size());
            std::copy(widths[a].begin(), widths[a].end(), model.axes[a].widths.begin());
            model.clipLo[a] = 0;
            model.clipHi[a] = model.axes[a].n;
        }
        ComputeGridCoordinates(model);
        ComputeModelExtent(model);
    }
    void SetUnitGrid(int nx, int ny, int nz)
    {
        SetGrid(std::vector<float>(static_cast<std::size_t>(nx), 1.0f),
                std::vector<float>(static_cast<std::size_t>(ny), 1.0f),
                std::vector<float>(static_cast<std::size_t>(nz), 1.0f));
    }
    void AddBlock(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        GrowBlockArray(model, model.blocks.count + 1u);
        BlockRecord& b = model.blocks[model.blocks.count++];
        b = BlockRecord{};
        b.colour = static_cast<std::uint8_t>(colour);
        b.x1 = static_cast<std::uint16_t>(x1), b.x2 = static_cast<std::uint16_t>(x2);
        b.y1 = static_cast<std::uint16_t>(y1), b.y2 = static_cast<std::uint16_t>(y2);
        b.z1 = static_cast<std::uint16_t>(z1), b.z2 = static_cast<std::uint16_t>(z2);
        model.colours[static_cast<std::size_t>(colour)].inUse = 1;
    }
    void SetColour(int n, int type, float lambda = 1.0f, float temperature = 0.0f, float h = 7.7f)
    {
        ColourRecord& c = model.colours[static_cast<std::size_t>(n)];
        c.inUse = 1;
        c.type = type;
        c.lambda = lambda;
        c.temperature = temperature;
        c.hGlobal = h;
    }

    ProgramParameters defaults;
    ModelStore model;
    RunState run;
    RecordingHost host;
    std::filesystem::path home;
};

inline std::string SyntaxMessage(const std::string& path, int line)
{
    return "Syntax error in file " + path + "\nLine " + std::to_string(line);
}

} // namespace novelk::test
