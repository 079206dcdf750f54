// The string-table texts of Novelk's reports (headings, column headers, unit
// lines, labels and the condensation format), by their resource numbers, and
// the loading of the program's string file "Novelk.str" from the program
// folder. The table is handed to the report writers; a language file of the
// same format may override it.
#pragma once
#include "platform/core/StringTable.h"

#include <string>

namespace novelk {

enum ReportString : unsigned {
    kStrInputData = 450, // "NOVELK - Input Data"
    kStrDataFile = 451,  // "NOVELK data file"
    kStrGrid = 452,
    kStrGridHeadRcl = 454,
    kStrGridHead = 455,
    kStrSum = 456,
    kStrBlocks = 457,
    kStrBlocksHeadRcl = 458,
    kStrBlocksHead = 459,
    kStrColours = 460,
    kStrColoursHead = 461,
    kStrColoursUnits = 462,
    kStrColours2Head = 463,
    kStrColours2Units = 464, // ends in the "_" marker
    kStrNodeBcs = 465,
    kStrNodeBcsHeadRcl = 466,
    kStrNodeBcsHead = 467,
    kStrNodeBcsUnits = 468,
    kStrCalcParameters = 469,
    kStrCycles = 470,
    kStrNonLinearRadiation = 471,
    kStrSmallestViewFactor = 472,
    kStrRays = 473,
    kStrBlackCoefficient = 474,
    kStrLinearRadiationNote = 475,
    kStrMaxIterations = 476,
    kStrWithinCycle = 477,
    kStrMaxDeltaT = 478,
    kStrObjectDivergenceLimit = 479,
    kStrNodeDivergenceLimit = 480,
    kStrResults = 481, // "NOVELK - Calculation Results"
    kStrResultsHeadRcl = 482,
    kStrResultsHead = 483,
    kStrResultsUnits = 484, // ends in the "_" marker
    kStrFlowsHead = 485,
    kStrFlowsUnits = 486,
    kStrCornerNodes = 487,
    kStrPointHeadRcl = 488,
    kStrPointHead = 489,
    kStrPointUnits = 490,
    kStrNodeCount = 491,
    kStrObjectDivergence = 492,
    kStrNodeDivergence = 493,
    kStrNodeBcTemperatures = 494,
    kStrLinearRadiation = 495,
    kStrCenRecalculation = 496,
    kStrNoCenRecalculation = 497,
    kStrAirspaceDeltaT = 498,
    kStrBorderBcs = 499,
    kStrBorderBcsHead = 500,
    kStrTemperatureFactor = 501,
    kStrHiBySurfaceModule = 502,
    kStrSurplusTransmittance = 503,
    kStrEquivalentTransmittance = 504,
    kStrLinearTransmittance = 505,
    kStrMaterialBcs = 506,
    kStrMaterialBcsHead = 507,
    kStrCoordinatesHeadRcl = 508,
    kStrCoordinatesHead = 509,
    kStrViewFactors = 510,
    kStrViewFactorFile = 511,
    kStrViewFactorsHead = 512,
    kStrViewFactorsUnits = 513,
    kStrMaxCycleChange = 514,
    kStrCondensation = 515, // "Surface condensation if RH > %.0f %% (at %.*f°C)"
    kStrMaterialTable = 608,
    kStrBoundaryTable = 609,
};

// The name of the program's string file.
inline constexpr const char* kNovelkStringFile = "Novelk.str";

// Loads "Novelk.str" of the folder as the table's English texts; false (with
// the reason in *error) when the file is missing or malformed.
bool LoadNovelkStrings(platform::StringTable& table, const std::string& programFolder,
                       std::string* error = nullptr);

} // namespace novelk
