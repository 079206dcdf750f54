// Writer of the Gelmar data file, the inverse of the reader: settings, grid,
// colours, blocks and lists, each count or selector before the keys that
// depend on it, values before their function names, numbers in their
// shortest exact form.
#include "common/core/TextFileWriter.h"
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/Text1252.h"

#include <charconv>
#include <string_view>
#include <type_traits>

namespace gelmar {

namespace {

// Longest text value after a five-character key on a 255-character line.
constexpr std::size_t kMaxTextValue = 250;

class Writer {
  public:
    explicit Writer(const ModelStore& m) : m_model(m) {}
    const common::TextFileWriter& Format();

  private:
    // A key and its values, separated by blanks; the line is built in a
    // local buffer and appended whole (these lines are short: at most nine
    // numbers).
    template <typename... Values> void Line(const char* key, Values... values)
    {
        static_assert(sizeof...(Values) <= 9);
        char buf[5 + 9 * 32 + 2];
        char* p = buf;
        for (const char* k = key; *k; ++k)
            *p++ = *k;
        bool first = true;
        ((first ? void(first = false) : void(*p++ = ' '), p = Value(p, values)), ...);
        *p++ = '\r';
        *p++ = '\n';
        m_out.Put(std::string_view(buf, static_cast<std::size_t>(p - buf)));
    }
    template <typename T> static char* Value(char* p, T v)
    {
        if constexpr (std::is_floating_point_v<T>)
            return std::to_chars(p, p + 32, v).ptr; // shortest exact form
        else
            return PutInt(p, static_cast<long long>(v));
    }
    // Decimal digits of an integer (most are short indices).
    static char* PutInt(char* p, long long v)
    {
        unsigned long long u = static_cast<unsigned long long>(v);
        if (v < 0) {
            *p++ = '-';
            u = 0ULL - u;
        }
        if (u >= 100000) // rare: the library's general path
            return std::to_chars(p, p + 24, u).ptr;
        // Five digits at most: count them, then fill from the right.
        unsigned int w = static_cast<unsigned int>(u);
        const int n = w >= 10000 ? 5 : w >= 1000 ? 4 : w >= 100 ? 3 : w >= 10 ? 2 : 1;
        for (int i = n - 1; i >= 0; --i) {
            p[i] = static_cast<char>('0' + w % 10);
            w /= 10;
        }
        return p + n;
    }
    void Int(const char* key, long long v) { Line(key, v); }
    void Real(const char* key, float v) { Line(key, v); }
    // A text value, cut so that its line stays within the reader's limit.
    void Text(const char* key, const std::string& utf8)
    {
        std::string bytes = platform::Utf8ToCp1252(utf8);
        if (bytes.size() > kMaxTextValue)
            bytes.resize(kMaxTextValue);
        m_out.Put(key);
        m_out.Put(bytes);
        m_out.EndLine();
    }
    void Func(const char* key, const FunctionName& name, const char* resetValue)
    {
        if (!(name == FunctionName(resetValue)))
            Text(key, std::string(name.View()));
    }

    void Title();
    void Settings();
    void Grid();
    void Colours();
    void Blocks();
    void Lists();
    void Functions();
    void Controls();
    void Output();

    const ModelStore& m_model;
    common::TextFileWriter m_out;
};

const common::TextFileWriter& Writer::Format()
{
    // Room for the usual lines of the grid and the blocks.
    const ModelStore& m = m_model;
    m_out.Reserve(16 * (std::size_t{m.axes[0].n} + m.axes[1].n + m.axes[2].n) +
                  40 * std::size_t{m.blocks.count} + 65536);
    Title();
    Settings();
    Grid();
    Colours();
    Blocks();
    Lists();
    Functions();
    Controls();
    Output();
    return m_out;
}

void Writer::Title()
{
    // Carriage returns and line feeds travel as grave accents and tildes, and
    // a long title is split over several lines that the reader joins again.
    std::string bytes = platform::Utf8ToCp1252(m_model.title);
    for (char& c : bytes)
        c = c == '\r' ? '`' : c == '\n' ? '~' : c;
    for (std::size_t p = 0; p < bytes.size(); p += kMaxTextValue) {
        m_out.Put("titl=");
        m_out.Put(std::string_view(bytes).substr(p, kMaxTextValue));
        m_out.EndLine();
    }
}

void Writer::Settings()
{
    const ModelStore& m = m_model;
    // Settings whose reset value comes from the parameter file are always
    // written, so the file does not depend on the machine's defaults; values
    // that the reader would refuse are left out.
    if (m.gridUnit > 0)
        Real("grun=", m.gridUnit);
    if (m.linearRadiation == 0 || m.linearRadiation == 1)
        Int("linr=", m.linearRadiation);
    if (m.recalcCen == 0 || m.recalcCen == 1)
        Int("ccen=", m.recalcCen);
    const std::pair<const char*, float> nonNegative[] = {
        {"hrbl=", m.hrBlack},           {"vwfc=", m.minViewFactor},
        {"mxdt=", m.maxDeltaT},         {"mxod=", m.maxObjectDivergence},
        {"mxnd=", m.maxNodeDivergence}, {"dtas=", m.airspaceDeltaT}};
    for (const auto& [key, v] : nonNegative)
        if (v >= 0)
            Real(key, v);
    for (const auto& [key, v] :
         {std::pair{"rays=", m.rays}, std::pair{"cycl=", m.cycles}, std::pair{"iter=", m.iterations}})
        if (v >= 1)
            Int(key, v);
    for (const auto& [key, v] :
         {std::pair{"tmin=", m.tmin}, std::pair{"tmax=", m.tmax}, std::pair{"tin1=", m.tin1},
          std::pair{"tin2=", m.tin2}, std::pair{"tsin=", m.tsin}, std::pair{"qmin=", m.qmin},
          std::pair{"qmax=", m.qmax}, std::pair{"qin1=", m.qin1}, std::pair{"qin2=", m.qin2}})
        Real(key, v);

    // The other settings where they differ from what a reset gives.
    if (m.rcl == 1)
        Int("rcls=", 1);
    if (m.viewAzimuth != 30.0f || m.viewAltitude != 30.0f)
        Line("vwpt=", m.viewAzimuth, m.viewAltitude);
    if (m.timeStep != 600 && m.timeStep >= 1)
        Int("step=", m.timeStep);
    if (m.startupDuration != 0 && m.startupDuration >= 0)
        Int("prec=", m.startupDuration);
    if (m.calcDuration != 86400 && m.calcDuration >= 0)
        Int("calc=", m.calcDuration);
    if (m.day0 != 1 && m.day0 >= 1)
        Int("day0=", m.day0);
    if ((m.saveResults != 0 || m.saveFrequency != 1) && (m.saveResults == 0 || m.saveResults == 1) &&
        m.saveFrequency >= 1)
        Line("save=", m.saveResults, m.saveFrequency);
    if (m.reportFrequency != 1)
        Int("rptf=", m.reportFrequency);
    const std::pair<const char*, std::pair<float, float>> located[] = {
        {"lati=", {m.latitude, 50.78f}},   {"long=", {m.longitude, 4.37f}},
        {"timz=", {m.timeZone, 1.0f}},     {"refg=", {m.groundReflection, 0.2f}},
        {"rt1z=", {m.rot1z, 0.0f}},        {"rt2x=", {m.rot2x, 0.0f}},
        {"rt3z=", {m.rot3z, 0.0f}},        {"azno=", {m.azimuthNorth, 0.0f}},
        {"alno=", {m.altitudeNorth, 0.0f}}};
    for (const auto& [key, v] : located)
        if (v.first != v.second)
            Real(key, v.first);
}

void Writer::Grid()
{
    static const char* const kCount[3] = {"nxwi=", "nywi=", "nzwi="};
    static const char* const kWidth[3] = {"xwid=", "ywid=", "zwid="};
    for (int k = 0; k < 3; ++k) {
        const GridAxis& a = m_model.axes[static_cast<std::size_t>(k)];
        if (a.n == 0)
            continue;
        Int(kCount[k], a.n);
        for (std::size_t i = 0; i < a.n; ++i)
            Real(kWidth[k], a.widths[i]);
    }
}

void Writer::Colours()
{
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m_model.colours[static_cast<std::size_t>(n)];
        if (!c.inUse)
            continue;
        // A colour keeps values of an earlier model, so every value is written.
        Int("colr=", n);
        Line("crgb=", c.red, c.green, c.blue);
        Int("type=", c.type);
        Int("rule=", c.rule);
        if (!c.name.empty())
            Text("name=", c.name);
        Int("patt=", c.pattern);
        Real("lamb=", c.lambda);
        Real("epsi=", c.epsilon);
        Real("ro  =", c.density);
        Real("c   =", c.heatCapacity);
        Real("temp=", c.temperature);
        Real("hglo=", c.hGlobal);
        Real("flux=", c.flux);
        Real("tair=", c.airTemperature);
        Real("hcon=", c.hConvective);
        Real("qcon=", c.qConvective);
        Real("trad=", c.radiantTemperature);
        Real("con1=", c.con1);
        Real("con2=", c.con2);
        Real("con3=", c.con3);
        Int("solz=", c.solar);
        Real("refs=", c.solarReflection);
        Real("tras=", c.solarTransmission);
        Func("lafu=", c.lambdaFunc, "L00");
        Func("lmfu=", c.lambda2Func, "M00");
        Func("cefu=", c.heatCapacityFunc, "C00");
        Func("tmpf=", c.temperatureFunc, "T00");
        Func("hgfu=", c.hGlobalFunc, "H00");
        Func("flxf=", c.fluxFunc, "I00");
        Func("tafu=", c.airTemperatureFunc, "T00");
        Func("hcfu=", c.hConvectiveFunc, "H00");
        Func("pcfu=", c.qConvectiveFunc, "P00");
        Func("trfu=", c.radiantTemperatureFunc, "T00");
        Func("rffu=", c.reflectionFunc, "R00");
        Func("tsfu=", c.transmissionFunc, "S00");
        Func("emfu=", c.emissivityFunc, "E00");
    }
    for (int n = 0; n < kColourCount; ++n)
        if (m_model.colours[static_cast<std::size_t>(n)].unlinked)
            Int("unlk=", n);
}

void Writer::Blocks()
{
    const ModelStore& m = m_model;
    if (m.blocks.count == 0)
        return;
    Int("nblk=", m.blocks.count);
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        Line("blok=", static_cast<long long>(b), r.colour, r.x1, r.x2, r.y1, r.y2, r.z1, r.z2);
    }
}

void Writer::Lists()
{
    const ModelStore& m = m_model;
    if (m.nodeBcs.count > 0)
        Int("nnbc=", m.nodeBcs.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.nodeBcs.count); ++n) {
        const NodeBcRecord& r = m.nodeBcs[n];
        Line("nbcd=", static_cast<long long>(n), r.i, r.j, r.k);
        if (r.type != 0)
            Int("nbty=", r.type);
        if (r.temperature != 0)
            Real("nbte=", r.temperature);
        if (r.power != 0)
            Real("nbpo=", r.power);
        Func("nbtf=", r.temperatureFunc, "T00");
        Func("nbpf=", r.powerFunc, "P00");
    }
    if (m.borderBcs.count > 0)
        Int("nbor=", m.borderBcs.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.borderBcs.count); ++n) {
        const BorderFaceBcRecord& r = m.borderBcs[n];
        Int("bori=", static_cast<long long>(n));
        if (r.colour1 != -1)
            Int("bor1=", r.colour1);
        if (r.colour2 != -1)
            Int("bor2=", r.colour2);
        if (r.type != 0)
            Int("bory=", r.type);
        if (r.temperature != 0)
            Real("bort=", r.temperature);
        if (r.flux != 0)
            Real("borq=", r.flux);
        Func("botf=", r.temperatureFunc, "T00");
        Func("boqf=", r.fluxFunc, "I00");
    }
    if (m.materialBcs.count > 0)
        Int("nmat=", m.materialBcs.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.materialBcs.count); ++n) {
        const MaterialBcRecord& r = m.materialBcs[n];
        Int("mati=", static_cast<long long>(n));
        if (r.colour != -1)
            Int("matc=", r.colour);
        if (r.type != 0)
            Int("maty=", r.type);
        if (r.temperature != 0)
            Real("matt=", r.temperature);
        if (r.power != 0)
            Real("matp=", r.power);
        Func("matf=", r.temperatureFunc, "T00");
        Func("mapf=", r.powerFunc, "P00");
    }
}

void Writer::Functions()
{
    const ModelStore& m = m_model;
    for (std::size_t n = 0; n < m.functions.count; ++n) {
        const FunctionRecord& f = m.functions[n];
        Line("funt=", static_cast<long long>(n + 1), f.shape);
        Text("funr=", std::string(f.name.View()));
        if (!f.filePath.empty())
            Text("funn=", f.filePath);
        Line("funp=", f.params[0], f.params[1], f.params[2], f.params[3], f.params[4], f.params[5]);
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.ventFlowCount); ++n) {
        const VentilationFlowRecord& v = m.ventFlows[n];
        Line("vent=", v.colourFrom, v.colourTo);
        if (v.flow != 0)
            Real("veco=", v.flow);
        Func("vefl=", v.flowFunc, "V00");
    }
}

void Writer::Controls()
{
    const ModelStore& m = m_model;
    if (m.controls.count > 0)
        Int("nctr=", m.controls.count);
    const ControlRecord reset;
    for (std::size_t n = 0; n < m.controls.count; ++n) {
        const ControlRecord& c = m.controls[n];
        Int("ctrl=", static_cast<long long>(n));
        if (c.sensor != reset.sensor)
            Int("csen=", c.sensor);
        if (!(c.targetFunc == reset.targetFunc))
            Text("ctgf=", std::string(c.targetFunc.View()));
        if (c.sensitivityUp != reset.sensitivityUp)
            Real("cstu=", c.sensitivityUp);
        if (c.sensitivityDown != reset.sensitivityDown)
            Real("cstd=", c.sensitivityDown);
        if (c.purpose != reset.purpose)
            Int("cpur=", c.purpose);
        if (c.timeOn != reset.timeOn)
            Real("cdto=", c.timeOn);
        if (c.timeOff != reset.timeOff)
            Real("cdtf=", c.timeOff);
        if (!(c.offFunc == reset.offFunc))
            Text("csrf=", std::string(c.offFunc.View()));
        if (!(c.onFunc == reset.onFunc))
            Text("cdsf=", std::string(c.onFunc.View()));
        if (c.testDeltaT != reset.testDeltaT)
            Int("ctdt=", c.testDeltaT);
        if (c.deltaT != reset.deltaT)
            Real("cdtp=", c.deltaT);
        if (c.zone1 != reset.zone1)
            Int("czn1=", c.zone1);
        if (c.zone2 != reset.zone2)
            Int("czn2=", c.zone2);
    }
}

void Writer::Output()
{
    const ModelStore& m = m_model;
    if (m.outputNodes.count > 0)
        Int("nond=", m.outputNodes.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.outputNodes.count); ++n) {
        const OutputNodeRecord& r = m.outputNodes[n];
        Line("onod=", static_cast<long long>(n), r.i, r.j, r.k);
    }
    if (m.outputBlocks.count > 0)
        Int("nobl=", m.outputBlocks.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.outputBlocks.count); ++n) {
        const OutputBlockRecord& r = m.outputBlocks[n];
        Line("oblk=", static_cast<long long>(n), r.i1, r.i2, r.j1, r.j2, r.k1, r.k2);
    }
    if (m.reportItems.count > 0)
        Int("nrpt=", m.reportItems.count);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.reportItems.count); ++n) {
        const ReportItemRecord& r = m.reportItems[n];
        Line("rept=", static_cast<long long>(n), r.kind, r.number, r.subKind, r.width, r.decimals);
    }
    // A reset leaves one obstacle, so the count is always written.
    Int("nsob=", m.sunObstacleCount);
    for (std::size_t n = 0; n < static_cast<std::size_t>(m.sunObstacleCount); ++n) {
        const SunObstacleRecord& s = m.sunObstacles[n];
        Line("sobs=", static_cast<long long>(n), s.azimuthFrom, s.azimuthTo, s.altitudeFrom, s.altitudeTo);
    }
}

} // namespace

std::string FormatDataFile(const ModelStore& m)
{
    Writer writer(m);
    return writer.Format().Bytes();
}

bool WriteDataFile(const ModelStore& m, const std::string& path)
{
    Writer writer(m);
    return writer.Format().Save(path);
}

} // namespace gelmar
