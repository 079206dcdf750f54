// The data-file type of a program made known to the desktop, so that a file
// manager opens the program's files with it: in the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share) a desktop entry for the program
// (applications/<id>.desktop), a MIME type for its data-file extension
// (mime/packages/<id>.xml) and the program's icon
// (icons/hicolor/48x48/apps/<id>.png), <id> being the program's name in
// lower case. Each file is written only when it is missing or says
// something else, so that a start with nothing new writes nothing.
#pragma once
#include <string>

class QImage;

namespace platform {

struct ShellFileType {
    std::string typeId;      // "Gelmar.Document"
    std::string description; // "GELMAR Data File"
    std::string extension;   // "glm", without the dot
};

struct ShellProgram {
    std::string name;       // "GELMAR": the entry's name; lower case, the file names
    std::string executable; // the program's path
};

// The user's data folder.
std::string UserDataFolder();
// Writes what differs; false when a file could not be written.
bool RegisterShellFileType(const ShellFileType& type, const ShellProgram& program, const QImage& icon);

} // namespace platform
