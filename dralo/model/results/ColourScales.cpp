// Loading the fills' colour scale.
#include "dralo/model/results/ColourScales.h"

#include "dralo/model/store/Errors.h"

namespace dralo {

std::string LoadColourScale(const std::string& programFolder, bool gray, common::ColourScale& scale)
{
    const std::string path = common::JoinPath(programFolder, gray ? "RainbowGray.rgb" : "RainbowColor.rgb");
    const common::ColourFileResult r = common::LoadColourScaleFile(path, scale);
    switch (r.status) {
    case common::ColourFileStatus::Ok:
        break;
    case common::ColourFileStatus::OpenFailed:
        return FileOpenText(path);
    case common::ColourFileStatus::SyntaxError:
        return SyntaxErrorText(path, r.line);
    }
    return {};
}

} // namespace dralo
