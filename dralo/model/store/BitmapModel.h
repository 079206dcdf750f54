// Dralo's bitmap model: a two-dimensional section as a picture of at most
// 32767 x 32767 pixels whose bytes are colour numbers, with the 256 colour
// records, the boundary edges between colours, the changed pixels of the edit
// under way, the borderline boundary conditions and distances, and the
// calculation, display and report settings of the data file. One value owned
// by the program (or the driver, or a test) and handed to the engine
// functions; nothing of it is process-wide.
//
// Pixel (x, y) is pixels[x + y * width]; row 0 is the top row, y grows
// downwards. Indices are computed in 64 bits (PixelIndex) and stored in the
// changed-pixel list as 32-bit values, which every bitmap of 32767 x 32767
// pixels fits.
#pragma once
#include "dralo/model/store/Records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dralo {

constexpr std::int32_t kMaxBitmapSize = 32767;

// The calculation parameters of the data file (and of the Calc Parameters
// dialog), with their program defaults in ProgramParameters.
struct CalcParameters {
    std::int32_t rays = 100;    // `rays`: visibility rays between radiative surfaces, >= 0
    std::int32_t cycl = 5;      // `cycl`: iteration cycles, >= 1
    std::int32_t iter = 10000;  // `iter`: most iterations per cycle, >= 1
    std::int32_t linr = 1;      // `linr`: linear radiation
    std::int32_t ccen = 1;      // `ccen`: recalculate the rule-based properties before each cycle
    std::int32_t usol = 1;      // `usol`: use solution temperatures for the rule-based properties
    std::int32_t bsym = 0;      // `bsym`: the bitmap border is an axis of symmetry
    float strm = 0.0f;          // `strm`: contour approximation margin, pixels, >= 0
    float hrbl = 5.1f;          // `hrbl`: black radiation coefficient (linear radiation), W/(m².K)
    float vwfc = 0.0001f;       // `vwfc`: smallest accepted view factor, 0..1
    float mxdt = 0.0001f;       // `mxdt`: maximum temperature difference, °C
    float mxod = 0.001f;        // `mxod`: maximum divergence of the object, % (0..300)
    float mxnd = 1.0f;          // `mxnd`: maximum divergence of any node, % (0..300)
    float dtas = 10.0f;         // `dtas`: default temperature difference across an airspace, °C

    bool operator==(const CalcParameters&) const = default;
};

// Ranges, increments, line colours (COLORREF) and widths of the outputs.
struct DisplaySettings {
    float tmin = 0.0f, tmax = 20.0f;  // `tmin` `tmax`: temperature range
    float tin1 = 1.0f, tin2 = 5.0f;   // `tin1` `tin2`: isotherm increments, > 0
    float tsin = 0.0f;                // `tsin`: isotherm increment of the third kind
    float qmin = 0.0f, qmax = 120.0f; // `qmin` `qmax`: heat-flux range, >= 0
    float qic1 = 5.0f;                // `qic1`: heat-flow increment, > 0
    float qin1 = 0.1f, qin2 = 1.0f;   // `qin1` `qin2`: flow-line increments, > 0
    // `crob` `crgr` `crt1` `crt2` `crq1` `crq2` `lcts`: line colours of the
    // objects, mesh, isotherms of the three kinds and flow lines.
    std::int32_t crob = 0, crgr = 0xC0C0C0, crt1 = 0xC0C0FF, crt2 = 0x0000FF, crq1 = 0xFFFF00,
                 crq2 = 0xFF8000, lcts = 0x0000FF;
    std::int32_t wiob = 1, wigr = 1;  // `wiob` `wigr`: object and mesh line widths, >= 1
    std::int32_t wit1 = 1, wit2 = 1, wiq1 = 1, wiq2 = 1, lwts = 0; // other widths, >= 0

    bool operator==(const DisplaySettings&) const = default;
};

// The derived-result settings. A side value says where a U value is taken:
// 0 left, 1 right, 2 top, 3 bottom border, n >= 4 along distance n - 3.
// Distance numbers count from 1.
struct ReportSettings {
    std::int32_t rptf = 0;  // derive the temperature factor f
    std::int32_t rpsi = 0;  // derive psi and Ueq
    std::int32_t rufr = 0;  // derive the frame's Uf
    std::int32_t flk1 = 1, flk2 = 0; // first and second flanking element used
    std::int32_t sid1 = 0, dis1 = 1; // first flanking element: side value, width distance
    std::int32_t sid2 = 1, dis2 = 2; // second flanking element
    std::int32_t pan1 = 1, pan2 = 0; // first and second panel used
    std::int32_t sidp = 0, dipa = 2; // first panel: side value, width distance
    std::int32_t sip2 = 1, dip2 = 3; // second panel
    std::int32_t difr = 1;           // frame width distance
    // Enforced U values of the left, right, top and bottom border, 0 none.
    float ulfc = 0.0f, urfc = 0.0f, utfc = 0.0f, ubfc = 0.0f;

    bool operator==(const ReportSettings&) const = default;
};

// What the bitmap window keeps with the model: its stored view settings,
// reset with the model options and kept by the undo snapshots, and its
// modified mark (shown as " *" in its title).
struct BitmapViewState {
    std::int32_t word1 = 0, word2 = 0;
    double value = 0.0;
    std::int32_t bitmapModified = 0;

    bool operator==(const BitmapViewState&) const = default;
};

// Pixels changed by the edit under way. Entries are appended while there is
// room; a list holding `capacity` entries has overflowed, and the undo
// snapshot then keeps the whole bitmap instead.
struct ChangedPixelList {
    std::int32_t capacity = 0;
    std::vector<ChangedPixel> entries;

    bool Full() const { return static_cast<std::int64_t>(entries.size()) >= capacity; }
};

struct BitmapModel {
    std::string title;        // may hold CR LF line breaks
    std::string dataFilePath; // the .drl file (empty for a model not yet saved)
    std::string bitmapPath;   // the model's .bmp file

    std::int32_t width = 0, height = 0; // 1..32767 each while a bitmap is loaded, else 0
    std::vector<std::uint8_t> pixels;   // width * height colour numbers, row after row

    std::array<ColourRecord, kColourCount> colours;
    std::vector<BoundaryEdge> edges;    // horizontal records first, then vertical ones
    ChangedPixelList changed;

    float pixs = 0.001f;  // `pixs`: pixel size, m, > 0
    float tris = 10.0f;   // `tris`: default mesh size, pixels, > 0
    CalcParameters calc;
    DisplaySettings display;
    ReportSettings report;
    std::array<GraphicReportEntry, kGraphicReportEntries> graphicReport{};

    std::array<BorderlineBcRecord, kBorderlineBcCapacity> borderlineBcs{};
    std::int32_t nbor = 0; // `nbor`: borderline BCs in use
    std::array<DistanceRecord, kDistanceCapacity> distances{};
    std::int32_t ndis = 0; // `ndis`: distances in use

    BitmapViewState view;
    bool fromDxf = false;               // the model was made from a DXF drawing
    std::int32_t radiationZoneCount = 0; // set by the model check
};

inline std::int64_t PixelIndex(const BitmapModel& m, std::int64_t x, std::int64_t y)
{
    return x + y * static_cast<std::int64_t>(m.width);
}
inline std::int64_t PixelTotal(const BitmapModel& m)
{
    return static_cast<std::int64_t>(m.width) * m.height;
}
inline bool InsideBitmap(const BitmapModel& m, std::int64_t x, std::int64_t y)
{
    return x >= 0 && y >= 0 && x < m.width && y < m.height;
}

// Sets every colour record to its start-up values; `tric` takes the model's
// current `tris`.
void LoadMaterialColours(BitmapModel& m);
// Drops the pixels, the changed-pixel list and the boundary edges; no colour
// is present any more.
void FreeBitmapModel(BitmapModel& m);
// A new, empty changed-pixel list: capacity width*height/8, at least 1000
// and at most 10000.
void AllocChangedPixelList(BitmapModel& m);
// Replaces the pixel buffer by a w x h bitmap of the given colour, with a new
// changed-pixel list; std::bad_alloc leaves the model as it was.
void AllocatePixels(BitmapModel& m, std::int32_t w, std::int32_t h, std::uint8_t colour);
// Takes over a finished pixel buffer of w x h bytes.
void AdoptPixels(BitmapModel& m, std::int32_t w, std::int32_t h, std::vector<std::uint8_t> pixels);

// Colour number of pixel (x, y), -1 outside the bitmap.
int GetPixelColour(const BitmapModel& m, std::int64_t x, std::int64_t y);
// Gives the pixel the colour and lists the change while the list has room;
// false when the pixel had the colour already.
bool SetPixelColour(BitmapModel& m, std::int64_t index, std::uint8_t colour);

} // namespace dralo
