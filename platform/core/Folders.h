// The program folder (where the executable and its data files lie) and the
// working folder (the process's current folder, where temporary calculation
// files go).
#pragma once
#include <string>

namespace platform {

// Folder of the running executable, without a trailing '/'.
std::string ProgramFolder();
std::string WorkingFolder();
// False when the folder cannot be made current.
bool SetWorkingFolder(const std::string& folder);
// Makes the folder of a model file the working folder, so that the model's
// temporary calculation files go beside it and no other folder's are
// touched; returns the path made absolute (against the working folder it
// was given in), which stays valid after the change of folder.
std::string EnterFolderOf(const std::string& path);
// The folder part of a path ("" for a bare name).
std::string FolderOf(const std::string& path);

} // namespace platform
