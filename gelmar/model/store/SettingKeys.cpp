#include "gelmar/model/store/SettingKeys.h"

#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

namespace {

using R = SettingRange;
using M = ModelStore;
using P = ParameterSet;

// A setting whose reset value is a parameter-file default.
constexpr SettingValue Int(std::int32_t M::*member, R range, std::int32_t P::*parameter)
{
    return {member, nullptr, range, parameter, nullptr, 0};
}
constexpr SettingValue Real(float M::*member, R range, float P::*parameter)
{
    return {nullptr, member, range, nullptr, parameter, 0};
}
// A setting with a constant reset value.
constexpr SettingValue Int(std::int32_t M::*member, R range, std::int32_t reset)
{
    return {member, nullptr, range, nullptr, nullptr, static_cast<double>(reset)};
}
constexpr SettingValue Real(float M::*member, R range, float reset)
{
    return {nullptr, member, range, nullptr, nullptr, static_cast<double>(reset)};
}

constexpr SettingWrite kAlways = SettingWrite::Always;
constexpr SettingWrite kChanged = SettingWrite::WhenChanged;

// clang-format off
const SettingKey kSettings[] = {
    // The calculation settings and the colour scales, reset from the parameter file.
    {kGrun, kAlways, {Real(&M::gridUnit, R::Positive, &P::grun)}},
    {kLinr, kAlways, {Int(&M::linearRadiation, R::ZeroOrOne, &P::linr)}},
    {kCcen, kAlways, {Int(&M::recalcCen, R::ZeroOrOne, &P::ccen)}},
    {kHrbl, kAlways, {Real(&M::hrBlack, R::NonNegative, &P::hrbl)}},
    {kVwfc, kAlways, {Real(&M::minViewFactor, R::NonNegative, &P::vwfc)}},
    {kMxdt, kAlways, {Real(&M::maxDeltaT, R::NonNegative, &P::mxdt)}},
    {kMxod, kAlways, {Real(&M::maxObjectDivergence, R::NonNegative, &P::mxod)}},
    {kMxnd, kAlways, {Real(&M::maxNodeDivergence, R::NonNegative, &P::mxnd)}},
    {kDtas, kAlways, {Real(&M::airspaceDeltaT, R::NonNegative, &P::dtas)}},
    {kRays, kAlways, {Int(&M::rays, R::AtLeastOne, &P::rays)}},
    {kCycl, kAlways, {Int(&M::cycles, R::AtLeastOne, &P::cycl)}},
    {kIter, kAlways, {Int(&M::iterations, R::AtLeastOne, &P::iter)}},
    {kTmin, kAlways, {Real(&M::tmin, R::Any, &P::tmin)}},
    {kTmax, kAlways, {Real(&M::tmax, R::Any, &P::tmax)}},
    {kTin1, kAlways, {Real(&M::tin1, R::Any, &P::tin1)}},
    {kTin2, kAlways, {Real(&M::tin2, R::Any, &P::tin2)}},
    {kTsin, kAlways, {Real(&M::tsin, R::Any, &P::tsin)}},
    {kQmin, kAlways, {Real(&M::qmin, R::Any, &P::qmin)}},
    {kQmax, kAlways, {Real(&M::qmax, R::Any, &P::qmax)}},
    {kQin1, kAlways, {Real(&M::qin1, R::Any, &P::qin1)}},
    {kQin2, kAlways, {Real(&M::qin2, R::Any, &P::qin2)}},
    // The settings with constant reset values.
    {kRcls, kChanged, {Int(&M::rcl, R::ZeroOrOne, 0)}},
    {kVwpt, kChanged, {Real(&M::viewAzimuth, R::Any, 30.0f), Real(&M::viewAltitude, R::Any, 30.0f)}},
    {kStep, kChanged, {Int(&M::timeStep, R::AtLeastOne, 600)}},
    {kPrec, kChanged, {Int(&M::startupDuration, R::NonNegative, 0)}},
    {kCalc, kChanged, {Int(&M::calcDuration, R::NonNegative, 86400)}},
    {kDay0, kChanged, {Int(&M::day0, R::AtLeastOne, 1)}},
    {kSave, kChanged, {Int(&M::saveResults, R::ZeroOrOne, 0), Int(&M::saveFrequency, R::AtLeastOne, 1)}},
    {kRptf, kChanged, {Int(&M::reportFrequency, R::AtLeastOne, 1)}, true},
    {kLati, kChanged, {Real(&M::latitude, R::Any, 50.78f)}},
    {kLong, kChanged, {Real(&M::longitude, R::Any, 4.37f)}},
    {kTimz, kChanged, {Real(&M::timeZone, R::Any, 1.0f)}},
    {kRefg, kChanged, {Real(&M::groundReflection, R::Any, 0.2f)}},
    {kRt1z, kChanged, {Real(&M::rot1z, R::Any, 0.0f)}},
    {kRt2x, kChanged, {Real(&M::rot2x, R::Any, 0.0f)}},
    {kRt3z, kChanged, {Real(&M::rot3z, R::Any, 0.0f)}},
    {kAzno, kChanged, {Real(&M::azimuthNorth, R::Any, 0.0f)}},
    {kAlno, kChanged, {Real(&M::altitudeNorth, R::Any, 0.0f)}},
};
// clang-format on

// The table position of each data-file key, -1 for the other keys.
struct KeyIndex {
    std::array<signed char, kDataKeyCount> position{};
    KeyIndex()
    {
        position.fill(-1);
        for (std::size_t i = 0; i < std::size(kSettings); ++i)
            position[static_cast<std::size_t>(kSettings[i].key)] = static_cast<signed char>(i);
    }
};

} // namespace

std::span<const SettingKey> SettingKeys()
{
    return kSettings;
}

const SettingKey* FindSettingKey(int key)
{
    static const KeyIndex index;
    if (key < 0 || key >= kDataKeyCount)
        return nullptr;
    const int i = index.position[static_cast<std::size_t>(key)];
    return i < 0 ? nullptr : &kSettings[i];
}

bool IsInSettingRange(SettingRange range, double value)
{
    switch (range) {
    case SettingRange::Any:
        return true;
    case SettingRange::Positive:
        return value > 0;
    case SettingRange::NonNegative:
        return value >= 0;
    case SettingRange::AtLeastOne:
        return value >= 1;
    case SettingRange::ZeroOrOne:
        return value == 0 || value == 1;
    }
    return false;
}

double SettingResetValue(const SettingValue& value, const ParameterSet& parameters)
{
    if (value.integerDefault)
        return parameters.*value.integerDefault;
    if (value.realDefault)
        return parameters.*value.realDefault;
    return value.reset;
}

void ResetSettings(ModelStore& m, const ParameterSet& parameters)
{
    for (const SettingKey& s : kSettings)
        for (const SettingValue& v : s.values) {
            if (v.integer)
                m.*v.integer = static_cast<std::int32_t>(SettingResetValue(v, parameters));
            else if (v.real)
                m.*v.real = static_cast<float>(SettingResetValue(v, parameters));
        }
}

} // namespace gelmar
