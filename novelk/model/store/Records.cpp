// Names of the colour types and rules.
#include "novelk/model/store/Records.h"

namespace novelk {

const char* ColourTypeName(int type)
{
    static const char* const kNames[kColourTypeCount] = {"MATERIAL", "BC_SIMPL", "BC_FREE",  "BC_SKY",
                                                         "BC_NOSKY", "EQUIMAT",  "BC_FRE_S", "TRANSMAT"};
    return type >= 0 && type < kColourTypeCount ? kNames[type] : nullptr;
}

const char* ColourTypeDescription(int type)
{
    static const char* const kTexts[kColourTypeCount] = {
        "MATERIAL = material with user defined thermal conductivity",
        "BC_SIMPL = simplified boundary condition (combined convection and radiation)",
        "BC_FREE = cavity with unknown (free) air temperature (separate convection and radiation)",
        "BC_SKY = environment with known air temperature and known radiation temperature (the sky)",
        "BC_NOSKY = environment with known air temperature and without external radiative heat exchange (no "
        "sky)",
        "EQUIMAT = cavity with equivalent thermal conductivity",
        "BC_FRE_S = cavity with unknown (free) temperature (combined convection and radiation)",
        "TRANSMAT = transparent material (conduction + radiation)",
    };
    return type >= 0 && type < kColourTypeCount ? kTexts[type] : nullptr;
}

const char* RuleName(int type, int rule)
{
    static const char* const kSurface[] = {"NIHIL", "HI_NORML", "HI_REDUC", "HE"};
    static const char* const kFree[] = {"NIHIL",    "CEN_Xy_I", "CEN_Xz_I", "CEN_Yx_I",
                                        "CEN_Yz_I", "CEN_Zx_I", "CEN_Zy_I", "CEN_CON"};
    static const char* const kEnvironment[] = {"NIHIL", "CEN_CON"};
    static const char* const kEquimat[] = {"NIHIL",    "CEN_Xy_I", "CEN_Xz_I", "CEN_Yx_I", "CEN_Yz_I",
                                           "CEN_Zx_I", "CEN_Zy_I", "CEN_Xy_E", "CEN_Xz_E", "CEN_Yx_E",
                                           "CEN_Yz_E", "CEN_Zx_E", "CEN_Zy_E"};
    const auto pick = [rule](const auto& list) -> const char* {
        return rule >= 0 && rule < static_cast<int>(std::size(list)) ? list[rule] : nullptr;
    };
    switch (type) {
    case BC_SIMPL:
    case BC_FRE_S:
        return pick(kSurface);
    case BC_FREE:
        return pick(kFree);
    case BC_SKY:
    case BC_NOSKY:
        return pick(kEnvironment);
    case EQUIMAT:
        return pick(kEquimat);
    default:
        return nullptr;
    }
}

bool IsConductiveType(int type)
{
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

} // namespace novelk
