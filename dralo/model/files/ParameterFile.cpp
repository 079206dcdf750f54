// Reading and writing "Dralo.prm".
#include "dralo/model/files/ParameterFile.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/core/TextFileWriter.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace dralo {

namespace {

constexpr std::string_view kKeys =
    "pixs=tris=linr=hrbl=vwfc=rays=ccen=cycl=iter=mxdt=mxod=mxnd=lang=tmin=tmax=tin1=tin2=qin1=qin2=lcob="
    "lcgr=lct1=lct2=lcq1=lcq2=lwob=lwgr=lwt1=lwt2=lwq1=lwq2=dect=decq=dtas=mbor=strm=qmin=qmax=qic1=grep="
    "imgw=imgh=imgf=imgt=cfrm=lahm=bsym=usol=crht=szcl=szpc=szgr=szig=szps=szcf=szcs=npxd=ccav=cext=cint="
    "tcav=ilef=inup=panl=tsin=lcts=lwts=";
constexpr std::size_t kKeyLength = 5;

std::string FolderFile(const std::string& folder)
{
    if (folder.empty() || folder.back() == '/')
        return folder + kParameterFileName;
    return folder + "/" + kParameterFileName;
}

// One value: false when the line does not parse or the value is outside
// what the key's model value accepts.
struct Value {
    double v = 0;
    bool Int(std::int32_t& out, double lo = std::numeric_limits<std::int32_t>::min(),
             double hi = std::numeric_limits<std::int32_t>::max()) const
    {
        const double t = std::trunc(v);
        if (t < lo || t > hi)
            return false;
        out = static_cast<std::int32_t>(t);
        return true;
    }
    bool Byte(std::uint8_t& out) const
    {
        std::int32_t i = 0;
        if (!Int(i, 0, 255))
            return false;
        out = static_cast<std::uint8_t>(i);
        return true;
    }
    bool Float(float& out, double lo = -std::numeric_limits<double>::infinity(), bool inclusive = true,
               double hi = std::numeric_limits<double>::infinity()) const
    {
        const float f = static_cast<float>(v);
        if (!std::isfinite(f) || f > hi || (inclusive ? f < lo : f <= lo))
            return false;
        out = f;
        return true;
    }
};

void Apply(int key, const Value& x, ProgramParameters& p)
{
    SplitZonesSettings& s = p.split;
    switch (key) {
    case 2: x.Int(p.linr); break;
    case 3: x.Float(p.hrbl, 0); break;
    case 4: x.Float(p.vwfc, 0, true, 1); break;
    case 5: x.Int(p.rays, 0); break;
    case 6: x.Int(p.ccen); break;
    case 7: x.Int(p.cycl, 1); break;
    case 8: x.Int(p.iter, 1); break;
    case 9: x.Float(p.mxdt, 0); break;
    case 10: x.Float(p.mxod, 0, true, 300); break;
    case 11: x.Float(p.mxnd, 0, true, 300); break;
    case 12: x.Int(p.lang); break;
    case 13: x.Float(p.tmin); break;
    case 14: x.Float(p.tmax); break;
    case 15: x.Float(p.tin1, 0, false); break;
    case 16: x.Float(p.tin2, 0, false); break;
    case 17: x.Float(p.qin1, 0, false); break;
    case 18: x.Float(p.qin2, 0, false); break;
    case 19: x.Int(p.lcob); break;
    case 20: x.Int(p.lcgr); break;
    case 21: x.Int(p.lct1); break;
    case 22: x.Int(p.lct2); break;
    case 23: x.Int(p.lcq1); break;
    case 24: x.Int(p.lcq2); break;
    case 25: x.Int(p.lwob, 1); break;
    case 26: x.Int(p.lwgr, 1); break;
    case 27: x.Int(p.lwt1, 0); break;
    case 28: x.Int(p.lwt2, 0); break;
    case 29: x.Int(p.lwq1, 0); break;
    case 30: x.Int(p.lwq2, 0); break;
    case 31: x.Int(p.dect); break;
    case 32: x.Int(p.decq); break;
    case 33: x.Float(p.dtas, 0); break;
    case 35: x.Float(p.strm, 0); break;
    case 36: x.Float(p.qmin, 0); break;
    case 37: x.Float(p.qmax, 0); break;
    case 38: x.Float(p.qic1, 0, false); break;
    case 40: x.Int(p.imgw); break;
    case 41: x.Int(p.imgh); break;
    case 42: x.Int(p.imgf); break;
    case 43: x.Int(p.imgt); break;
    case 44: x.Byte(p.cfrm); break;
    case 45: x.Float(p.lahm); break;
    case 46: x.Int(p.bsym); break;
    case 47: x.Int(p.usol); break;
    case 48: x.Byte(p.crht); break;
    case 49: x.Int(s.szcl); break;
    case 50: x.Int(s.szpc); break;
    case 51: x.Int(s.szgr); break;
    case 52: x.Int(s.szig); break;
    case 53: x.Int(s.szps); break;
    case 54: x.Byte(s.szcf); break;
    case 55: x.Byte(s.szcs); break;
    case 56: x.Int(p.npxd); break;
    case 57: x.Byte(p.ccav); break;
    case 58: x.Byte(p.cext); break;
    case 59: x.Byte(p.cint); break;
    case 60: x.Int(p.tcav); break;
    case 61: x.Int(p.ilef); break;
    case 62: x.Int(p.inup); break;
    case 63: x.Int(p.panl); break;
    case 64: x.Float(p.tsin); break;
    case 65: x.Int(p.lcts); break;
    case 66: x.Int(p.lwts, 0); break;
    default: break; // pixs, tris, mbor, grep
    }
}

} // namespace

bool ReadParameterFile(const std::string& programFolder, ProgramParameters& defaults, SessionSettings& session)
{
    common::KeywordLineReader reader;
    const bool read = reader.Open(FolderFile(programFolder));
    if (read) {
        int key = -1;
        for (;;) {
            const common::LineStatus st = reader.ReadKeywordLine(kKeys, kKeyLength, key);
            if (st == common::LineStatus::End)
                break;
            if (st == common::LineStatus::TooLong || key < 0)
                continue;
            const char* p = reader.Value();
            Value x;
            if (common::ScanDouble(p, x.v))
                Apply(key, x, defaults);
        }
        reader.Close();
    }
    session.dect = defaults.dect;
    session.decq = defaults.decq;
    session.imgw = defaults.imgw;
    session.imgh = defaults.imgh;
    session.imgf = defaults.imgf;
    session.imgt = defaults.imgt;
    session.split = defaults.split;
    return read;
}

std::string FormatParameterFile(const ProgramParameters& p)
{
    common::TextFileWriter f;
    auto general = [&f](const char* key, float v) {
        f.Put(key);
        f.Put(common::FormatGeneralExact(v));
        f.EndLine();
    };
    auto fixed = [&f](const char* key, float v) {
        f.Put(key);
        f.Put(common::FormatFixed6(v));
        f.EndLine();
    };
    auto integer = [&f](const char* key, long long v) {
        f.Put(key);
        f.Put(std::to_string(v));
        f.EndLine();
    };
    const SplitZonesSettings& s = p.split;
    general("strm=", p.strm);
    integer("linr=", p.linr);
    general("hrbl=", p.hrbl);
    general("vwfc=", p.vwfc);
    integer("rays=", p.rays);
    integer("ccen=", p.ccen);
    integer("usol=", p.usol);
    fixed("dtas=", p.dtas);
    integer("bsym=", p.bsym);
    integer("cycl=", p.cycl);
    integer("iter=", p.iter);
    general("mxdt=", p.mxdt);
    general("mxod=", p.mxod);
    general("mxnd=", p.mxnd);
    general("tmin=", p.tmin);
    general("tmax=", p.tmax);
    general("tin1=", p.tin1);
    general("tin2=", p.tin2);
    general("tsin=", p.tsin);
    general("qmin=", p.qmin);
    general("qmax=", p.qmax);
    general("qic1=", p.qic1);
    general("qin1=", p.qin1);
    general("qin2=", p.qin2);
    integer("lcob=", p.lcob);
    integer("lcgr=", p.lcgr);
    integer("lct1=", p.lct1);
    integer("lct2=", p.lct2);
    integer("lcts=", p.lcts);
    integer("lcq1=", p.lcq1);
    integer("lcq2=", p.lcq2);
    integer("lwob=", p.lwob);
    integer("lwgr=", p.lwgr);
    integer("lwt1=", p.lwt1);
    integer("lwt2=", p.lwt2);
    integer("lwts=", p.lwts);
    integer("lwq1=", p.lwq1);
    integer("lwq2=", p.lwq2);
    integer("dect=", p.dect);
    integer("decq=", p.decq);
    integer("imgw=", p.imgw);
    integer("imgh=", p.imgh);
    integer("imgf=", p.imgf);
    integer("imgt=", p.imgt);
    integer("npxd=", p.npxd);
    integer("ccav=", p.ccav);
    integer("cfrm=", p.cfrm);
    integer("cext=", p.cext);
    integer("cint=", p.cint);
    integer("crht=", p.crht);
    integer("tcav=", p.tcav);
    integer("ilef=", p.ilef);
    integer("inup=", p.inup);
    integer("panl=", p.panl);
    fixed("lahm=", p.lahm);
    integer("szcl=", s.szcl);
    integer("szpc=", s.szpc);
    integer("szgr=", s.szgr);
    integer("szig=", s.szig);
    integer("szps=", s.szps);
    integer("szcf=", s.szcf);
    integer("szcs=", s.szcs);
    integer("lang=", p.lang);
    return f.Bytes();
}

bool WriteParameterFile(const std::string& programFolder, const ProgramParameters& defaults)
{
    common::TextFileWriter f;
    f.Put(FormatParameterFile(defaults));
    return f.Save(FolderFile(programFolder));
}

} // namespace dralo
