// The fill patterns of the pattern file "Patterns.pat" in the program
// folder: section "PATTERNS" with the count "N" followed by one entry per
// pattern, "first colour, second colour, eight rows" in hexadecimal. Each
// pattern is an 8x8 monochrome bitmap drawn with its two colours; pattern 0
// always exists as the black-on-white diagonal hatch.
#pragma once
#include "platform/core/Types.h"

#include <array>
#include <string>
#include <vector>

namespace common {

class CSectionFile;

struct CPattern {
    COLORREF firstColour = 0;
    COLORREF secondColour = 0xFFFFFF;
    std::string name;
    // Top row first; the low eight bits of a row are its pixels, most
    // significant bit leftmost.
    std::array<WORD, 8> rows{0x87, 0x0F, 0x1E, 0x3C, 0x78, 0xF0, 0xE1, 0xC3};
};

class CPatternList {
  public:
    // Largest pattern count a file may declare.
    static constexpr int kMaxPatterns = 65535;

    // Reads the file. FALSE, with no patterns and the reason in
    // GetLastError, when it cannot be read or declares no patterns.
    BOOL Load(const std::string& path);
    BOOL LoadFromBytes(std::string_view bytes, const std::string& path = {});
    void Clear();

    // The number of patterns N; patterns 1 ... N exist, and pattern 0.
    int GetCount() const { return m_count; }
    // The pattern of a number; numbers outside 0 ... N give pattern 0.
    const CPattern& Get(int number) const;
    const std::string& GetLastError() const { return m_error; }

  private:
    BOOL ReadFrom(const CSectionFile& file, const std::string& path);

    std::vector<CPattern> m_patterns{CPattern{}};
    int m_count = 0;
    std::string m_error;
};

// Shape of the square-ish grid that shows N patterns: columns = ceil(sqrt N),
// rows = ceil(N / columns); both 0 for N < 1.
void PatternGridShape(int count, int& rows, int& columns);

// The path of the pattern file: the program folder and "Patterns.pat".
std::string PatternFilePath();

} // namespace common
