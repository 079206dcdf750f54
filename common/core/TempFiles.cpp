// Temporary result files of the working folder.
#include "common/core/TempFiles.h"

#include <filesystem>
#include <system_error>

namespace common {

std::string TempFilePath(const std::string& workFolder, std::string_view name)
{
    if (workFolder.empty() || workFolder == ".")
        return std::string(name);
    return (std::filesystem::path(workFolder) / std::string(name)).string();
}

void RemoveTempFiles(const std::string& workFolder, std::initializer_list<std::string_view> names)
{
    for (std::string_view name : names) {
        std::error_code ec;
        std::filesystem::remove(TempFilePath(workFolder, name), ec);
    }
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

std::string PathWithoutExtension(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path;
    return path.substr(0, dot);
}

std::string CompanionFilePath(const std::string& dataFilePath, std::string_view ext)
{
    if (dataFilePath.empty())
        return {};
    return PathWithoutExtension(dataFilePath) + "." + std::string(ext);
}

std::string SelectResultFile(const std::string& workFolder, const std::string& dataFilePath, std::string_view name,
                             std::string_view ext)
{
    const std::string temporary = TempFilePath(workFolder, name);
    if (FileExists(temporary))
        return temporary;
    return CompanionFilePath(dataFilePath, ext);
}

} // namespace common
