// The start of the programs' command-line drivers, which tests and
// benchmarks run:
//     <program>-calc [--no-calc] [--save OUT] FILE
// A driver reads FILE as File Open does, calculates it as Calc System does
// unless --no-calc, and with --save writes the model as Save does. Its
// messages go to standard error; its exit status says how it ended.
#pragma once
#include <functional>
#include <string>

namespace common {

enum DriverExit : int {
    kExitSuccess = 0,
    kExitFailure = 1, // the program's message was printed
    kExitUsage = 2,   // the arguments do not fit; the usage line was printed
};

struct DriverArguments {
    bool calculate = true; // false with --no-calc
    std::string saveTo;    // OUT of --save, empty without it
    std::string file;
};

// Parses the arguments after the program's name; false, with the usage line
// of the named driver on standard error, when they do not fit.
bool ParseDriverArguments(int argc, char** argv, const char* driver, DriverArguments& out);

// What a driver's body is handed: its arguments and the program folder (the
// folder of the executable, which holds the parameter, colour and start-up
// files).
struct DriverStart {
    DriverArguments args;
    std::string programFolder;
};

// Runs a driver: parses the arguments (kExitUsage when they do not fit),
// then the body, whose return is the exit status. An engine error that
// leaves the body prints its message and gives kExitFailure, and so does an
// Esc abort ("Calculation aborted") and memory that could not be had.
int RunDriver(int argc, char** argv, const char* driver, const std::function<int(const DriverStart&)>& body);

} // namespace common
