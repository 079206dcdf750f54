// The material colours and the colour scales.
#include "parven/model/files/ColourFiles.h"

#include "parven/model/store/Errors.h"

namespace parven {

ColourTable LoadMaterialColours(const std::string& programFolder)
{
    ColourTable table = DefaultColourTable();
    const auto colours = common::ReadMaterialColourFile(common::JoinPath(programFolder, "MatColor.rgb"));
    for (std::size_t n = 0; n < colours.size(); ++n)
        if (colours[n])
            SetDisplayColour(table[n], GetRValue(*colours[n]), GetGValue(*colours[n]), GetBValue(*colours[n]));
    return table;
}

void LoadColourScale(const std::string& programFolder, bool grey, common::ColourScale& scale)
{
    try {
        common::LoadProgramColourScale(programFolder, grey, scale);
    } catch (const common::EngineError& e) {
        throw EngineError(e);
    }
}

} // namespace parven
