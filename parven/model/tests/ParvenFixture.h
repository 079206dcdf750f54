// What Parven's model tests share: a scratch folder of the test's own, an
// engine over a headless host, and small fixtures written as files.
#pragma once
#include "common/testing/TestFiles.h"
#include "parven/model/files/DataFile.h"
#include "parven/model/store/Engine.h"
#include "parven/model/store/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace parven::testing {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

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
