// Reader of sectioned text files: section headers "[NAME]" and key lines
// "KEY=value", with ";" in the first column starting a comment. The whole
// file is read into memory; look-ups address a section by the line index of
// its header. The material database and the pattern file are read with it.
#pragma once
#include "platform/core/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace common {

class CSectionFile {
  public:
    // Longest line kept; a longer line makes the whole file unreadable.
    static constexpr std::size_t kMaxLineLength = 1022;

    CSectionFile() = default;
    virtual ~CSectionFile() = default;

    void Clear();
    // Reads the file (Windows-1252, LF or CRLF). FALSE when it cannot be
    // opened or read or holds a line that is too long; the reader is then
    // empty and GetLastError says why.
    BOOL Load(const std::string& path);
    // The same from the file's bytes; path only names the file in messages.
    BOOL LoadFromBytes(std::string_view bytes, const std::string& path = {});

    int FindSection(const std::string& name) const;
    int FindKey(int header, const std::string& key, std::string& value) const;
    BOOL GetValue(int header, const std::string& key, std::string& value) const;
    BOOL GetValueByName(const std::string& section, const std::string& key, std::string& value) const;
    BOOL GetIntValue(int header, const std::string& key, int& value) const;
    int GetSectionNames(std::vector<std::string>& names) const;
    // Every entry of the section in file order; the arrays are resized to
    // the number of entries, which is returned.
    int GetSectionEntries(int header, std::vector<std::string>& keys, std::vector<std::string>& values) const;
    int GetSectionEntriesByName(const std::string& section, std::vector<std::string>& keys,
                                std::vector<std::string>& values) const;

    int GetLineCount() const { return m_lineCount; }
    const std::string& GetLastError() const { return m_error; }

  private:
    // Splits a line into key and value; false when it is no entry.
    static bool SplitEntry(const std::string& line, std::string& key, std::string& value);

    std::vector<std::string> m_lines;
    std::vector<int> m_sectionIndex;
    int m_lineCount = 0;
    std::string m_error;
};

} // namespace common
