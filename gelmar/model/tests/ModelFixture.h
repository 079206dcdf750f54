// Test fixture for the model tests: a fresh store with built-in parameter
// defaults, a null host that collects messages, and small files written into
// the test's working folder.
#pragma once
#include "common/testing/TestFiles.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace gelmar::test {

using common::testing::ReadBytes;
using common::testing::WriteBytes;

// The code of the engine error that work ends with (None when it returns);
// its message goes to *message when given.
template <typename Work> ErrorCode CaughtError(Work&& work, std::string* message = nullptr)
{
    try {
        work();
    } catch (const EngineError& e) {
        if (message)
            *message = e.Message();
        return e.Code();
    }
    return ErrorCode::None;
}

class ModelTest : public ::testing::Test {
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
        g_parameters = ParameterSet{};
        for (ColourRecord& c : g_model.colours)
            c = ColourRecord{};
        FreeModel();
        ResetModel();
    }
    void TearDown() override
    {
        SetHost(nullptr);
        std::filesystem::current_path(home);
    }

    // Writes the text as a .glm file and reads it in the given mode.
    bool ReadText(const std::string& text, bool preview = false, bool insert = false,
                  const std::string& name = "model.glm")
    {
        WriteBytes(name, text);
        g_model.dataFilePath = name;
        return ReadDataFile(g_model, name,
                            preview  ? ReadMode::Preview
                            : insert ? ReadMode::Insert
                                     : ReadMode::Open,
                            g_parameters, host);
    }
    std::string LastMessage() const { return host.messages.empty() ? std::string() : host.messages.back(); }

    NullEngineHost host;
    std::filesystem::path home;
};

} // namespace gelmar::test
