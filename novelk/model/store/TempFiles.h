// The temporary result files of a calculation in the working folder (the
// process's current folder): "tmp.sol", "tmp.flx" and "tmp.vwf".
#pragma once
#include <string>

namespace novelk {

// Deletes each of the three where it exists, so that no result of another
// model survives a new one.
void RemoveTempFiles();
// True when a file exists at the path.
bool FileExists(const std::string& path);
// The path without the extension of its file name (the whole path when the
// name has none; a point in a folder name is no extension).
std::string PathWithoutExtension(const std::string& path);
// The data file's path with its extension replaced by ext ("sol", "flx",
// "vwf"; added when the name has none); empty without a data file.
std::string CompanionFilePath(const std::string& dataFilePath, const std::string& ext);
// The temporary file of the working folder when it exists, else the data
// file's companion with the extension (empty when there is neither).
std::string SelectResultFile(const std::string& dataFilePath, const std::string& temporary, const std::string& ext);
// "tmp.vwf" when it exists, else the data file's path with its extension
// replaced by "vwf" (empty without a data file).
std::string SelectViewFactorFile(const std::string& dataFilePath);

} // namespace novelk
