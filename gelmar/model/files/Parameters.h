// The 47 parameter defaults of "Gelmar.prm": the calculation and display
// settings that every model reset starts from, and the output settings the
// windows use directly.
#pragma once
#include <cstdint>
#include <string>

namespace gelmar {

struct ParameterSet {
    float grun = 1.0f;
    std::int32_t linr = 1;
    float hrbl = 5.1f;
    float vwfc = 0.0001f;
    std::int32_t rays = 100;
    std::int32_t ccen = 1;
    std::int32_t cycl = 20;
    std::int32_t iter = 10000;
    float mxdt = 0.0001f;
    float mxod = 0.001f;
    float mxnd = 1.0f;
    std::int32_t lang = 0;
    float tmin = 0, tmax = 20.0f, tin1 = 1.0f, tin2 = 5.0f;
    float qmin = 0, qmax = 50.0f, qin1 = 1.0f, qin2 = 5.0f;
    std::int32_t lcob = 0;
    std::int32_t lcgr = 12632256;
    std::int32_t lct1 = 12632319;
    std::int32_t lct2 = 255;
    std::int32_t lcq1 = 16776960;
    std::int32_t lcq2 = 16744448;
    std::int32_t lwob = 1, lwgr = 1, lwt1 = 1, lwt2 = 1, lwq1 = 1, lwq2 = 1;
    std::int32_t dect = 2, decq = 2, decv = 4;
    float dtas = 10.0f;
    std::int32_t drag = 0;
    std::int32_t ltxt = 200000;
    float tras = 5.0f, diss = 1.0f, rats = 1.5f;
    float tsin = 0;
    std::int32_t lcts = 255;
    std::int32_t lwts = 0;
    std::int32_t imgw = 1200, imgh = 900;
    std::int32_t imgf = 10;

    bool operator==(const ParameterSet&) const = default;
};

// The output settings a dialog may change without changing the defaults.
struct CurrentOutputSettings {
    std::int32_t dect = 2, decq = 2, decv = 4;
    std::int32_t imgw = 1200, imgh = 900, imgf = 10;
};

// The file name of the parameter file in the program folder.
inline constexpr const char* kParameterFileName = "Gelmar.prm";

// Reads programFolder/"Gelmar.prm" when it exists (never a message; missing
// or unreadable values keep their defaults), then copies the current values.
void ReadParameterFile(ParameterSet& parameters, CurrentOutputSettings& output,
                       const std::string& programFolder);
// Writes programFolder/"Gelmar.prm"; false when it cannot be written.
bool WriteParameterFile(const ParameterSet& parameters, const std::string& programFolder);

} // namespace gelmar
