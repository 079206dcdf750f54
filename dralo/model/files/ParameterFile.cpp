// "Dralo.prm" over its key table.
#include "dralo/model/files/ParameterFile.h"

#include "common/core/ParameterLines.h"
#include "dralo/model/store/Errors.h"

#include <filesystem>

namespace dralo {

namespace {

using P = ProgramParameters;
using common::ValueRange;
using Key = common::KeyEntry<P>;

constexpr common::KeyValue<P> I(std::int32_t P::*field, ValueRange range = ValueRange::Any)
{
    return common::IntValue<P>(field, range);
}
constexpr common::KeyValue<P> R(float P::*field, ValueRange range = ValueRange::Any)
{
    return common::RealValue<P>(field, range);
}
constexpr common::KeyValue<P> F6(float P::*field, ValueRange range = ValueRange::Any)
{
    return common::RealValue<P>(field, range, 0, common::ValueForm::Fixed6);
}
constexpr common::KeyValue<P> B(std::uint8_t P::*field)
{
    return common::ByteValue<P>(field);
}

constexpr auto kAlways = common::KeyWrite::Always;
constexpr ValueRange kAny = ValueRange::Any, kPositive = ValueRange::Positive, kNonNegative = ValueRange::NonNegative,
                     kAtLeastOne = ValueRange::AtLeastOne;

const Key kKeys[] = {
    {"strm=", kAlways, {R(&P::strm, kNonNegative)}},
    {"linr=", kAlways, {I(&P::linr)}},
    {"hrbl=", kAlways, {R(&P::hrbl, kNonNegative)}},
    {"vwfc=", kAlways, {R(&P::vwfc, ValueRange::ZeroToOne)}},
    {"rays=", kAlways, {I(&P::rays, kNonNegative)}},
    {"ccen=", kAlways, {I(&P::ccen)}},
    {"usol=", kAlways, {I(&P::usol)}},
    {"dtas=", kAlways, {F6(&P::dtas, kNonNegative)}},
    {"bsym=", kAlways, {I(&P::bsym)}},
    {"cycl=", kAlways, {I(&P::cycl, kAtLeastOne)}},
    {"iter=", kAlways, {I(&P::iter, kAtLeastOne)}},
    {"mxdt=", kAlways, {R(&P::mxdt, kNonNegative)}},
    {"mxod=", kAlways, {R(&P::mxod, ValueRange::ZeroTo300)}},
    {"mxnd=", kAlways, {R(&P::mxnd, ValueRange::ZeroTo300)}},
    {"tmin=", kAlways, {R(&P::tmin)}},
    {"tmax=", kAlways, {R(&P::tmax)}},
    {"tin1=", kAlways, {R(&P::tin1, kPositive)}},
    {"tin2=", kAlways, {R(&P::tin2, kPositive)}},
    {"tsin=", kAlways, {R(&P::tsin)}},
    {"qmin=", kAlways, {R(&P::qmin, kNonNegative)}},
    {"qmax=", kAlways, {R(&P::qmax, kNonNegative)}},
    {"qic1=", kAlways, {R(&P::qic1, kPositive)}},
    {"qin1=", kAlways, {R(&P::qin1, kPositive)}},
    {"qin2=", kAlways, {R(&P::qin2, kPositive)}},
    {"lcob=", kAlways, {I(&P::lcob)}},
    {"lcgr=", kAlways, {I(&P::lcgr)}},
    {"lct1=", kAlways, {I(&P::lct1)}},
    {"lct2=", kAlways, {I(&P::lct2)}},
    {"lcts=", kAlways, {I(&P::lcts)}},
    {"lcq1=", kAlways, {I(&P::lcq1)}},
    {"lcq2=", kAlways, {I(&P::lcq2)}},
    {"lwob=", kAlways, {I(&P::lwob, kAtLeastOne)}},
    {"lwgr=", kAlways, {I(&P::lwgr, kAtLeastOne)}},
    {"lwt1=", kAlways, {I(&P::lwt1, kNonNegative)}},
    {"lwt2=", kAlways, {I(&P::lwt2, kNonNegative)}},
    {"lwts=", kAlways, {I(&P::lwts, kNonNegative)}},
    {"lwq1=", kAlways, {I(&P::lwq1, kNonNegative)}},
    {"lwq2=", kAlways, {I(&P::lwq2, kNonNegative)}},
    {"dect=", kAlways, {I(&P::dect)}},
    {"decq=", kAlways, {I(&P::decq)}},
    {"imgw=", kAlways, {I(&P::imgw)}},
    {"imgh=", kAlways, {I(&P::imgh)}},
    {"imgf=", kAlways, {I(&P::imgf)}},
    {"imgt=", kAlways, {I(&P::imgt)}},
    {"npxd=", kAlways, {I(&P::npxd)}},
    {"ccav=", kAlways, {B(&P::ccav)}},
    {"cfrm=", kAlways, {B(&P::cfrm)}},
    {"cext=", kAlways, {B(&P::cext)}},
    {"cint=", kAlways, {B(&P::cint)}},
    {"crht=", kAlways, {B(&P::crht)}},
    {"tcav=", kAlways, {I(&P::tcav)}},
    {"ilef=", kAlways, {I(&P::ilef)}},
    {"inup=", kAlways, {I(&P::inup)}},
    {"panl=", kAlways, {I(&P::panl)}},
    {"lahm=", kAlways, {F6(&P::lahm, kAny)}},
    {"szcl=", kAlways, {I(&P::szcl)}},
    {"szpc=", kAlways, {I(&P::szpc)}},
    {"szgr=", kAlways, {I(&P::szgr)}},
    {"szig=", kAlways, {I(&P::szig)}},
    {"szps=", kAlways, {I(&P::szps)}},
    {"szcf=", kAlways, {B(&P::szcf)}},
    {"szcs=", kAlways, {B(&P::szcs)}},
    {"lang=", kAlways, {I(&P::lang)}},
};

std::string FolderFile(const std::string& folder)
{
    return (std::filesystem::path(folder) / kParameterFileName).string();
}

} // namespace

std::span<const common::KeyEntry<ProgramParameters>> ParameterKeys()
{
    return kKeys;
}

void ReadParameterFile(ProgramParameters& parameters, SessionSettings& session, const std::string& programFolder)
{
    const std::string path = FolderFile(programFolder);
    if (!common::ReadParameterLines(path, ParameterKeys(), parameters))
        throw EngineError::FileOpen(path);
    TakeSessionSettings(session, parameters);
}

std::string FormatParameterFile(const ProgramParameters& parameters)
{
    common::KeyedLineWriter out(common::RealForm::GeneralExact);
    for (const Key& e : kKeys)
        common::WriteKeyLine(out, e, parameters, parameters);
    return out.Bytes();
}

bool WriteParameterFile(const ProgramParameters& parameters, const std::string& programFolder)
{
    return common::WriteParameterLines(FolderFile(programFolder), ParameterKeys(), parameters,
                                       common::RealForm::GeneralExact);
}

} // namespace dralo
