// Reading the pattern file.
#include "common/core/PatternFile.h"

#include "common/core/NumberPrefix.h"
#include "common/core/PathName.h"
#include "common/core/SectionFile.h"

namespace common {
namespace {

// Item i of a comma-separated list (empty when there are fewer items).
std::string_view Item(std::string_view list, int index)
{
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = list.find(',');
        if (comma == std::string_view::npos)
            return {};
        list.remove_prefix(comma + 1);
    }
    return list.substr(0, list.find(','));
}

} // namespace

void CPatternList::Clear()
{
    m_patterns.assign(1, CPattern{});
    m_count = 0;
}

const CPattern& CPatternList::Get(int number) const
{
    if (number < 0 || number > m_count)
        return m_patterns[0];
    return m_patterns[static_cast<std::size_t>(number)];
}

BOOL CPatternList::Load(const std::string& path)
{
    Clear();
    CSectionFile file;
    if (!file.Load(path)) {
        m_error = file.GetLastError();
        return FALSE;
    }
    return ReadFrom(file, path);
}

BOOL CPatternList::LoadFromBytes(std::string_view bytes, const std::string& path)
{
    Clear();
    CSectionFile file;
    if (!file.LoadFromBytes(bytes, path)) {
        m_error = file.GetLastError();
        return FALSE;
    }
    return ReadFrom(file, path);
}

BOOL CPatternList::ReadFrom(const CSectionFile& file, const std::string& path)
{
    int count = 0;
    const int header = file.FindSection("PATTERNS");
    if (!file.GetIntValue(header, "N", count) || count < 1 || count > kMaxPatterns) {
        m_error = "No patterns in file\n" + path;
        return FALSE;
    }
    std::vector<std::string> keys, values;
    const int entries = file.GetSectionEntries(header, keys, values);
    m_patterns.assign(static_cast<std::size_t>(count) + 1, CPattern{});
    // Entry k defines pattern k whatever its key; entry 0 is the count.
    for (int k = 1; k < entries && k <= count; ++k) {
        const std::string_view list = values[static_cast<std::size_t>(k)];
        CPattern& p = m_patterns[static_cast<std::size_t>(k)];
        p.firstColour = HexText(Item(list, 0));
        p.secondColour = HexText(Item(list, 1));
        for (int r = 0; r < 8; ++r)
            p.rows[static_cast<std::size_t>(r)] = static_cast<WORD>(HexText(Item(list, r + 2)));
    }
    m_count = count;
    m_error.clear();
    return TRUE;
}

void PatternGridShape(int count, int& rows, int& columns)
{
    rows = columns = 0;
    if (count < 1)
        return;
    while (columns * columns < count)
        ++columns;
    rows = (count + columns - 1) / columns;
}

std::string PatternFilePath()
{
    return CPathName(CPathName::kProgramFolder).GetPath() + "Patterns.pat";
}

} // namespace common
