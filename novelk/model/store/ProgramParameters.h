// The program-wide defaults of Novelk ("Novelk.prm"): the calculation,
// output and line settings that every model reset starts from, the output
// settings the windows use directly, and the eight default graphic-report
// entries. Colours are COLORREF integers (red + 256 green + 65536 blue).
#pragma once
#include "novelk/model/store/Records.h"

#include <array>
#include <cstdint>

namespace novelk {

constexpr int kGraphicReportEntries = 8;

struct ProgramParameters {
    float grun = 1.0f;                                      // grid unit of a new model, m
    std::int32_t linr = 1;                                  // radiation linear (1) or not (0)
    float hrbl = 5.1f;                                      // black-body radiation coefficient, W/(m².K)
    float vwfc = 0.0001f;                                   // smallest view factor kept
    std::int32_t rays = 100;                                // rays per face pair
    std::int32_t ccen = 1;                                  // recalculate the CEN values
    std::int32_t cycl = 5;                                  // most outer cycles
    std::int32_t iter = 10000;                              // most solver steps per cycle
    float mxdt = 0.0001f;                                   // K
    float mxod = 0.001f;                                    // object divergence limit, %
    float mxnd = 1.0f;                                      // node divergence limit, %
    std::int32_t lang = 0;                                  // user-interface language
    float tmin = 0, tmax = 20.0f, tin1 = 1.0f, tin2 = 5.0f; // temperature scale, °C and K
    float qmin = 0, qmax = 50.0f, qin1 = 1.0f, qin2 = 5.0f; // heat-flux scale, W/m²
    // Line colours (COLORREF) and widths (pixels) of the pictures.
    std::int32_t lcob = 0;        // object lines
    std::int32_t lcgr = 12632256; // grid lines (192, 192, 192)
    std::int32_t lct1 = 12632319; // isotherms of the first increment (255, 192, 192)
    std::int32_t lct2 = 255;      // isotherms of the second increment (255, 0, 0)
    std::int32_t lcq1 = 16776960; // isoflux lines of the first increment (0, 255, 255)
    std::int32_t lcq2 = 16744448; // isoflux lines of the second increment (0, 128, 255)
    std::int32_t lwob = 1, lwgr = 1, lwt1 = 1, lwt2 = 1, lwq1 = 1, lwq2 = 1;
    std::int32_t dect = 2, decq = 2, decv = 4; // decimals of temperatures, flows, other values
    float dtas = 10.0f;                        // airspace temperature difference of the CEN formulas, K
    std::int32_t drag = 0;                     // drag mode of the views
    float mxdc = 0.001f;                       // largest change between cycles that ends them, K
    std::int32_t exte = 1;                // flanking-element areas on external (1) or internal (0) dimensions
    float tras = 5.0f;                    // Auto Split: meshes up to this size are split, mm
    float diss = 1.0f;                    // Auto Split: split distance, mm
    float rats = 1.5f;                    // Auto Split: split ratio of larger meshes
    std::int32_t imgw = 1200, imgh = 900; // saved picture size, pixels
    std::int32_t imgf = 10;               // image format setting
    std::int32_t imgt = 0;                // image type setting
    std::array<GraphicReportEntry, kGraphicReportEntries> graphicReport{};
    float tsin = 0;          // temperature of the single-temperature iso-surface, °C
    std::int32_t lcts = 255; // line colour of the single-temperature line
    std::int32_t lwts = 0;   // its width

    bool operator==(const ProgramParameters&) const = default;
};

// The output settings a dialog may change for the session without changing
// the defaults; taken from the defaults when the parameter file is read.
struct CurrentOutputSettings {
    std::int32_t dect = 2, decq = 2, decv = 4;
    std::int32_t imgw = 1200, imgh = 900, imgf = 10, imgt = 0;

    bool operator==(const CurrentOutputSettings&) const = default;
};

// Each default entry: not created, object lines on, the other switches off,
// fill 0, projection 0, azimuth 1000 (not set), altitude 0.
void ResetGraphicReportDefaults(ProgramParameters& defaults);

} // namespace novelk
