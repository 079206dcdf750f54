// The derived thermal values of a calculated section: the U value along a
// line with air layers and radiating surfaces taken at the result
// temperatures, the linear thermal transmittance psi and the equivalent U
// value of the flanking elements, the frame's U value between its panels,
// and the temperature factor with the relative humidity at which the
// coldest inner surface condenses.
#pragma once
#include "dralo/model/results/MeshResults.h"
#include "dralo/model/store/BitmapModel.h"

#include <optional>

namespace dralo {

// Temperature of the results where line k meets pixel (x, y): on a border
// the mesh point at that pixel corner (x + 1 on the right border, y + 1 on
// the bottom one); on a distance the contour edge crossing the line nearest
// to the pixel's centre, interpolated along the edge. None when there is no
// such point.
std::optional<double> ResultTemperatureOnLine(const BitmapModel& m, const MeshResults& r, int k, std::int32_t x,
                                              std::int32_t y);

// U value along line k, W/(m².K): the user's value when one is set, else the
// layers' resistances with air layers and surfaces evaluated at the result
// temperatures. None when the line is not computable or a temperature it
// needs is missing.
std::optional<double> ComputeSideUValue(const BitmapModel& m, const MeshResults& r, int k);

// Saturation pressure of water vapour over ice (t < 0) or water, Pa.
double SaturationVapourPressure(double t);

// The highest and lowest environment temperature and the heat flow through
// the section between them, W/m: half the net flow into the colours at ti
// less that into the colours at te.
struct Environments {
    double ti = 0, te = 0, q = 0;
};
// BC_SIMPL and BC_FRE_S colours with `hglo` not 0 give `temp`, BC_SKY and
// BC_NOSKY `tair`.
Environments FindEnvironments(const BitmapModel& m);

struct PsiValues {
    bool shown = false;    // the gates pass: psi or Ueq is written
    bool psiShown = false; // a flanking side has both a U value and a length
    double u1 = 0, l1 = 0, u2 = 0, l2 = 0;
    Environments env;
    double psi = 0, ueq = 0;
};
// A side in use whose U value cannot be computed counts as 0.
PsiValues ComputePsiValues(const BitmapModel& m, const MeshResults& r);

struct FrameValues {
    bool shown = false;
    double wf = 0, up1 = 0, wp1 = 0, up2 = 0, wp2 = 0;
    Environments env;
    double uf = 0;
};
// Clears `pan2` with fewer than three distances and `rufr` with fewer than
// two, as the settings then cannot hold.
FrameValues ComputeFrameValues(BitmapModel& m, const MeshResults& r);

struct TemperatureFactor {
    bool defined = false; // ti > te
    double f = 0, ti = 0, te = 0, tsiMin = 0;
    bool hasH = false;    // the inner colour has a surface coefficient
    double hi = 0;
    double condensationRh = 0; // %, 100 p_sat(Tsi,min) / p_sat(ti)
};
// The environments count BC_SIMPL and BC_FRE_S with `hglo` or `flux` not 0;
// the colour at ti with the lowest result temperature gives Tsi,min.
TemperatureFactor ComputeTemperatureFactor(const BitmapModel& m);

} // namespace dralo
