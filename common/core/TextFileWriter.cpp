// In-memory text file writer.
#include "common/core/TextFileWriter.h"

#include "platform/core/Text1252.h"

#include <cstdio>

namespace common {

void TextFileWriter::PutText(std::string_view utf8)
{
    m_bytes.append(platform::Utf8ToCp1252(utf8));
}

bool TextFileWriter::Save(const std::string& path) const
{
    // A new file takes the old one's place only once it is written whole, so
    // a failed write never loses the file that was there.
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(m_bytes.data(), 1, m_bytes.size(), f) == m_bytes.size();
    if (std::fclose(f) != 0 || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace common
