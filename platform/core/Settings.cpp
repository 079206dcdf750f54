// INI-style settings file and the recent-file list.
#include "platform/core/Settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

} // namespace

bool IniFile::Load(const std::string& path)
{
    sections_.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return true;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string t = Trim(line);
        if (t.empty() || t[0] == ';' || t[0] == '#')
            continue;
        if (t.front() == '[' && t.back() == ']') {
            section = t.substr(1, t.size() - 2);
            continue;
        }
        size_t eq = t.find('=');
        if (eq == std::string::npos)
            continue;
        SetString(section, Trim(t.substr(0, eq)), t.substr(eq + 1));
    }
    return true;
}

bool IniFile::Save(const std::string& path) const
{
    std::error_code ec;
    std::filesystem::path p(path);
    if (p.has_parent_path())
        std::filesystem::create_directories(p.parent_path(), ec);
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const auto& [name, keys] : sections_) {
            out << '[' << name << "]\r\n";
            for (const auto& [k, v] : keys)
                out << k << '=' << v << "\r\n";
            out << "\r\n";
        }
        if (!out.flush())
            return false;
    }
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

std::string IniFile::GetString(const std::string& section, const std::string& key,
                               const std::string& fallback) const
{
    for (const auto& [name, keys] : sections_) {
        if (name != section)
            continue;
        for (const auto& [k, v] : keys)
            if (k == key)
                return v;
    }
    return fallback;
}

int IniFile::GetInt(const std::string& section, const std::string& key, int fallback) const
{
    std::string s = GetString(section, key);
    if (s.empty())
        return fallback;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    return (end && *end == '\0') ? static_cast<int>(v) : fallback;
}

void IniFile::SetString(const std::string& section, const std::string& key, const std::string& value)
{
    for (auto& [name, keys] : sections_) {
        if (name != section)
            continue;
        for (auto& [k, v] : keys) {
            if (k == key) {
                v = value;
                return;
            }
        }
        keys.emplace_back(key, value);
        return;
    }
    sections_.push_back({section, {{key, value}}});
}

void IniFile::SetInt(const std::string& section, const std::string& key, int value)
{
    SetString(section, key, std::to_string(value));
}

void IniFile::RemoveKey(const std::string& section, const std::string& key)
{
    for (auto& [name, keys] : sections_)
        if (name == section)
            std::erase_if(keys, [&](const auto& kv) { return kv.first == key; });
}

std::string SettingsFilePath(const std::string& programKey)
{
    const char* x = std::getenv("XDG_CONFIG_HOME");
    const char* h = std::getenv("HOME");
    std::string base = (x && *x)   ? std::string(x)
                       : (h && *h) ? std::string(h) + "/.config"
                                   : std::string(".");
    return base + "/" + programKey + "/settings.ini";
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    std::erase(entries_, path);
    entries_.insert(entries_.begin(), path);
    if (static_cast<int>(entries_.size()) > capacity_)
        entries_.resize(static_cast<size_t>(capacity_));
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < static_cast<int>(entries_.size()))
        entries_.erase(entries_.begin() + index);
}

void RecentFileList::ReadFrom(const IniFile& ini)
{
    entries_.clear();
    for (int i = 1; i <= capacity_; ++i) {
        std::string p = ini.GetString("Recent File List", "File" + std::to_string(i));
        if (!p.empty() && std::find(entries_.begin(), entries_.end(), p) == entries_.end())
            entries_.push_back(p);
    }
}

void RecentFileList::WriteTo(IniFile& ini) const
{
    for (int i = 1; i <= capacity_; ++i) {
        std::string key = "File" + std::to_string(i);
        if (i <= static_cast<int>(entries_.size()))
            ini.SetString("Recent File List", key, entries_[static_cast<size_t>(i - 1)]);
        else
            ini.RemoveKey("Recent File List", key);
    }
}

} // namespace platform
