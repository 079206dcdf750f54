// Reading and writing "Novelk.prm".
#include "novelk/model/files/ParameterFile.h"

#include "common/core/ColourScale.h"
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/core/TextFileWriter.h"
#include "novelk/model/files/RealText.h"
#include "novelk/model/files/Settings.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace novelk {

namespace {

struct ParameterKey {
    const char* key;
    float ProgramParameters::*real;
    std::int32_t ProgramParameters::*integer;
};

#define REAL(k)                                                                                              \
    ParameterKey                                                                                             \
    {                                                                                                        \
#k, &ProgramParameters::k, nullptr                                                                   \
    }
#define INTEGER(k)                                                                                           \
    ParameterKey                                                                                             \
    {                                                                                                        \
#k, nullptr, &ProgramParameters::k                                                                   \
    }

// The reader's key table, in its order; `grep` (46) has a handler of its own.
constexpr std::string_view kReadKeys = "grun=linr=hrbl=vwfc=rays=ccen=cycl=iter=mxdt=mxod=mxnd=lang="
                                       "tmin=tmax=tin1=tin2=qmin=qmax=qin1=qin2=lcob=lcgr=lct1=lct2="
                                       "lcq1=lcq2=lwob=lwgr=lwt1=lwt2=lwq1=lwq2=dect=decq=decv=dtas="
                                       "drag=mxdc=exte=tras=diss=rats=imgw=imgh=imgf=imgt=grep=tsin="
                                       "lcts=lwts=";
constexpr int kGrepKey = 46;
const ParameterKey kReadTable[] = {
    REAL(grun),
    INTEGER(linr),
    REAL(hrbl),
    REAL(vwfc),
    INTEGER(rays),
    INTEGER(ccen),
    INTEGER(cycl),
    INTEGER(iter),
    REAL(mxdt),
    REAL(mxod),
    REAL(mxnd),
    INTEGER(lang),
    REAL(tmin),
    REAL(tmax),
    REAL(tin1),
    REAL(tin2),
    REAL(qmin),
    REAL(qmax),
    REAL(qin1),
    REAL(qin2),
    INTEGER(lcob),
    INTEGER(lcgr),
    INTEGER(lct1),
    INTEGER(lct2),
    INTEGER(lcq1),
    INTEGER(lcq2),
    INTEGER(lwob),
    INTEGER(lwgr),
    INTEGER(lwt1),
    INTEGER(lwt2),
    INTEGER(lwq1),
    INTEGER(lwq2),
    INTEGER(dect),
    INTEGER(decq),
    INTEGER(decv),
    REAL(dtas),
    INTEGER(drag),
    REAL(mxdc),
    INTEGER(exte),
    REAL(tras),
    REAL(diss),
    REAL(rats),
    INTEGER(imgw),
    INTEGER(imgh),
    INTEGER(imgf),
    INTEGER(imgt),
    ParameterKey{"grep", nullptr, nullptr},
    REAL(tsin),
    INTEGER(lcts),
    INTEGER(lwts),
};
// The writer's order (the `grep` lines follow).
const ParameterKey kWriteTable[] = {
    REAL(grun),    REAL(tras),    REAL(diss),    REAL(rats),    INTEGER(linr), REAL(hrbl),    REAL(vwfc),
    INTEGER(rays), INTEGER(ccen), REAL(dtas),    INTEGER(cycl), INTEGER(iter), REAL(mxdt),    REAL(mxdc),
    REAL(mxod),    REAL(mxnd),    REAL(tmin),    REAL(tmax),    REAL(tin1),    REAL(tin2),    REAL(tsin),
    REAL(qmin),    REAL(qmax),    REAL(qin1),    REAL(qin2),    INTEGER(lcob), INTEGER(lcgr), INTEGER(lct1),
    INTEGER(lct2), INTEGER(lcts), INTEGER(lcq1), INTEGER(lcq2), INTEGER(lwob), INTEGER(lwgr), INTEGER(lwt1),
    INTEGER(lwt2), INTEGER(lwts), INTEGER(lwq1), INTEGER(lwq2), INTEGER(dect), INTEGER(decq), INTEGER(decv),
    INTEGER(drag), INTEGER(exte), INTEGER(imgw), INTEGER(imgh), INTEGER(imgf), INTEGER(imgt), INTEGER(lang),
};
#undef REAL
#undef INTEGER
static_assert(std::size(kReadTable) == 50 && kReadKeys.size() == 50 * 5);
static_assert(std::size(kWriteTable) == 49);

// A default `grep` line: ten values or nothing.
bool ReadGraphicReportLine(const char* p, GraphicReportEntry& e)
{
    int create = 0, projection = 0, sw[4] = {}, fill = 0, legend = 0;
    float azimuth = 0, altitude = 0;
    if (!(common::ScanInt(p, create) && common::ScanInt(p, projection) && common::ScanFloat(p, azimuth) &&
          common::ScanFloat(p, altitude) && common::ScanInt(p, sw[0]) && common::ScanInt(p, sw[1]) &&
          common::ScanInt(p, sw[2]) && common::ScanInt(p, sw[3]) && common::ScanInt(p, fill) &&
          common::ScanInt(p, legend)))
        return false;
    SetGraphicReportEntry(e, create, projection, azimuth, altitude, sw, fill, legend);
    return true;
}

void PutNumber(common::TextFileWriter& out, std::int32_t v)
{
    char buf[16];
    out.Put(
        std::string_view(buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf)));
}

void PutNumber(common::TextFileWriter& out, float v)
{
    char buf[32];
    out.Put(std::string_view(buf, static_cast<std::size_t>(PutReal(buf, v) - buf)));
}

} // namespace

void ReadParameterFile(const std::string& programFolder, ProgramParameters& d, CurrentOutputSettings& current)
{
    ResetGraphicReportDefaults(d);
    common::KeywordLineReader reader;
    if (reader.Open(common::JoinPath(programFolder, kParameterFileName))) {
        int entries = 0;
        int key = -1;
        for (common::LineStatus st;
             (st = reader.ReadKeywordLine(kReadKeys, 5, key)) != common::LineStatus::End;) {
            if (st != common::LineStatus::Line || key < 0)
                continue;
            const char* p = reader.Value();
            if (key == kGrepKey) {
                if (entries < kGraphicReportEntries &&
                    ReadGraphicReportLine(p, d.graphicReport[static_cast<std::size_t>(entries)]))
                    ++entries;
                continue;
            }
            double v = 0;
            if (!common::ScanDouble(p, v))
                continue;
            const ParameterKey& k = kReadTable[key];
            // A value beyond the field's range is one that does not parse.
            if (k.real && std::fabs(v) <= 3.4028234663852886e38)
                d.*k.real = static_cast<float>(v);
            else if (k.integer && std::fabs(v) < 2147483648.0)
                d.*k.integer = static_cast<std::int32_t>(v);
        }
    }
    current = CurrentOutputSettings{d.dect, d.decq, d.decv, d.imgw, d.imgh, d.imgf, d.imgt};
}

bool WriteParameterFile(const std::string& programFolder, const ProgramParameters& d)
{
    common::TextFileWriter out;
    for (const ParameterKey& k : kWriteTable) {
        out.Put(k.key);
        out.Put("=");
        if (k.integer)
            PutNumber(out, d.*k.integer);
        else if (std::string_view(k.key) == "dtas")
            out.Put(common::FormatFixed6(d.*k.real));
        else
            PutNumber(out, d.*k.real);
        out.EndLine();
    }
    for (const GraphicReportEntry& e : d.graphicReport) {
        const GraphicReportValues v = GraphicReportValuesOf(e);
        out.Put("grep=");
        const int ints[] = {v.create, v.projection};
        PutNumber(out, ints[0]);
        out.Put(" ");
        PutNumber(out, ints[1]);
        for (float a : {v.azimuth, v.altitude}) {
            out.Put(" ");
            PutNumber(out, a);
        }
        for (int x : {v.switches[0], v.switches[1], v.switches[2], v.switches[3], v.fill, v.legend}) {
            out.Put(" ");
            PutNumber(out, x);
        }
        out.EndLine();
    }
    return out.Save(common::JoinPath(programFolder, kParameterFileName));
}

} // namespace novelk
