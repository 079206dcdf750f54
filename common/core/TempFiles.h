// The temporary result files of a calculation ("tmp.sol", "tmp.flx",
// "tmp.vwf", "tmp.tri"...): they lie in the working folder, which the caller
// names (the process's current folder in the programs: every way of opening a
// model makes its folder current). A new model removes those of the last, so
// that no result of another model survives.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace common {

// The path of a temporary file in the working folder (the bare name when the
// folder is empty or ".").
std::string TempFilePath(const std::string& workFolder, std::string_view name);
// Deletes each named file of the working folder where it exists; failures
// to delete are ignored.
void RemoveTempFiles(const std::string& workFolder, std::initializer_list<std::string_view> names);
// True when a regular file exists at the path.
bool FileExists(const std::string& path);
// The path without the extension of its file name (the whole path when the
// name has none; a point in a folder name is no extension).
std::string PathWithoutExtension(const std::string& path);
// The data file's path with its extension replaced by ext ("sol"; added when
// the name has none); empty without a data file.
std::string CompanionFilePath(const std::string& dataFilePath, std::string_view ext);
// The temporary file of the working folder when it exists, else the data
// file's companion with the extension (empty when there is neither).
std::string SelectResultFile(const std::string& workFolder, const std::string& dataFilePath, std::string_view name,
                             std::string_view ext);

} // namespace common
