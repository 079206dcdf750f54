// The STL base name of a block record.
#include "parven/model/store/Records.h"

#include <algorithm>
#include <cstring>

namespace parven {

std::string_view StlName(const BlockRecord& b)
{
    return {b.stlName, ::strnlen(b.stlName, sizeof b.stlName)};
}

void SetStlName(BlockRecord& b, std::string_view name)
{
    const std::size_t n = std::min(name.size(), kMaxStlName);
    std::memset(b.stlName, 0, sizeof b.stlName);
    std::memcpy(b.stlName, name.data(), n);
}

} // namespace parven
