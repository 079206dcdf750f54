// String tables: the user texts of a program, keyed by resource id. The
// English table comes with the program; a language override file of the same
// format replaces the texts it holds, and every id it lacks keeps English.
//
// File format (UTF-8): one entry a line, the id, blanks and the text in double
// quotes with the escapes \n \t \" and \\. Blank lines and lines starting with
// '#' are skipped. Both LF and CRLF line ends are read.
#pragma once
#include <map>
#include <string>
#include <string_view>

namespace platform {

class StringTable {
  public:
    // Parses text in the format above; on a malformed line returns false,
    // sets *error to "line N: reason" and leaves the table unchanged.
    bool ParseInto(std::map<unsigned, std::string>& out, std::string_view text, std::string* error) const;

    // Replaces the English texts. False (with *error) on a malformed table.
    bool LoadEnglish(std::string_view text, std::string* error = nullptr);
    bool LoadEnglishFile(const std::string& path, std::string* error = nullptr);
    // Reads a language override file. A missing or malformed file leaves
    // the override empty (English in force) and returns false.
    bool LoadOverrideFile(const std::string& path, std::string* error = nullptr);
    void ClearOverride() { override_.clear(); }

    bool Has(unsigned id) const { return override_.count(id) || english_.count(id); }
    // The override text when there is one, else the English text, else "".
    std::string Get(unsigned id) const;

  private:
    std::map<unsigned, std::string> english_;
    std::map<unsigned, std::string> override_;
};

// The program's one string table.
StringTable& Strings();

// The text of a string resource (empty when the id has none).
std::string LoadString(unsigned id);

// Replaces "%1" and "%2" in a text, as the framework's message formatting did.
std::string FormatString2(std::string_view format, std::string_view arg1, std::string_view arg2 = {});

} // namespace platform
