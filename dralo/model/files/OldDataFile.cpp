// Reader of the old data format.
#include "dralo/model/files/OldDataFile.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "dralo/model/files/DataFile.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/TempFiles.h"
#include "platform/core/Text1252.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace dralo {

namespace {

constexpr std::string_view kKeys =
    "bmp pix col con grs gr0 gr1 gr2 gr3 li0 li1 li2 al0 al1 ggs hrb rnl cc1 cc2 cc3 rcn icy str tit ";
constexpr std::size_t kKeyLength = 4;
enum OldKey {
    kBmp, kPix, kCol, kCon, kGrs, kGr0, kGr1, kGr2, kGr3, kLi0, kLi1, kLi2, kAl0, kAl1,
    kGgs, kHrb, kRnl, kCc1, kCc2, kCc3, kRcn, kIcy, kStr, kTit
};

// A number from 1e-21 to 1e-19 stands for "no value".
bool NoValue(float v)
{
    return v >= 1e-21f && v <= 1e-19f;
}

// Reads up to n floats; returns how many were read.
int Floats(const char*& p, float* out, int n)
{
    int k = 0;
    while (k < n && common::ScanFloat(p, out[k]))
        ++k;
    return k;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Stores v into field when it is a value and passes the check.
template <typename Check> void Keep(float v, float& field, Check check)
{
    if (!NoValue(v) && check(v))
        field = v;
}
bool Any(float)
{
    return true;
}
bool NotNegative(float v)
{
    return v >= 0;
}

} // namespace

void MapOldColourName(ColourRecord& c)
{
    static constexpr std::string_view kCavity[] = {"CEN_Xy_I", "CEN_Yx_I", "CEN_Xy_E", "CEN_Yx_E"};
    if (c.type == MATERIAL) {
        for (int i = 0; i < 4; ++i)
            if (EqualNoCase(c.name, kCavity[i])) {
                c.type = EQUIMAT;
                c.rule = i + 1;
                c.name.clear();
                return;
            }
    } else if (c.type == BC_FREE) {
        static constexpr std::string_view kFree[] = {"CEN_Xy_I", "CEN_Yx_I", "CEN_CON"};
        for (int i = 0; i < 3; ++i)
            if (EqualNoCase(c.name, kFree[i])) {
                c.rule = i + 1;
                c.name.clear();
                return;
            }
    } else if ((c.type == BC_SKY || c.type == BC_NOSKY) && EqualNoCase(c.name, "CEN_CON")) {
        c.rule = CEN_CON;
        c.name.clear();
    }
}

void ReadOldDataFile(BitmapModel& m, const std::string& path, const ProgramParameters& defaults,
                     const std::string& workFolder, EngineHost& host)
{
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        throw EngineError::FileOpen(path);
    RemoveTempFiles(workFolder);
    ResetModelForRead(m, defaults);
    std::string title; // code page 850 until the end
    int current = -1;  // the colour of the last colour line
    int key = -1;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine(kKeys, kKeyLength, key);
        if (st == common::LineStatus::End)
            break;
        if (st == common::LineStatus::TooLong) {
            host.MessageBox(SyntaxErrorText(path, reader.LineCounter()), MessageStyle::Ok);
            break;
        }
        if (key < 0)
            continue;
        const char* p = reader.Value();
        float f[7] = {};
        int i = 0;
        switch (key) {
        case kBmp:
            m.bitmapPath = BitmapPathBeside(path, platform::Cp850ToUtf8(reader.ValueView()));
            break;
        case kPix:
            if (Floats(p, f, 1) == 1 && f[0] > 0)
                m.pixs = f[0];
            break;
        case kCol: {
            int number = 0, kind = 0;
            if (!common::ScanInt(p, number) || !common::ScanInt(p, kind) || Floats(p, f, 5) != 5)
                break;
            if (number < 0 || number > 255 || kind < 0 || kind > 4)
                break;
            while (*p == ' ' || *p == '\t')
                ++p;
            ColourRecord& c = m.colours[static_cast<std::size_t>(number)];
            current = number;
            if (kind > 0)
                c.type = kind + 1; // BC_SIMPL, BC_FREE, BC_SKY, BC_NOSKY
            c.name = platform::Cp850ToUtf8(p);
            MapOldColourName(c);
            if (!NoValue(f[0]))
                c.patt = std::max(1, static_cast<int>(std::clamp(f[0], -1e9f, 1e9f)));
            Keep(f[1], c.lamb, NotNegative);
            Keep(f[2], c.temp, Any);
            Keep(f[3], c.hglo, NotNegative);
            Keep(f[4], c.flux, Any);
            break;
        }
        case kCon:
            if (current >= 0) {
                ColourRecord& c = m.colours[static_cast<std::size_t>(current)];
                const int n = Floats(p, f, 5);
                float* fields[5] = {&c.tair, &c.qcon, &c.hcon, &c.epsi, &c.trad};
                for (i = 0; i < n; ++i)
                    Keep(f[i], *fields[i], [i](float v) { return i == 2 ? v >= 0 : i == 3 ? v >= 0 && v <= 1 : true; });
            }
            break;
        case kGrs:
            if (current >= 0 && Floats(p, f, 1) == 1)
                Keep(f[0], m.colours[static_cast<std::size_t>(current)].tric, [](float v) { return v > 0; });
            break;
        case kGr2:
            if (Floats(p, f, 4) == 4 && f[2] > 0 && f[3] > 0) {
                m.display.tmin = f[0];
                m.display.tmax = f[1];
                m.display.tin1 = f[2];
                m.display.tin2 = f[3];
            }
            break;
        case kGr3:
            if (Floats(p, f, 2) == 2 && f[0] > 0 && f[1] > 0) {
                m.display.qin1 = f[0];
                m.display.qin2 = f[1];
            }
            break;
        case kGgs:
            if (Floats(p, f, 1) == 1 && f[0] > 0) {
                m.tris = f[0];
                for (ColourRecord& c : m.colours)
                    c.tric = f[0];
            }
            break;
        case kHrb:
            if (Floats(p, f, 1) == 1 && f[0] >= 0)
                m.calc.hrbl = f[0];
            break;
        case kRnl:
            if (common::ScanInt(p, i) && i > 0)
                m.calc.linr = 0;
            break;
        case kCc1:
        case kCc2:
        case kCc3:
            if (Floats(p, f, 1) == 1 && f[0] >= 0)
                for (ColourRecord& c : m.colours)
                    (key == kCc1 ? c.con1 : key == kCc2 ? c.con2 : c.con3) = f[0];
            break;
        case kRcn:
            if (common::ScanInt(p, i) && i > 0)
                m.calc.ccen = 1;
            break;
        case kIcy:
            if (common::ScanInt(p, i) && i > 0)
                m.calc.cycl = i;
            break;
        case kStr:
            if (Floats(p, f, 1) == 1 && f[0] >= 0)
                m.calc.strm = f[0];
            break;
        case kTit:
            title.append(reader.ValueView());
            title += "\r\n";
            break;
        default: // gr0, gr1, li0, li1, li2, al0, al1
            break;
        }
    }
    reader.Close();
    m.title = platform::Cp850ToUtf8(title);
}

} // namespace dralo
