// The program-wide defaults of Dralo ("Dralo.prm"): the calculation and
// output settings that every model reset copies into the model, the output
// settings the windows use directly, the EN 10077 and Split Zones settings,
// the hard-material threshold and the language. Colours of lines are
// COLORREF integers (red + 256 green + 65536 blue); colour numbers are bytes.
#pragma once
#include <cstdint>

namespace dralo {

// The seven settings of Split Zones.
struct SplitZonesSettings {
    std::int32_t szcl = 1;   // delete small zones
    std::int32_t szpc = 1;   // area limit of deleted zones, pixels
    std::int32_t szgr = 1;   // detect grooves and interconnections
    std::int32_t szig = 0;   // groove width: 0 smaller than 2 mm, 1 smaller than 10 mm
    std::int32_t szps = 1;   // zones below this area get the small-zone colour, pixels
    std::uint8_t szcf = 0;   // first new colour
    std::uint8_t szcs = 254; // small-zone colour

    bool operator==(const SplitZonesSettings&) const = default;
};

struct ProgramParameters {
    // Copied into the model by ApplyParameterDefaults (the first 38 values;
    // files/SettingKeys.h).
    float strm = 0.0f;          // contour approximation margin, pixels
    std::int32_t linr = 1;      // linear radiation
    float hrbl = 5.1f;          // black radiation coefficient for linear radiation, W/(m².K)
    float vwfc = 0.0001f;       // smallest accepted view factor
    std::int32_t rays = 100;    // visibility rays between radiative surfaces
    std::int32_t ccen = 1;      // recalculate the rule-based properties before each cycle
    std::int32_t usol = 1;      // use solution temperatures for the rule-based properties
    float dtas = 10.0f;         // default temperature difference across an airspace, °C
    std::int32_t bsym = 0;      // the bitmap border is an axis of symmetry
    std::int32_t cycl = 5;      // iteration cycles
    std::int32_t iter = 10000;  // most iterations per cycle
    float mxdt = 0.0001f;       // maximum temperature difference, °C
    float mxod = 0.001f;        // maximum heat-flow divergence of the object, %
    float mxnd = 1.0f;          // maximum heat-flow divergence of any node, %
    float tmin = 0.0f, tmax = 20.0f;  // temperature range of the outputs, °C
    float tin1 = 1.0f, tin2 = 5.0f;   // isotherm increments, first and second kind
    float tsin = 0.0f;                // isotherm increment, third kind
    float qmin = 0.0f, qmax = 120.0f; // heat-flux range
    float qic1 = 5.0f;                // heat-flow increment
    float qin1 = 0.1f, qin2 = 1.0f;   // flow-line increments
    std::int32_t lcob = 0;            // object lines (black) -> `crob`
    std::int32_t lcgr = 192 + 256 * 192 + 65536 * 192; // mesh lines -> `crgr`
    std::int32_t lct1 = 255 + 256 * 192 + 65536 * 192; // isotherms, first kind -> `crt1`
    std::int32_t lct2 = 255;                           // isotherms, second kind -> `crt2`
    std::int32_t lcts = 255;                           // isotherms, third kind -> `lcts`
    std::int32_t lcq1 = 0 + 256 * 255 + 65536 * 255;   // flow lines, first kind -> `crq1`
    std::int32_t lcq2 = 0 + 256 * 128 + 65536 * 255;   // flow lines, second kind -> `crq2`
    std::int32_t lwob = 1, lwgr = 1, lwt1 = 1, lwt2 = 1; // widths -> `wiob` `wigr` `wit1` `wit2`
    std::int32_t lwts = 0;                               // -> `lwts`
    std::int32_t lwq1 = 1, lwq2 = 1;                     // -> `wiq1` `wiq2`

    // Output settings.
    std::int32_t dect = 2, decq = 2;    // decimals of temperatures and heat flows
    std::int32_t imgw = 1200, imgh = 900; // image size of saved figures, pixels
    std::int32_t imgf = 10, imgt = 0;   // image font size and type

    // EN 10077 settings.
    std::int32_t npxd = 2;       // cavity zones smaller than this many pixels are deleted
    std::uint8_t ccav = 1;       // colour of undefined cavities and BCs
    std::uint8_t cfrm = 8;       // window-frame colour
    std::uint8_t cext = 170;     // exterior colour
    std::uint8_t cint = 174;     // interior colour (normal)
    std::uint8_t crht = 182;     // interior colour (reduced); also Set Reduced Heat Transfer's colour
    std::int32_t tcav = 0;       // cavities become 0 EQUIMAT, 1 TRANSMAT
    std::int32_t ilef = 0;       // interior BC for heat flow along X: 0 left, 1 right
    std::int32_t inup = 0;       // interior BC for heat flow along Y: 0 top, 1 bottom
    std::int32_t panl = 190;     // insulation panel length, mm
    float lahm = 0.2f;           // a material at or above this conductivity is hard, W/(m.K)

    // The Split Zones defaults (SplitZonesSettings).
    std::int32_t szcl = 1, szpc = 1, szgr = 1, szig = 0, szps = 1;
    std::uint8_t szcf = 0, szcs = 254;

    std::int32_t lang = 0;       // 0 built-in resources, 1..3 the language libraries

    bool operator==(const ProgramParameters&) const = default;
};

// The settings the dialogs and output windows use for the program run:
// taken from the defaults when the parameter file is read; the dialogs
// change them without changing the defaults.
struct SessionSettings {
    std::int32_t dect = 2, decq = 2;
    std::int32_t imgw = 1200, imgh = 900, imgf = 10, imgt = 0;
    SplitZonesSettings split;

    bool operator==(const SessionSettings&) const = default;
};

// The session takes the defaults' decimals, image and Split Zones settings.
void TakeSessionSettings(SessionSettings& session, const ProgramParameters& p);

} // namespace dralo
