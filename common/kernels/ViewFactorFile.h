// The view-factor file of the block programs: written by a view-factor run,
// read back by every calculation that radiates and matched to the faces of
// the model, and read once more for the per-colour summary of the text
// output. Every value of a read line is checked before it is kept: face
// numbers follow each other, "vwfc=" pairs lie in one zone with j < i, so a
// damaged file is a syntax error at its line and never a write outside the
// tables.
//
//   nzon=<zones>
//   zone=<zone> <faces>                      one per zone, zones from 1
//   nfac=<faces>
//   face=<n> <cavity colour> <solid colour> [<orientation>] <area m2> <remainder>
//   box =<xmin> <xmax> <ymin> <ymax> <zmin> <zmax>   after its face line
//   vwfc=<i> <j> <F_ij>                      j < i, one zone, non-zero only
//
// Face numbers run from 1 through all zones in zone order. Whether face lines
// carry the face's orientation is the program's choice of format.
#pragma once
#include "common/kernels/ViewFactor.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace kernels {

struct ViewFactorFileFormat {
    bool orientation = true; // face lines carry the orientation field
};

struct ViewFactorFileFace {
    int zoneColour = 0;      // the cavity colour
    int ownerColour = 0;     // the solid colour
    ViewFactorFace geometry{}; // bounds in grid coordinates; orientation 0 when the file holds none
    double area = 0;         // m2
    double unseen = 0;       // remainder: 1 - the sum of its view factors
    int zone = 0;            // index of its zone
    int localIndex = 0;      // index within its zone
};

struct ViewFactorFileZone {
    int firstFace = 0;
    int faceCount = 0;
    // Packed lower triangle of its faces' view factors, entry (i, j), j < i,
    // at i(i-1)/2 + j.
    std::vector<double> matrix;
};

struct ViewFactorFileData {
    std::vector<ViewFactorFileZone> zones;
    std::vector<ViewFactorFileFace> faces;
};

// A zone to write: its faces and the packed matrix of their view factors.
struct ViewFactorZoneOut {
    std::span<const ViewFactorFileFace> faces;
    std::span<const double> matrix;
};

// Writes the file (numbers in their shortest exact form); false when it
// cannot be written.
bool WriteViewFactorFile(const std::string& path, std::span<const ViewFactorZoneOut> zones,
                         const ViewFactorFileFormat& format);

enum class ViewFactorReadStatus { Read, NotOpened, Syntax };
struct ViewFactorReadResult {
    ViewFactorReadStatus status = ViewFactorReadStatus::Read;
    int line = 0; // the line of a syntax error
};

// Reads the file into data (emptied first, and left empty after a syntax
// error). Throws std::bad_alloc when the tables cannot be had.
ViewFactorReadResult ReadViewFactorFile(const std::string& path, const ViewFactorFileFormat& format,
                                        ViewFactorFileData& data);

// View factors summed per pair of solid colours, for the text output.
struct ViewFactorSummaryTable {
    std::vector<double> exchange;   // 256 x 256, A_i*F_ij at (colour of i) * 256 + (colour of j), both orders
    std::array<double, 256> area{}; // radiating area per solid colour, m2
};
// Reads the summary from the "nfac=", "face=" and "vwfc=" lines; the table
// is zeroed first (and emptied after a syntax error). A missing file leaves
// it zero with status NotOpened.
ViewFactorReadResult ReadViewFactorSummary(const std::string& path, const ViewFactorFileFormat& format,
                                           ViewFactorSummaryTable& table);

} // namespace kernels
