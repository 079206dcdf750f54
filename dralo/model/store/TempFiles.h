// The temporary result files of a calculation, which lie in the working
// folder that the program names (its current folder): the mesh "tmp.tri",
// the solution "tmp.sol", the flow function "tmp.flw" and the heat-flux
// densities "tmp.flx". Paths, removal and existence are the kit's.
#pragma once
#include "common/core/TempFiles.h"

#include <string>

namespace dralo {

inline constexpr const char* kMeshFileName = "tmp.tri";
inline constexpr const char* kSolutionFileName = "tmp.sol";
inline constexpr const char* kFlowFileName = "tmp.flw";
inline constexpr const char* kFluxFileName = "tmp.flx";
// The linear radiation coefficients of the cycles before the last.
inline constexpr const char* kViewFileName = "view.tmp";

using common::FileExists;
using common::TempFilePath;

// Deletes each of the four where it exists, so that no result of another
// model survives a new one.
inline void RemoveTempFiles(const std::string& workFolder)
{
    common::RemoveTempFiles(workFolder, {kMeshFileName, kSolutionFileName, kFlowFileName, kFluxFileName});
}

} // namespace dralo
