// The scalar settings of the data file in one table: each key with the field
// it fills and the check its value must pass. The reader and the writer both
// walk it, so that whatever the reader accepts the writer writes back. Also
// the conversion of a graphic-report line (data and parameter file alike).
#pragma once
#include "novelk/model/files/DataKeys.h"
#include "novelk/model/store/ModelStore.h"

#include <cstdint>
#include <span>
#include <type_traits>

namespace novelk {

enum class SettingCheck { Any, Flag, AtLeastOne, NonNegative };

// The field of a scalar setting key: an integer or a real (the other null),
// both null for a key that is not a scalar setting.
template <typename Store> struct SettingFieldOf {
    using Int = std::conditional_t<std::is_const_v<Store>, const std::int32_t, std::int32_t>;
    using Real = std::conditional_t<std::is_const_v<Store>, const float, float>;
    Int* integer = nullptr;
    Real* real = nullptr;
    SettingCheck check = SettingCheck::Any;
};
using SettingField = SettingFieldOf<ModelStore>;
using ConstSettingField = SettingFieldOf<const ModelStore>;

SettingField FindSetting(ModelStore& m, DataKey key);
ConstSettingField FindSetting(const ModelStore& m, DataKey key);
// The scalar setting keys, in the order the writer writes them.
std::span<const DataKey> ScalarSettingKeys();

inline bool SettingAccepts(SettingCheck check, double v)
{
    switch (check) {
    case SettingCheck::Flag:
        return v == 0 || v == 1;
    case SettingCheck::AtLeastOne:
        return v >= 1;
    case SettingCheck::NonNegative:
        return v >= 0;
    case SettingCheck::Any:
        break;
    }
    return true;
}

// A `grep` line's ten values into an entry: create, the four line switches
// and legend by their low bit into the flag bits 0..5 (bits 6 and 7 kept),
// the fill choice as a byte, the projection as read.
void SetGraphicReportEntry(GraphicReportEntry& e, int create, int projection, float azimuth, float altitude,
                           const int switches[4], int fill, int legend);
// The ten values of an entry as a `grep` line writes them (after "grep=").
struct GraphicReportValues {
    int create, projection;
    float azimuth, altitude;
    int switches[4];
    int fill, legend;
};
GraphicReportValues GraphicReportValuesOf(const GraphicReportEntry& e);

} // namespace novelk
