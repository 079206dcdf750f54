// Loading the program's string file.
#include "novelk/model/reports/ReportStrings.h"

#include <filesystem>

namespace novelk {

bool LoadNovelkStrings(platform::StringTable& table, const std::string& programFolder, std::string* error)
{
    const std::string path = (std::filesystem::path(programFolder) / kNovelkStringFile).string();
    return table.LoadEnglishFile(path, error);
}

} // namespace novelk
