// What the tests of every program need of files: writing and reading small
// files whole, little-endian numbers in them, and a scratch folder of the running test's own to work in.
// Header-only; used by the tests, never by a program.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace common::testing {

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent);
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The little-endian 32-bit number at the byte offset.
inline std::uint32_t U32At(const std::string& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t k = 4; k-- > 0;)
        v = (v << 8) | static_cast<unsigned char>(bytes.at(at + k));
    return v;
}

// Makes a new, empty folder named after the running test ("Suite.Test")
// below the current folder and makes it current; returns the folder that
// was current, for the test to return to. Tests run in parallel, and
// engines remove temporary files of their working folder.
inline std::filesystem::path EnterOwnFolder()
{
    const std::filesystem::path home = std::filesystem::current_path();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path own = home / (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::remove_all(own);
    std::filesystem::create_directories(own);
    std::filesystem::current_path(own);
    return home;
}

} // namespace common::testing
