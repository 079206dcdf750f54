// Output definitions of a transient run and the text report: the output
// node, output block and report item arrays, the validation of the report
// columns, the value of each column, the conduction heat flow into an output
// block, the report buffer filled at each report step and the tab-separated
// report file written beside the data file at the end of the run.
#pragma once
#include "gelmar/model/store/Records.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace gelmar {

struct ModelStore;
struct RunState;

// The arrays grow with GrowOutputNodeArray, GrowOutputBlockArray and
// GrowReportItemArray of the store.
void FreeOutputNodeArray(ModelStore& model);
void InitOutputNode(ModelStore& model, std::size_t n);
void FreeOutputBlockArray(ModelStore& model);
// A new block spans one node on each axis; with the RCL flag the top layer,
// and the first axis of one cell (z, y, x) widened to both of its lines.
void InitOutputBlock(ModelStore& model, std::size_t n);
OutputBlockRecord DefaultOutputBlock(const ModelStore& m);
void FreeReportItemArray(ModelStore& model);
void InitReportItem(ModelStore& model, std::size_t n);

// Sets each item's valid flag; returns the number of valid items.
int ValidateReportItems(ModelStore& model, RunState& run);
// Validates the items and sizes the report buffer for every report step of
// the run (empty when nothing is to be reported); the fill position is 0.
void SizeOutputBuffer(ModelStore& model, RunState& run);
bool HasReportItems(ModelStore& model);
// Appends the values of the current step, one per valid item.
void FormatReportRow(ModelStore& model, RunState& run);
// The legend line of the valid item in the given 1-based column.
std::string ReportItemLegend(const ReportItemRecord& item, int column);
// Writes "<data file>.txt"; a file that cannot be opened is skipped silently.
void WriteReportOutputFile(ModelStore& model, RunState& run);
// Number of values in the report buffer.
std::size_t ReportBufferFill(RunState& run);

// Heat flow (W) conducted into the block through its six faces.
float ComputeOutputBlockHeatFlow(ModelStore& model, RunState& run, const OutputBlockRecord& block);
// Area-weighted mean absorbed solar flux of the colour's sunlit surfaces
// facing direction 0..5 (Xmin, Xmax, Ymin, Ymax, Zmin, Zmax).
float GetColourSolarValue(RunState& run, int colour, int direction);

// The block's bounds clamped to the clip box (i1, i2, j1, j2, k1, k2);
// false when the block lies wholly outside it.
bool ClipOutputBlockRange(ModelStore& model, const OutputBlockRecord& block, std::uint16_t range[6]);
// Coordinates (x lower, x upper, y lower, ...) of the box the 3D view draws
// for a clipped range: half a cell outside the outer node lines, or on the
// clip box's line where the range meets it.
void ComputeOutputBlockBox(ModelStore& model, const std::uint16_t range[6], float box[6]);

} // namespace gelmar
