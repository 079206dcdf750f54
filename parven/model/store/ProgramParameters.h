// The program-wide defaults of Parven ("Parven.prm" in the program folder):
// the calculation defaults and output ranges that every model reset starts
// from, the line styles of the graphic output, the decimals of the listings,
// the drag mode, the language, the Auto Mesh Generation values and the image
// settings. Each field carries its file key's name; whole-number keys are
// 32-bit integers, the others floats. Colours are COLORREF integers (red in
// the low byte).
#pragma once
#include <cstdint>

namespace parven {

struct ProgramParameters {
    std::int32_t linr = 1;     // radiation linear (1) or non-linear (0)
    float hrbl = 5.1f;         // black radiation coefficient for linear radiation, W/(m².K)
    std::int32_t cycl = 5;     // most iteration cycles
    std::int32_t iter = 10000; // most iterations within a cycle
    float mxdt = 0.0001f;      // largest temperature change within a cycle, °C
    float mxod = 0.001f;       // largest heat-flow divergence of the object, %
    float mxnd = 1.0f;         // largest heat-flow divergence of a node, %
    float mxdc = 0.001f;       // largest temperature change between cycles, °C
    std::int32_t ccen = 1;     // CEN values recalculated before each cycle
    float dtas = 10.0f;        // temperature difference across an airspace, °C
    float tmin = 0, tmax = 20, tin1 = 1, tin2 = 5, tsin = 0; // temperature range and isotherms, °C
    float qmin = 0, qmax = 50, qin1 = 1, qin2 = 5;           // heat-flux range and isoflux lines
    std::int32_t lcob = 0;        // object lines
    std::int32_t lcgr = 0xC0C0C0; // grid lines
    std::int32_t lct1 = 0xC0C0FF, lct2 = 0x0000FF, lcts = 0x0000FF; // isotherms: increments 1, 2, single
    std::int32_t lcq1 = 0xFFFF00, lcq2 = 0xFF8000;                  // isoflux lines: increments 1, 2
    std::int32_t lwob = 1, lwgr = 1, lwt1 = 1, lwt2 = 1, lwq1 = 1, lwq2 = 1, lwts = 0; // widths, pixels
    std::int32_t dect = 2, decq = 2, decv = 4; // decimals of temperatures, heat flows, view factors
    std::int32_t drag = 1;                     // drag mode of the 3D view
    std::int32_t lang = 0;                     // user-interface language (0 built in, 1..3)
    float tras = 5.0f, diss = 1.0f, rats = 1.5f; // the Auto Mesh Generation dialog's values
    std::int32_t imgw = 1200, imgh = 900;        // image size, pixels
    std::int32_t imgf = 10;                      // image font size, points
    std::int32_t imgt = 0;                       // image format (PNG or BMP)

    bool operator==(const ProgramParameters&) const = default;
};

// What the output windows use now: taken from the defaults when the
// parameter file is read; a dialog may change them for the session.
struct CurrentOutputSettings {
    std::int32_t dect = 2, decq = 2, decv = 4;
    std::int32_t imgw = 1200, imgh = 900, imgf = 10, imgt = 0;

    bool operator==(const CurrentOutputSettings&) const = default;
};

} // namespace parven
