// Paths split into their parts, special folders of this system and a
// wildcard file iterator. "/" separates folders; a folder part keeps its
// trailing separator. The program folder is the folder of the running
// executable, the temporary folder $TMPDIR (or /tmp), the desktop the
// user's XDG desktop folder.
#pragma once
#include "platform/core/Types.h"

#include <string>
#include <vector>

namespace common {

class CPathName {
  public:
    // Kinds of the folder constructor.
    enum Kind {
        kProgramFile = 1,
        kProgramFolder = 2,
        kWindowsFolder = 3,
        kSystemFolder = 4,
        kTempFolder = 5,
        kDesktopFolder = 6,
        kFavoritesFolder = 7,
        kTempFileName = 8,
    };

    CPathName() = default;
    explicit CPathName(int kind) { Init(kind); }

    void Init(int kind);
    std::string GetPath() const { return m_drive + m_folder + m_title + m_extension; }
    void SetPath(const std::string& path);
    // Fills the parts with the named shell folder ("Desktop", "Favorites");
    // they stay empty when this system has no such folder.
    void GetShellFolder(const std::string& name);

    const std::string& Drive() const { return m_drive; }
    const std::string& Folder() const { return m_folder; }
    const std::string& Title() const { return m_title; }
    const std::string& Extension() const { return m_extension; }

  private:
    void SetFolder(const std::string& folder);

    std::string m_drive;
    std::string m_folder;
    std::string m_title;
    std::string m_extension;
};

// Iterates over the names of the files that match a pattern whose last part
// may hold "*" and "?" (matched without regard to case, as the original file
// system did), in name order.
class CFindFile {
  public:
    explicit CFindFile(const std::string& pattern);
    // TRUE while there is a current result. A folder that does not exist
    // matches nothing; a folder that cannot be read throws CFileException.
    BOOL FindNext();
    const std::string& GetFileName() const { return m_name; }
    std::string GetFilePath() const { return m_folder + m_name; }

  private:
    std::string m_pattern;
    std::string m_folder;
    bool m_scanned = false;
    std::vector<std::string> m_matches;
    std::size_t m_next = 0;
    std::string m_name;
};

// The file exception of the framework: the reason and the file concerned.
struct CFileException {
    std::string message;
    std::string path;
};

// True when name matches the wildcard pattern ("*" any run, "?" one
// character), ASCII letters compared without regard to case.
bool MatchWildcard(const std::string& pattern, const std::string& name);

// The absolute form of a path with "." and ".." parts resolved, as shown in
// messages that name a file or pattern.
std::string FullPath(const std::string& path);

// The Windows version class of the system: 0 here, "any other platform".
int GetWindowsVersionClass();

} // namespace common
