// The temporary result files of a calculation in the working folder (the
// process's current folder): "tmp.tri", "tmp.sol", "tmp.flw" and "tmp.flx".
#pragma once
#include <string>

namespace dralo {

// Deletes each of the four where it exists, so that no result of another
// model survives a new one.
void RemoveTempFiles();
bool FileExists(const std::string& path);
// Whether "tmp.sol" exists.
bool SolutionFileExists();

} // namespace dralo
