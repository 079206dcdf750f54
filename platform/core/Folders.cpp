// Program and working folders.
#include "platform/core/Folders.h"

#include <filesystem>

namespace platform {

std::string ProgramFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return WorkingFolder();
    return exe.parent_path().string();
}

std::string WorkingFolder()
{
    std::error_code ec;
    auto p = std::filesystem::current_path(ec);
    return ec ? std::string(".") : p.string();
}

bool SetWorkingFolder(const std::string& folder)
{
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    return !ec;
}

std::string EnterFolderOf(const std::string& path)
{
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec)
        return path;
    absolute = absolute.lexically_normal();
    SetWorkingFolder(absolute.parent_path().string());
    return absolute.string();
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

} // namespace platform
