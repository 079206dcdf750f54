// Runs the command-line driver gelmar-calc, for tests that compare the
// program's files with the driver's.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace gelmar::test {

// Runs gelmar-calc with the arguments in the folder (made when missing);
// false when it failed.
inline bool RunDriver(const std::filesystem::path& folder, const std::string& arguments)
{
    std::filesystem::create_directories(folder);
    const std::string command = "cd '" + folder.string() + "' && '" + GELMAR_CALC_EXE + "' " + arguments +
                                " > /dev/null 2> driver.err";
    const bool ok = std::system(command.c_str()) == 0;
    std::filesystem::remove(folder / "driver.err");
    return ok;
}

} // namespace gelmar::test
