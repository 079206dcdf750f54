// What Parven's model tests share: a scratch folder of the test's own, an
// engine over a headless host, and small fixtures written as files.
#pragma once
#include "common/testing/TestFiles.h"
#include "parven/model/files/DataFile.h"
#include "parven/model/stl/StlMesh.h"
#include "parven/model/store/Engine.h"
#include "parven/model/store/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace parven::testing {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

// Two models alike in everything a file holds; STL blocks alike triangle by
// triangle (vertex indices may differ where a model shares vertices).
inline void ExpectSameModel(const ShapeModel& a, const ShapeModel& b)
{
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.settings, b.settings);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.colours, b.colours);
    for (int k = 0; k < 3; ++k) {
        const GridAxis &x = a.axes[static_cast<std::size_t>(k)], &y = b.axes[static_cast<std::size_t>(k)];
        ASSERT_EQ(x.n, y.n) << k;
        for (std::size_t i = 0; i < x.n; ++i) {
            EXPECT_EQ(x.widths[i], y.widths[i]) << k << " " << i;
            EXPECT_EQ(x.coords[i], y.coords[i]) << k << " " << i;
        }
        EXPECT_EQ(a.origin[k], b.origin[k]);
        EXPECT_EQ(a.clipLo[k], b.clipLo[k]);
        EXPECT_EQ(a.clipHi[k], b.clipHi[k]);
    }
    EXPECT_EQ(a.areas, b.areas);
    EXPECT_EQ(a.uValues, b.uValues);
    ASSERT_EQ(a.borderBcs.count, b.borderBcs.count);
    for (std::size_t i = 0; i < a.borderBcs.count; ++i)
        EXPECT_EQ(a.borderBcs[i], b.borderBcs[i]) << i;
    ASSERT_EQ(a.materialBcs.count, b.materialBcs.count);
    for (std::size_t i = 0; i < a.materialBcs.count; ++i)
        EXPECT_EQ(a.materialBcs[i], b.materialBcs[i]) << i;
    ASSERT_EQ(a.blocks.count, b.blocks.count);
    for (std::size_t i = 0; i < a.blocks.count; ++i) {
        BlockRecord x = a.blocks[i], y = b.blocks[i];
        ASSERT_EQ(x.triangleCount, y.triangleCount) << i;
        EXPECT_TRUE(SameTriangles(a.stl, x.firstTriangle, b.stl, y.firstTriangle, x.triangleCount)) << i;
        EXPECT_EQ(StlName(a, x), StlName(b, y)) << i;
        x.firstTriangle = y.firstTriangle = 0;
        x.stlName = y.stlName = 0;
        EXPECT_EQ(x, y) << i;
    }
}

class ParvenTest : public ::testing::Test {
  protected:
    void SetUp() override { m_home = common::testing::EnterOwnFolder(); }
    void TearDown() override { std::filesystem::current_path(m_home); }

    // Reads the file into the engine's model as File Open does.
    void Open(const std::string& path, ReadMode mode = ReadMode::Open)
    {
        ReadDataFile(engine.model, engine.mesh, engine.run, engine.parameters, engine.startColours, path, mode,
                     host);
    }
    // Writes the bytes to path and reads them.
    void OpenText(const std::string& bytes, const std::string& path = "model.pvn")
    {
        WriteBytes(path, bytes);
        Open(path);
    }
    // The error a read of the bytes throws; code None when it reads.
    EngineError FailedRead(const std::string& bytes, ReadMode mode = ReadMode::Open)
    {
        WriteBytes("bad.pvn", bytes);
        try {
            Open("bad.pvn", mode);
        } catch (const EngineError& e) {
            return e;
        }
        return EngineError(common::EngineError(0, {}, ""));
    }
    std::string Format() const { return FormatDataFile(engine.model, engine.startColours); }

    NullEngineHost host;
    Engine engine{host};

  private:
    std::filesystem::path m_home;
};

} // namespace parven::testing
