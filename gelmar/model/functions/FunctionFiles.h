// Time series files of the functions of time (kinds D E G H I M P S T V):
// their header and value reading, the chains of files that continue a
// series, the loading of every file function in use at the start of a run,
// and the evaluation of a loaded series at a time.
#pragma once
#include <string>
#include <vector>

namespace gelmar {

struct ModelStore;
struct RunState;

// The letters of the functions of time and of the table functions.
inline constexpr const char* kTimeFunctionLetters = "TIPVGDMHSE";
inline constexpr const char* kTableFunctionLetters = "LCR";

// One loaded time series: the file currently loaded, its chain neighbours
// and the period of calculation time its values cover.
struct FunctionFileTable {
    std::string drive, folder, name, extension; // of the file currently loaded
    char code[4] = {};                          // record code of the data lines ("FTE")
    std::string previousName, nextName;         // neighbours, without folder and extension
    int interpolate = 0;                        // 1: linear between samples
    int step = 0;                               // s, >= 1
    int count = 0;                              // values, >= 2
    std::vector<float> values;
    int startDay = 0;    // from the "DAT" line; 0: time 0
    long long start = 0; // s, relative to the start of the calculation
    long long end = 0;   // start + step * (count - 1)
    float valueMin = 0, valueMax = 0;
    int function = -1; // the function this table belongs to
};

// While the solar calculation evaluates "G01" and "D01" it sets active, with
// the moments of sunrise and sunset (s, run time) of the current day: a
// series rising from 0 starts at sunrise, one falling to 0 ends at sunset.
struct SolarInterpolation {
    bool active = false;
    long long sunrise = 0;
    long long sunset = 0;
};

// Record code of a function letter ("FTE" for 'T'); nullptr for letters
// that are not functions of time.
const char* FunctionRecordCode(char letter);
// The upper-case kind letter of a function name.
char FunctionLetter(const char* name);

// Loads every function in use of shape 0 whose letter is a time letter;
// error 2 (open) or 3 (syntax) leave by the exception.
void CollectFunctionFiles(ModelStore& model, RunState& run);
// Reads the header of the table's current file.
void ReadFunctionFile(ModelStore& model, RunState& run, FunctionFileTable& table);
// Reads the values of the table's current file.
void ReadFunctionTableFile(FunctionFileTable& table);
// Moves the table along its chain until its period covers time t (s).
void SyncFunctionFileToTime(ModelStore& model, RunState& run, FunctionFileTable& table, double t);
// Value of file table n at time t (s); 0 when no such table is loaded.
float EvaluateFunctionFile(ModelStore& model, RunState& run, int n, double t);
void FreeFunctionFileData(RunState& run);

// Step and interpolate flag of file table n, 0 when none is loaded.
int GetFunctionFileStep(RunState& run, int n);
int GetFunctionFileInterpolate(RunState& run, int n);

} // namespace gelmar
