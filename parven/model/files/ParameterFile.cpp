// The key table of "Parven.prm".
#include "parven/model/files/ParameterFile.h"

#include "common/core/ColourScale.h"
#include "common/core/ParameterLines.h"

namespace parven {

namespace {

using common::KeyWrite;
using common::ValueRange;
using P = ProgramParameters;
using Entry = common::KeyEntry<P>;

constexpr Entry Real(std::string_view key, float P::*field, common::ValueForm form = common::ValueForm::Real)
{
    return {key, KeyWrite::Always, {common::RealValue<P>(field, ValueRange::Any, 0, form)}};
}
constexpr Entry Int(std::string_view key, std::int32_t P::*field)
{
    return {key, KeyWrite::Always, {common::IntValue<P>(field, ValueRange::Any)}};
}

// In the order the file is written; "vwfc=" and "rays=", which older files
// hold, are no longer read.
const Entry kParameters[] = {
    Real("tras=", &P::tras), Real("diss=", &P::diss), Real("rats=", &P::rats), Int("linr=", &P::linr),
    Real("hrbl=", &P::hrbl), Int("ccen=", &P::ccen), Real("dtas=", &P::dtas, common::ValueForm::Fixed6),
    Int("cycl=", &P::cycl), Int("iter=", &P::iter), Real("mxdt=", &P::mxdt), Real("mxdc=", &P::mxdc),
    Real("mxod=", &P::mxod), Real("mxnd=", &P::mxnd), Real("tmin=", &P::tmin), Real("tmax=", &P::tmax),
    Real("tin1=", &P::tin1), Real("tin2=", &P::tin2), Real("tsin=", &P::tsin), Real("qmin=", &P::qmin),
    Real("qmax=", &P::qmax), Real("qin1=", &P::qin1), Real("qin2=", &P::qin2), Int("lcob=", &P::lcob),
    Int("lcgr=", &P::lcgr), Int("lct1=", &P::lct1), Int("lct2=", &P::lct2), Int("lcts=", &P::lcts),
    Int("lcq1=", &P::lcq1), Int("lcq2=", &P::lcq2), Int("lwob=", &P::lwob), Int("lwgr=", &P::lwgr),
    Int("lwt1=", &P::lwt1), Int("lwt2=", &P::lwt2), Int("lwts=", &P::lwts), Int("lwq1=", &P::lwq1),
    Int("lwq2=", &P::lwq2), Int("dect=", &P::dect), Int("decq=", &P::decq), Int("decv=", &P::decv),
    Int("drag=", &P::drag), Int("imgw=", &P::imgw), Int("imgh=", &P::imgh), Int("imgf=", &P::imgf),
    Int("imgt=", &P::imgt), Int("lang=", &P::lang),
};

std::string FilePath(const std::string& programFolder)
{
    return common::JoinPath(programFolder, "Parven.prm");
}

} // namespace

void ReadParameterFile(const std::string& programFolder, ProgramParameters& defaults,
                       CurrentOutputSettings& output)
{
    common::ReadParameterLines<P>(FilePath(programFolder), kParameters, defaults, {}, {},
                                  common::LeadingSpaces::Skip);
    output = {defaults.dect, defaults.decq, defaults.decv, defaults.imgw, defaults.imgh, defaults.imgf, defaults.imgt};
}

bool WriteParameterFile(const std::string& programFolder, const ProgramParameters& defaults)
{
    return common::WriteParameterLines<P>(FilePath(programFolder), kParameters, defaults,
                                          common::RealForm::GeneralExact);
}

} // namespace parven
