// A folder of the running test's own under the temporary folder, emptied
// before the test and removed after it, for the kernel tests that write
// files.
#pragma once
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace kernels::testing {

class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("kernels-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }

    std::filesystem::path dir;
};

} // namespace kernels::testing
