// The derived-figure sections of the results report and their own files
// "_TFC.txt", "_PSI.txt" and "_UEL.txt".
#include "novelk/model/reports/ReportText.h"

#include <cctype>

namespace novelk::report {

namespace {

// The condensation line: the text's float fields take, in order, the
// relative humidity and ti ("%.*f" with the temperature decimals, "%.Nf"
// with N); "%%" is a percent sign; any other "%" stays as it is, so that a
// translated text cannot misuse the values.
std::string FormatCondensationLine(const std::string& format, double rh, double ti, int decimals)
{
    const double values[2] = {rh, ti};
    int next = 0;
    std::string out;
    for (std::size_t k = 0; k < format.size(); ++k) {
        if (format[k] != '%') {
            out += format[k];
            continue;
        }
        if (k + 1 < format.size() && format[k + 1] == '%') {
            out += '%';
            ++k;
            continue;
        }
        // "%f", "%.Nf" or "%.*f".
        std::size_t p = k + 1;
        int precision = 6;
        if (p < format.size() && format[p] == '.') {
            ++p;
            if (p < format.size() && format[p] == '*') {
                precision = decimals;
                ++p;
            } else {
                precision = 0;
                while (p < format.size() && std::isdigit(static_cast<unsigned char>(format[p])) &&
                       precision < 100)
                    precision = precision * 10 + (format[p++] - '0');
            }
        }
        if (p < format.size() && format[p] == 'f' && next < 2) {
            out += Fixed(values[next++], 0, precision);
            k = p;
        } else {
            out += '%';
        }
    }
    return out;
}

std::string EnvironmentLines(const ReportContext& r, const Environments& env)
{
    const int dt = r.decimals.temperature;
    return "  Q = " + Fixed(env.q, 0, 3) + " W\n" + "  ti = " + Fixed(env.ti, 0, dt) + "°C\n" +
           "  te = " + Fixed(env.te, 0, dt) + "°C\n";
}

std::string ULine(const ModelStore& m, int i, double u)
{
    return "  U" + Int(i + 1) + " = " + Fixed(u, 0, 3) + " W/(m².K)\n" +
           ClipRangeLine(m, m.elements[std::size_t(i)]);
}

std::string ALine(const ModelStore& m, int i, double a)
{
    return "  A" + Int(i + 1) + " = " + General(a) + " m²\n" + ClipRangeLine(m, m.areas[std::size_t(i)]);
}

// "(A1+A2+A3)", a pair or a single area: the areas above 0.
std::string AreaSumText(const Transmittance& t)
{
    const bool a1 = t.area[0] > 0, a2 = t.area[1] > 0, a3 = t.area[2] > 0;
    if (a1 && a2 && a3)
        return "(A1+A2+A3)";
    if (a1 && a2)
        return "(A1+A2)";
    if (a1 && a3)
        return "(A1+A3)";
    if (a2 && a3)
        return "(A2+A3)";
    if (a1)
        return "A1";
    if (a2)
        return "A2";
    return "A3";
}

} // namespace

std::string TemperatureFactorSection(ReportContext& r)
{
    RefreshAreasAndUValues(r.model);
    const TemperatureFactor f = ComputeDerivedFigures(r.model).factor;
    // Without te < ti the factor is undefined: nothing is written.
    if (!f.defined)
        return {};
    std::string s = Str(r, kStrTemperatureFactor) + " = " + Fixed(f.f, 0, 3) + "\n";
    if (f.h >= 0) {
        s += "  hi = " + Fixed(f.h, 0, 2) + " W/(m².K)\n";
        if (f.h > 0)
            s += "  Rsi = " + Fixed(1.0 / f.h, 0, 2) + " m².K/W\n";
    } else {
        s += "  " + Str(r, kStrHiBySurfaceModule) + "\n";
    }
    s += FormatCondensationLine(Str(r, kStrCondensation), f.relativeHumidity, f.ti, r.decimals.temperature) +
         "\n";
    return s;
}

std::string TransmittanceSection(ReportContext& r)
{
    RefreshAreasAndUValues(r.model);
    const DerivedFigures d = ComputeDerivedFigures(r.model);
    const Transmittance& t = d.transmittance;
    if (!t.defined)
        return {};
    const ModelStore& m = r.model;
    const bool psi = m.report.transmittanceP != 0;
    std::string terms;
    for (int i = 0; i < kAreaRecords; ++i)
        if (t.used[std::size_t(i)])
            terms += " - U" + Int(i + 1) + "*A" + Int(i + 1);
    std::string s;
    if (psi && t.anyUsed) {
        if (t.flatAxis >= 0)
            s += Str(r, kStrLinearTransmittance) + "\n" + "psi = (Q/(ti-te)" + terms +
                 ")/l = " + Fixed(t.psi, 0, 3) + " W/(m.K)\n";
        else
            s += Str(r, kStrSurplusTransmittance) + "\n" + "dL = Q/(ti-te)" + terms + " = " +
                 Fixed(t.deltaL, 0, 3) + " W/K\n";
    }
    if (m.report.transmittanceQ)
        s += Str(r, kStrEquivalentTransmittance) + "\n" + "Ueq = Q/((ti-te)*" + AreaSumText(t) +
             ") = " + Fixed(t.ueq, 0, 3) + " W/(m².K)\n";
    s += EnvironmentLines(r, d.env);
    for (int i = 0; i < kAreaRecords; ++i) {
        if (psi && t.used[std::size_t(i)])
            s += ULine(m, i, t.u[std::size_t(i)]);
        if (t.area[std::size_t(i)] > 0)
            s += ALine(m, i, t.area[std::size_t(i)]);
    }
    if (psi && t.anyUsed && t.flatAxis >= 0)
        s += "  l = " + General(t.length) + " m\n";
    return s;
}

std::string ElementUSection(ReportContext& r)
{
    RefreshAreasAndUValues(r.model);
    const DerivedFigures d = ComputeDerivedFigures(r.model);
    if (!d.element.defined)
        return {};
    const ModelStore& m = r.model;
    const Transmittance& t = d.transmittance;
    std::string s = m.report.elementName + " = (Q/(ti-te)";
    for (int i = 1; i < kAreaRecords; ++i)
        if (t.used[std::size_t(i)])
            s += " - U" + Int(i + 1) + "*A" + Int(i + 1);
    s += ")/A1 = " + Fixed(d.element.u, 0, 3) + " W/(m².K)\n";
    if (m.report.transmittanceQ)
        return s;
    s += EnvironmentLines(r, d.env);
    for (int i = 0; i < kAreaRecords; ++i) {
        if (i > 0 && t.used[std::size_t(i)])
            s += ULine(m, i, t.u[std::size_t(i)]);
        if (t.area[std::size_t(i)] > 0)
            s += ALine(m, i, t.area[std::size_t(i)]);
    }
    return s;
}

} // namespace novelk::report

namespace novelk {

bool WriteTemperatureFactorFile(ReportContext& r)
{
    return report::SaveReport(ReportFilePath(r.model.dataFilePath, "_TFC.txt"),
                              report::TemperatureFactorSection(r));
}

bool WritePsiFile(ReportContext& r)
{
    return report::SaveReport(ReportFilePath(r.model.dataFilePath, "_PSI.txt"),
                              report::TransmittanceSection(r));
}

bool WriteElementUFile(ReportContext& r)
{
    return report::SaveReport(ReportFilePath(r.model.dataFilePath, "_UEL.txt"), report::ElementUSection(r));
}

} // namespace novelk
