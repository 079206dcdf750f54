// What the fuzz targets share: the input written to a file of the process's
// own, which the readers under test open by name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzz {

// "fuzz-<pid><suffix>" in the working folder.
inline std::string OwnFileName(const std::string& suffix)
{
    return "fuzz-" + std::to_string(getpid()) + suffix;
}

// Writes the bytes as the whole file; false when it cannot be made.
inline bool WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool whole = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && whole;
}

// Makes a folder of the process's own ("fuzz-<pid>") the working folder, on
// the first call, so that the files a target writes meet no other process's.
inline void EnterOwnFolder()
{
    static const bool entered = [] {
        const std::string folder = OwnFileName("");
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        return true;
    }();
    (void)entered;
}

} // namespace fuzz
