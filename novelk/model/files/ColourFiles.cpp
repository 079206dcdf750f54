// The material colours and the colour scales.
#include "novelk/model/files/ColourFiles.h"

#include "novelk/model/store/Errors.h"

namespace novelk {

void LoadMaterialColours(ModelStore& m, const std::string& programFolder)
{
    for (ColourRecord& c : m.colours)
        c = ColourRecord{};
    const auto colours = common::ReadMaterialColourFile(common::JoinPath(programFolder, "MatColor.rgb"));
    for (std::size_t n = 0; n < colours.size(); ++n)
        if (colours[n])
            SetDisplayColour(m.colours[n], GetRValue(*colours[n]), GetGValue(*colours[n]),
                             GetBValue(*colours[n]));
}

void LoadColourScale(const std::string& programFolder, bool grey, common::ColourScale& scale)
{
    const std::string path = common::JoinPath(programFolder, grey ? "RainbowGray.rgb" : "RainbowColor.rgb");
    const common::ColourFileResult r = common::LoadColourScaleFile(path, scale);
    switch (r.status) {
    case common::ColourFileStatus::Ok:
        return;
    case common::ColourFileStatus::OpenFailed:
        throw EngineError::FileOpen(path);
    case common::ColourFileStatus::SyntaxError:
        throw EngineError::Syntax(path, r.line);
    }
}

} // namespace novelk
