// The table of the model's settings.
#include "parven/model/store/SettingKeys.h"

namespace parven {

namespace {

using common::KeyWrite;
using common::ValueRange;
using S = ModelSettings;
using P = ProgramParameters;

constexpr common::KeyValue<S, P> Real(float S::*field, ValueRange range, double reset)
{
    return common::RealValue<S, P>(field, range, reset);
}
constexpr common::KeyValue<S, P> Real(float S::*field, ValueRange range, float P::*reset)
{
    return common::RealValue<S, P>(field, range, reset);
}
constexpr common::KeyValue<S, P> Int(std::int32_t S::*field, ValueRange range, double reset)
{
    return common::IntValue<S, P>(field, range, reset);
}
constexpr common::KeyValue<S, P> Int(std::int32_t S::*field, ValueRange range, std::int32_t P::*reset)
{
    return common::IntValue<S, P>(field, range, reset);
}

const SettingKey kSettings[] = {
    {"scal=", KeyWrite::Always, {Real(&S::scal, ValueRange::Positive, 0.01)}},
    {"reso=", KeyWrite::Always, {Real(&S::reso, ValueRange::Positive, 0.01)}},
    {"step=", KeyWrite::Always, {Real(&S::step, ValueRange::Positive, 1.0)}},
    {"axis=", KeyWrite::Always, {Real(&S::axis, ValueRange::Positive, 100.0)}},
    {"grcd=", KeyWrite::Always, {Int(&S::grcd, ValueRange::ZeroOrOne, 0.0)}},
    {"linr=", KeyWrite::Always, {Int(&S::linr, ValueRange::ZeroOrOne, &P::linr)}},
    {"hrbl=", KeyWrite::Always, {Real(&S::hrbl, ValueRange::NonNegative, &P::hrbl)}},
    {"cycl=", KeyWrite::Always, {Int(&S::cycl, ValueRange::AtLeastOne, &P::cycl)}},
    {"iter=", KeyWrite::Always, {Int(&S::iter, ValueRange::AtLeastOne, &P::iter)}},
    {"mxdt=", KeyWrite::Always, {Real(&S::mxdt, ValueRange::NonNegative, &P::mxdt)}},
    {"mxod=", KeyWrite::Always, {Real(&S::mxod, ValueRange::NonNegative, &P::mxod)}},
    {"mxnd=", KeyWrite::Always, {Real(&S::mxnd, ValueRange::NonNegative, &P::mxnd)}},
    {"mxdc=", KeyWrite::Always, {Real(&S::mxdc, ValueRange::NonNegative, &P::mxdc)}},
    {"ccen=", KeyWrite::Always, {Int(&S::ccen, ValueRange::ZeroOrOne, &P::ccen)}},
    {"dtas=", KeyWrite::Always, {Real(&S::dtas, ValueRange::NonNegative, &P::dtas)}},
    {"tmin=", KeyWrite::Always, {Real(&S::tmin, ValueRange::Any, &P::tmin)}},
    {"tmax=", KeyWrite::Always, {Real(&S::tmax, ValueRange::Any, &P::tmax)}},
    {"tin1=", KeyWrite::Always, {Real(&S::tin1, ValueRange::Any, &P::tin1)}},
    {"tin2=", KeyWrite::Always, {Real(&S::tin2, ValueRange::Any, &P::tin2)}},
    {"tsin=", KeyWrite::Always, {Real(&S::tsin, ValueRange::Any, &P::tsin)}},
    {"qmin=", KeyWrite::Always, {Real(&S::qmin, ValueRange::Any, &P::qmin)}},
    {"qmax=", KeyWrite::Always, {Real(&S::qmax, ValueRange::Any, &P::qmax)}},
    {"qin1=", KeyWrite::Always, {Real(&S::qin1, ValueRange::Any, &P::qin1)}},
    {"qin2=", KeyWrite::Always, {Real(&S::qin2, ValueRange::Any, &P::qin2)}},
    {"nofb=", KeyWrite::Always, {Int(&S::nofb, ValueRange::ZeroOrOne, 0.0)}},
    {"ligr=", KeyWrite::Always, {Int(&S::ligr, ValueRange::ZeroOrOne, 0.0)}},
    {"aufb=", KeyWrite::Always, {Int(&S::aufb, ValueRange::ZeroOrOne, 0.0)}},
    {"rptf=", KeyWrite::Always, {Int(&S::rptf, ValueRange::ZeroOrOne, 0.0)}},
    {"rptu=", KeyWrite::Always, {Int(&S::rptu, ValueRange::ZeroOrOne, 0.0)}},
    {"vwpt=", KeyWrite::Always,
     {Real(&S::viewAzimuth, ValueRange::Any, 30.0), Real(&S::viewAltitude, ValueRange::Any, 30.0)}},
};

} // namespace

std::span<const SettingKey> SettingKeys()
{
    return kSettings;
}

const SettingKey* FindSettingKey(std::string_view key)
{
    return common::FindKey(SettingKeys(), key);
}

void ResetSettings(ModelSettings& s, const ProgramParameters& defaults)
{
    common::ResetKeys(SettingKeys(), s, defaults);
}

} // namespace parven
