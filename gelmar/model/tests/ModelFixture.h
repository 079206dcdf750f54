// Test fixture for the model tests: a fresh store with built-in parameter
// defaults, a null host that collects messages, and small files written into
// the test's working folder.
#pragma once
#include "gelmar/model/DataFile.h"
#include "gelmar/model/EngineHost.h"
#include "gelmar/model/ModelStore.h"
#include "gelmar/model/Parameters.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace gelmar::test {

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetHost(&host);
        g_parameters = ParameterSet{};
        for (ColourRecord& c : g_model.colours)
            c = ColourRecord{};
        ResetModel();
    }
    void TearDown() override { SetHost(nullptr); }

    // Writes the text as a .glm file and reads it in the given mode.
    bool ReadText(const std::string& text, bool preview = false, bool insert = false,
                  std::string name = "")
    {
        // Tests run in parallel in one folder: one file per test.
        if (name.empty())
            name = std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".glm";
        WriteBytes(name, text);
        g_model.dataFilePath = name;
        return ReadDataFile(preview, insert);
    }
    std::string LastMessage() const { return host.messages.empty() ? std::string() : host.messages.back(); }

    NullEngineHost host;
};

} // namespace gelmar::test
