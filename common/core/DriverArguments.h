// The command line of the programs' drivers:
//     <program>-calc [--no-calc] [--save OUT] FILE
#pragma once
#include <string>

namespace common {

struct DriverArguments {
    bool calculate = true; // false with --no-calc
    std::string saveTo;    // OUT of --save, empty without it
    std::string file;
};

// Parses the arguments after the program's name; false, with the usage line
// of the named driver on standard error, when they do not fit.
bool ParseDriverArguments(int argc, char** argv, const char* driver, DriverArguments& out);

} // namespace common
