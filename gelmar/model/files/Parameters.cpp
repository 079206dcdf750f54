// Reading and writing the parameter file "Gelmar.prm".
#include "gelmar/model/files/Parameters.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/core/TextFileWriter.h"
#include "gelmar/model/store/ColourScale.h"

#include <cmath>
#include <string_view>

namespace gelmar {

namespace {

struct ParameterKey {
    const char* key;
    float ParameterSet::*real;
    std::int32_t ParameterSet::*integer;
};

// The reader's key table, in its order.
constexpr std::string_view kReadKeys = "grun=linr=hrbl=vwfc=rays=ccen=cycl=iter=mxdt=mxod=mxnd=lang="
                                       "tmin=tmax=tin1=tin2=qmin=qmax=qin1=qin2=lcob=lcgr=lct1=lct2="
                                       "lcq1=lcq2=lwob=lwgr=lwt1=lwt2=lwq1=lwq2=dect=decq=decv=dtas="
                                       "drag=ltxt=tras=diss=rats=tsin=lcts=lwts=imgw=imgh=imgf=";

#define REAL(k)                                                                                              \
    ParameterKey                                                                                             \
    {                                                                                                        \
#k, &ParameterSet::k, nullptr                                                                        \
    }
#define INTEGER(k)                                                                                           \
    ParameterKey                                                                                             \
    {                                                                                                        \
#k, nullptr, &ParameterSet::k                                                                        \
    }
// Same order as kReadKeys.
const ParameterKey kReadTable[] = {
    REAL(grun),    INTEGER(linr), REAL(hrbl),    REAL(vwfc),    INTEGER(rays), INTEGER(ccen), INTEGER(cycl),
    INTEGER(iter), REAL(mxdt),    REAL(mxod),    REAL(mxnd),    INTEGER(lang), REAL(tmin),    REAL(tmax),
    REAL(tin1),    REAL(tin2),    REAL(qmin),    REAL(qmax),    REAL(qin1),    REAL(qin2),    INTEGER(lcob),
    INTEGER(lcgr), INTEGER(lct1), INTEGER(lct2), INTEGER(lcq1), INTEGER(lcq2), INTEGER(lwob), INTEGER(lwgr),
    INTEGER(lwt1), INTEGER(lwt2), INTEGER(lwq1), INTEGER(lwq2), INTEGER(dect), INTEGER(decq), INTEGER(decv),
    REAL(dtas),    INTEGER(drag), INTEGER(ltxt), REAL(tras),    REAL(diss),    REAL(rats),    REAL(tsin),
    INTEGER(lcts), INTEGER(lwts), INTEGER(imgw), INTEGER(imgh), INTEGER(imgf),
};
// The writer's order.
const ParameterKey kWriteTable[] = {
    REAL(grun),    REAL(tras),    REAL(diss),    REAL(rats),    INTEGER(linr), REAL(hrbl),    REAL(vwfc),
    INTEGER(rays), INTEGER(ccen), REAL(dtas),    INTEGER(cycl), INTEGER(iter), REAL(mxdt),    REAL(mxod),
    REAL(mxnd),    REAL(tmin),    REAL(tmax),    REAL(tin1),    REAL(tin2),    REAL(tsin),    REAL(qmin),
    REAL(qmax),    REAL(qin1),    REAL(qin2),    INTEGER(lcob), INTEGER(lcgr), INTEGER(lct1), INTEGER(lct2),
    INTEGER(lcts), INTEGER(lcq1), INTEGER(lcq2), INTEGER(lwob), INTEGER(lwgr), INTEGER(lwt1), INTEGER(lwt2),
    INTEGER(lwts), INTEGER(lwq1), INTEGER(lwq2), INTEGER(dect), INTEGER(decq), INTEGER(decv), INTEGER(drag),
    INTEGER(ltxt), INTEGER(imgw), INTEGER(imgh), INTEGER(imgf), INTEGER(lang),
};
#undef REAL
#undef INTEGER
static_assert(std::size(kReadTable) == 47 && std::size(kWriteTable) == 47);

} // namespace

void ReadParameterFile(ParameterSet& parameters, CurrentOutputSettings& output,
                       const std::string& programFolder)
{
    common::KeywordLineReader reader;
    if (reader.Open(JoinPath(programFolder, kParameterFileName))) {
        int key = -1;
        for (common::LineStatus st;
             (st = reader.ReadKeywordLine(kReadKeys, 5, key)) != common::LineStatus::End;) {
            if (st != common::LineStatus::Line || key < 0)
                continue;
            const char* p = reader.Value();
            double v = 0;
            if (!common::ScanDouble(p, v))
                continue;
            const ParameterKey& k = kReadTable[key];
            if (k.real)
                parameters.*k.real = static_cast<float>(v);
            else if (std::fabs(v) < 2147483648.0)
                parameters.*k.integer = static_cast<std::int32_t>(v);
        }
    }
    output = {parameters.dect, parameters.decq, parameters.decv,
              parameters.imgw, parameters.imgh, parameters.imgf};
}

bool WriteParameterFile(const ParameterSet& parameters, const std::string& programFolder)
{
    common::TextFileWriter out;
    for (const ParameterKey& k : kWriteTable) {
        out.Put(k.key);
        out.Put("=");
        if (!k.real)
            out.Put(std::to_string(parameters.*k.integer));
        else if (std::string_view(k.key) == "dtas")
            out.Put(common::FormatFixed6(parameters.*k.real));
        else
            out.Put(common::FormatFloat(parameters.*k.real));
        out.EndLine();
    }
    return out.Save(JoinPath(programFolder, kParameterFileName));
}

} // namespace gelmar
