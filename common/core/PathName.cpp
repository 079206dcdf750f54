// Path splitting, special folders and the wildcard file iterator.
#include "common/core/PathName.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace common {
namespace {

std::string WithSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

std::string ExecutablePath()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string TempFolder()
{
    const char* dir = std::getenv("TMPDIR");
    return WithSeparator(dir && *dir ? dir : "/tmp");
}

// The desktop from XDG_DESKTOP_DIR in the user-dirs file, else ~/Desktop
// when it exists.
std::string DesktopFolder()
{
    const char* homeEnv = std::getenv("HOME");
    if (!homeEnv || !*homeEnv)
        return {};
    const std::string home = homeEnv;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string dirs =
        (config && *config ? std::string(config) : home + "/.config") + "/user-dirs.dirs";
    std::ifstream in(dirs);
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DESKTOP_DIR=";
        if (line.rfind(key, 0) != 0)
            continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = home + value.substr(5);
        if (!value.empty() && value[0] == '/')
            return WithSeparator(value);
    }
    std::error_code ec;
    if (fs::is_directory(home + "/Desktop", ec))
        return home + "/Desktop/";
    return {};
}

// A file name in the temporary folder that no file has yet, prefix "~".
std::string NewTempFileName()
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = TempFolder();
    for (;;) {
        const std::string name =
            folder + "~" + std::to_string(::getpid()) + "_" + std::to_string(counter.fetch_add(1));
        std::error_code ec;
        if (!fs::exists(name, ec))
            return name;
    }
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

void CPathName::SetFolder(const std::string& folder)
{
    m_drive.clear();
    m_folder = folder;
    m_title.clear();
    m_extension.clear();
}

void CPathName::Init(int kind)
{
    SetFolder({});
    switch (kind) {
    case kProgramFile:
        SetPath(ExecutablePath());
        break;
    case kProgramFolder:
        SetPath(ExecutablePath());
        m_title.clear();
        m_extension.clear();
        break;
    case kTempFolder:
        SetFolder(TempFolder());
        break;
    case kDesktopFolder:
        GetShellFolder("Desktop");
        break;
    case kFavoritesFolder:
        GetShellFolder("Favorites");
        break;
    case kTempFileName:
        SetPath(NewTempFileName());
        break;
    default:
        // The Windows and system folders have no counterpart here.
        break;
    }
}

void CPathName::SetPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    m_drive.clear();
    m_folder = path.substr(0, nameStart);
    const std::string name = path.substr(nameStart);
    const std::size_t dot = name.rfind('.');
    m_title = dot == std::string::npos ? name : name.substr(0, dot);
    m_extension = dot == std::string::npos ? std::string() : name.substr(dot);
}

void CPathName::GetShellFolder(const std::string& name)
{
    SetFolder(name == "Desktop" ? DesktopFolder() : std::string());
}

bool MatchWildcard(const std::string& pattern, const std::string& name)
{
    // Greedy matching with one back-track point for the last "*".
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

CFindFile::CFindFile(const std::string& pattern) : m_pattern(pattern)
{
    const std::size_t slash = pattern.rfind('/');
    m_folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

BOOL CFindFile::FindNext()
{
    if (!m_scanned) {
        m_scanned = true;
        const std::string mask = m_pattern.substr(m_folder.size());
        const fs::path dir = m_folder.empty() ? fs::path(".") : fs::path(m_folder);
        std::error_code ec;
        if (!fs::is_directory(dir, ec))
            return FALSE;
        fs::directory_iterator it(dir, ec);
        if (ec)
            throw CFileException{ec.message(), m_folder};
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (MatchWildcard(mask, name))
                m_matches.push_back(name);
        }
        if (ec)
            throw CFileException{ec.message(), m_folder};
        std::sort(m_matches.begin(), m_matches.end());
    }
    if (m_next >= m_matches.size()) {
        m_name.clear();
        return FALSE;
    }
    m_name = m_matches[m_next++];
    return TRUE;
}

std::string FullPath(const std::string& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

int GetWindowsVersionClass()
{
    return 0;
}

} // namespace common
