// The table of the data file's scalar settings and the graphic-report line.
#include "novelk/model/files/Settings.h"

#include <array>

namespace novelk {

namespace {

constexpr std::array kKeys = {kRcls, kLinr, kHrbl, kVwfc, kRays, kCycl, kIter, kMxdt, kMxod,
                              kMxnd, kMxdc, kCcen, kDtas, kTmin, kTmax, kTin1, kTin2, kQmin,
                              kQmax, kQin1, kQin2, kTsin, kRptf, kRptp, kRptq, kRpte};

template <typename Store> SettingFieldOf<Store> Find(Store& m, DataKey key)
{
    using F = SettingFieldOf<Store>;
    const auto integer = [](auto& v, SettingCheck c) { return F{&v, nullptr, c}; };
    const auto real = [](auto& v, SettingCheck c) { return F{nullptr, &v, c}; };
    auto& c = m.calc;
    auto& o = m.output;
    auto& r = m.report;
    switch (key) {
    case kRcls:
        return integer(m.rcl, SettingCheck::Flag);
    case kLinr:
        return integer(c.linearRadiation, SettingCheck::Flag);
    case kHrbl:
        return real(c.hrBlack, SettingCheck::NonNegative);
    case kVwfc:
        return real(c.minViewFactor, SettingCheck::NonNegative);
    case kRays:
        return integer(c.rays, SettingCheck::AtLeastOne);
    case kCycl:
        return integer(c.cycles, SettingCheck::AtLeastOne);
    case kIter:
        return integer(c.iterations, SettingCheck::AtLeastOne);
    case kMxdt:
        return real(c.maxDeltaT, SettingCheck::NonNegative);
    case kMxod:
        return real(c.maxObjectDivergence, SettingCheck::NonNegative);
    case kMxnd:
        return real(c.maxNodeDivergence, SettingCheck::NonNegative);
    case kMxdc:
        return real(c.maxCycleChange, SettingCheck::NonNegative);
    case kCcen:
        return integer(c.recalcCen, SettingCheck::Flag);
    case kDtas:
        return real(c.airspaceDeltaT, SettingCheck::NonNegative);
    case kTmin:
        return real(o.tmin, SettingCheck::Any);
    case kTmax:
        return real(o.tmax, SettingCheck::Any);
    case kTin1:
        return real(o.tin1, SettingCheck::Any);
    case kTin2:
        return real(o.tin2, SettingCheck::Any);
    case kQmin:
        return real(o.qmin, SettingCheck::Any);
    case kQmax:
        return real(o.qmax, SettingCheck::Any);
    case kQin1:
        return real(o.qin1, SettingCheck::Any);
    case kQin2:
        return real(o.qin2, SettingCheck::Any);
    case kTsin:
        return real(o.tsin, SettingCheck::Any);
    case kRptf:
        return integer(r.temperatureFactor, SettingCheck::Flag);
    case kRptp:
        return integer(r.transmittanceP, SettingCheck::Flag);
    case kRptq:
        return integer(r.transmittanceQ, SettingCheck::Flag);
    case kRpte:
        return integer(r.elementU, SettingCheck::Flag);
    default:
        return F{};
    }
}

} // namespace

SettingField FindSetting(ModelStore& m, DataKey key)
{
    return Find(m, key);
}

ConstSettingField FindSetting(const ModelStore& m, DataKey key)
{
    return Find(m, key);
}

std::span<const DataKey> ScalarSettingKeys()
{
    return kKeys;
}

void SetGraphicReportEntry(GraphicReportEntry& e, int create, int projection, float azimuth, float altitude,
                           const int switches[4], int fill, int legend)
{
    std::uint8_t flags = e.flags & 0xC0;
    flags |= static_cast<std::uint8_t>(create & 1);
    for (int s = 0; s < 4; ++s)
        flags |= static_cast<std::uint8_t>((switches[s] & 1) << (s + 1));
    flags |= static_cast<std::uint8_t>((legend & 1) << 5);
    e.flags = flags;
    e.fill = static_cast<std::uint8_t>(fill);
    e.projection = static_cast<std::uint32_t>(projection);
    e.azimuth = azimuth;
    e.altitude = altitude;
}

GraphicReportValues GraphicReportValuesOf(const GraphicReportEntry& e)
{
    GraphicReportValues v{};
    v.create = e.flags & 1;
    // The projection travels as the signed number it was read as.
    v.projection = static_cast<std::int32_t>(e.projection);
    v.azimuth = e.azimuth;
    v.altitude = e.altitude;
    for (int s = 0; s < 4; ++s)
        v.switches[s] = (e.flags >> (s + 1)) & 1;
    v.fill = e.fill;
    v.legend = (e.flags >> 5) & 1;
    return v;
}

} // namespace novelk
