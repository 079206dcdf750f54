// Settings storage in place of the registry: a small INI-style file per
// program in the user's configuration folder ($XDG_CONFIG_HOME/<program>/,
// else ~/.config/<program>/), and the recent-file list kept in it.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace platform {

// Sections of "key=value" lines. Reads LF and CRLF; writes CRLF.
class IniFile {
  public:
    // A missing file gives an empty store (true); an unreadable one false.
    bool Load(const std::string& path);
    // Writes through a temporary file, so a failed write never leaves a
    // truncated settings file behind.
    bool Save(const std::string& path) const;

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback = {}) const;
    int GetInt(const std::string& section, const std::string& key, int fallback) const;
    void SetString(const std::string& section, const std::string& key, const std::string& value);
    void SetInt(const std::string& section, const std::string& key, int value);
    void RemoveKey(const std::string& section, const std::string& key);

  private:
    // Sections and keys keep the order in which they were first seen.
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};

// The settings file of a program key ("GELMAR" -> .../GELMAR/settings.ini).
std::string SettingsFilePath(const std::string& programKey);

// Most recently used files, newest first, at most `capacity` entries; stored
// as "File1".."FileN" in the section "Recent File List".
class RecentFileList {
  public:
    explicit RecentFileList(int capacity = 4) : capacity_(capacity) {}
    // Puts the path first; an entry already present moves up.
    void Add(const std::string& path);
    void Remove(int index);
    const std::vector<std::string>& Entries() const { return entries_; }
    int Capacity() const { return capacity_; }
    void ReadFrom(const IniFile& ini);
    void WriteTo(IniFile& ini) const;

  private:
    int capacity_;
    std::vector<std::string> entries_;
};

} // namespace platform
