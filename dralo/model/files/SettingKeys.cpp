// The data file's setting tables.
#include "dralo/model/files/SettingKeys.h"

namespace dralo {

namespace {

using common::KeyWrite;
using common::ValueRange;
using P = ProgramParameters;
constexpr KeyWrite kAlways = KeyWrite::Always;
constexpr ValueRange kAny = ValueRange::Any, kPositive = ValueRange::Positive,
                     kNonNegative = ValueRange::NonNegative, kAtLeastOne = ValueRange::AtLeastOne;

template <class Record> constexpr auto I(std::int32_t Record::*field, ValueRange range, std::int32_t P::*reset)
{
    return common::IntValue<Record, P>(field, range, reset);
}
template <class Record> constexpr auto R(float Record::*field, ValueRange range, float P::*reset)
{
    return common::RealValue<Record, P>(field, range, reset);
}

using C = CalcParameters;
const CalcKey kCalc[] = {
    {"rays=", kAlways, {I(&C::rays, kNonNegative, &P::rays)}},
    {"cycl=", kAlways, {I(&C::cycl, kAtLeastOne, &P::cycl)}},
    {"iter=", kAlways, {I(&C::iter, kAtLeastOne, &P::iter)}},
    {"linr=", kAlways, {I(&C::linr, kAny, &P::linr)}},
    {"ccen=", kAlways, {I(&C::ccen, kAny, &P::ccen)}},
    {"usol=", kAlways, {I(&C::usol, kAny, &P::usol)}},
    {"bsym=", kAlways, {I(&C::bsym, kAny, &P::bsym)}},
    {"strm=", kAlways, {R(&C::strm, kNonNegative, &P::strm)}},
    {"hrbl=", kAlways, {R(&C::hrbl, kNonNegative, &P::hrbl)}},
    {"vwfc=", kAlways, {R(&C::vwfc, ValueRange::ZeroToOne, &P::vwfc)}},
    {"mxdt=", kAlways, {R(&C::mxdt, kNonNegative, &P::mxdt)}},
    {"mxod=", kAlways, {R(&C::mxod, ValueRange::ZeroTo300, &P::mxod)}},
    {"mxnd=", kAlways, {R(&C::mxnd, ValueRange::ZeroTo300, &P::mxnd)}},
    {"dtas=", kAlways, {R(&C::dtas, kNonNegative, &P::dtas)}},
};

using D = DisplaySettings;
const DisplayKey kDisplay[] = {
    {"crob=", kAlways, {I(&D::crob, kAny, &P::lcob)}},
    {"crgr=", kAlways, {I(&D::crgr, kAny, &P::lcgr)}},
    {"crt1=", kAlways, {I(&D::crt1, kAny, &P::lct1)}},
    {"crt2=", kAlways, {I(&D::crt2, kAny, &P::lct2)}},
    {"crq1=", kAlways, {I(&D::crq1, kAny, &P::lcq1)}},
    {"crq2=", kAlways, {I(&D::crq2, kAny, &P::lcq2)}},
    {"lcts=", kAlways, {I(&D::lcts, kAny, &P::lcts)}},
    {"wiob=", kAlways, {I(&D::wiob, kAtLeastOne, &P::lwob)}},
    {"wigr=", kAlways, {I(&D::wigr, kAtLeastOne, &P::lwgr)}},
    {"wit1=", kAlways, {I(&D::wit1, kNonNegative, &P::lwt1)}},
    {"wit2=", kAlways, {I(&D::wit2, kNonNegative, &P::lwt2)}},
    {"wiq1=", kAlways, {I(&D::wiq1, kNonNegative, &P::lwq1)}},
    {"wiq2=", kAlways, {I(&D::wiq2, kNonNegative, &P::lwq2)}},
    {"lwts=", kAlways, {I(&D::lwts, kNonNegative, &P::lwts)}},
    {"tmin=", kAlways, {R(&D::tmin, kAny, &P::tmin)}},
    {"tmax=", kAlways, {R(&D::tmax, kAny, &P::tmax)}},
    {"tin1=", kAlways, {R(&D::tin1, kPositive, &P::tin1)}},
    {"tin2=", kAlways, {R(&D::tin2, kPositive, &P::tin2)}},
    {"tsin=", kAlways, {R(&D::tsin, kAny, &P::tsin)}},
    {"qmin=", kAlways, {R(&D::qmin, kNonNegative, &P::qmin)}},
    {"qmax=", kAlways, {R(&D::qmax, kNonNegative, &P::qmax)}},
    {"qic1=", kAlways, {R(&D::qic1, kPositive, &P::qic1)}},
    {"qin1=", kAlways, {R(&D::qin1, kPositive, &P::qin1)}},
    {"qin2=", kAlways, {R(&D::qin2, kPositive, &P::qin2)}},
};

using S = ReportSettings;
constexpr auto RI(std::int32_t S::*field, ValueRange range, double reset)
{
    return common::IntValue<S>(field, range, reset);
}
// A value out of its range is skipped.
constexpr ReportKey Skipping(std::string_view key, common::KeyValue<S> value)
{
    return {key, kAlways, {value}, false, true};
}

const ReportKey kOptions[] = {
    {"rptf=", kAlways, {RI(&S::rptf, kAny, 0)}},
    {"rpsi=", kAlways, {RI(&S::rpsi, kAny, 0)}},
    {"rufr=", kAlways, {RI(&S::rufr, kAny, 0)}},
    {"flk1=", kAlways, {RI(&S::flk1, kAny, 1)}},
    {"flk2=", kAlways, {RI(&S::flk2, kAny, 0)}},
    {"pan1=", kAlways, {RI(&S::pan1, kAny, 1)}},
    {"pan2=", kAlways, {RI(&S::pan2, kAny, 0)}},
    Skipping("sid1=", RI(&S::sid1, kNonNegative, 0)),
    Skipping("dis1=", RI(&S::dis1, kAtLeastOne, 1)),
    Skipping("sid2=", RI(&S::sid2, kNonNegative, 1)),
    Skipping("dis2=", RI(&S::dis2, kAtLeastOne, 2)),
    Skipping("sidp=", RI(&S::sidp, kNonNegative, 0)),
    Skipping("dipa=", RI(&S::dipa, kAtLeastOne, 2)),
    Skipping("sip2=", RI(&S::sip2, kNonNegative, 1)),
    Skipping("dip2=", RI(&S::dip2, kAtLeastOne, 3)),
    Skipping("difr=", RI(&S::difr, kAtLeastOne, 1)),
};

const ReportKey kBorderU[] = {
    Skipping("ulfc=", common::RealValue<S>(&S::ulfc, kPositive)),
    Skipping("urfc=", common::RealValue<S>(&S::urfc, kPositive)),
    Skipping("utfc=", common::RealValue<S>(&S::utfc, kPositive)),
    Skipping("ubfc=", common::RealValue<S>(&S::ubfc, kPositive)),
};

} // namespace

std::span<const CalcKey> CalcKeys()
{
    return kCalc;
}

std::span<const DisplayKey> DisplayKeys()
{
    return kDisplay;
}

std::span<const ReportKey> ReportOptionKeys()
{
    return kOptions;
}

std::span<const ReportKey> BorderUKeys()
{
    return kBorderU;
}

void ApplyParameterDefaults(BitmapModel& m, const ProgramParameters& p)
{
    common::ResetKeys(CalcKeys(), m.calc, p);
    common::ResetKeys(DisplayKeys(), m.display, p);
}

} // namespace dralo
