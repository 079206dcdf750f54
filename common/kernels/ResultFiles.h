// The text lines of the block programs' result files: the solution file
// (D, R, N, C, T and Q lines, one record a line, each led by its letter) and
// the heat-flux file (one radiating face a line), their writer and their
// readers with the checks every value passes before it is kept. The
// engines decide the file names and what the values mean to their stores.
//
//   D <blocks> <node BCs> <zones>
//   R <unknowns> <grid unknowns> <largest change> <object div.> <node div.>
//   N <temperature> <i> <j> <k>      one per grid unknown, numbering order
//   N <temperature>                  one per zone unknown
//   C <colour> <air temperature>
//   T <colour> <lowest> <i> <j> <k> <highest> <i> <j> <k>
//   Q <colour> <heat in> <heat out>
//
// Heat-flux lines: <i> <j> <k> <orientation> <heat-flux density>.
#pragma once
#include "common/kernels/ColourResults.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kernels {

// Writes a result file line by line through a buffer, so that a file of
// millions of lines never has to be held in memory; CRLF line ends.
class ResultFileWriter {
  public:
    ResultFileWriter() = default;
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    // False when the file cannot be created.
    bool Open(const std::string& path);
    void Line(std::string_view text);
    // Writes what is left; false when any write failed. Closing an unclosed
    // writer without Close keeps what was written and reports nothing.
    bool Close();

  private:
    void Flush();

    std::FILE* m_file = nullptr;
    std::string m_buffer;
    bool m_failed = false;
};

// "%g" and "%.10f" of a value, independent of the process locale.
std::string FormatShortG(double value);
std::string FormatFixed10(double value);

struct SolutionHeader {
    long long blocks = 0;
    long long nodeBcs = 0;
    long long zones = 0;
    Index rows = 0;     // unknowns: grid and zone nodes
    Index gridRows = 0; // grid unknowns
    float largestChange = 0;
    float objectDivergence = 200;
    float nodeDivergence = 200;
};

void PutSolutionHeader(ResultFileWriter& w, const SolutionHeader& h);
void PutGridTemperature(ResultFileWriter& w, double t, int i, int j, int k);
void PutZoneTemperature(ResultFileWriter& w, double t);
void PutAirTemperature(ResultFileWriter& w, int colour, double t);
void PutColourExtremes(ResultFileWriter& w, int colour, const ColourExtremes& e);
void PutColourFlows(ResultFileWriter& w, int colour, const ColourFlows& f);

// What the reader hands on, line by line, once each line passed its checks.
class SolutionFileSink {
  public:
    virtual ~SolutionFileSink() = default;
    // After the R line: where the N values go, in order; values beyond its
    // size (or beyond the file's own unknown count) are ignored.
    virtual std::span<double> Temperatures(Index fileRows) = 0;
    virtual void AirTemperature(int colour, double t) = 0;
    virtual void Extremes(int colour, const ColourExtremes& e) = 0;
    virtual void Flows(int colour, const ColourFlows& f) = 0;
    // A line of one of the caller's extra keys (its index among them) with
    // the text after the letter; false rejects the file.
    virtual bool ExtraLine(int /*key*/, const char* /*text*/) { return false; }
};

// The model the file must belong to.
struct SolutionFileChecks {
    long long blocks = 0;
    long long nodeBcs = 0;
    Index gridRows = 0;
};

enum class SolutionReadStatus {
    Read,      // every line passed
    NotOpened, // no such file (or unreadable): nothing was handed on
    Rejected,  // a line failed; what came before it was handed on
};

// Reads the file. A D line must name the model's block and node-BC counts
// (its zone count is free), an R line its grid-unknown count with a largest
// change of 0 or more and divergences 0..200 (which go to readouts); N lines
// count only after the R line; colours lie in 0..255; heat flows are 0 or
// more; a line longer than the line limit rejects the file. Lines of other
// letters are skipped.
SolutionReadStatus ReadSolutionFile(const std::string& path, const SolutionFileChecks& checks,
                                    SolutionHeader& readouts, SolutionFileSink& sink,
                                    std::string_view extraKeys = {});

// One line of the heat-flux file: a radiating face and its heat-flux density.
struct FluxRecord {
    std::uint16_t i = 0, j = 0, k = 0; // the face's cell
    std::uint8_t direction = 0;        // its orientation 0..5: -x, +x, -y, +y, -z, +z
    float flow = 0;                    // W/m2
};

void PutFluxLine(ResultFileWriter& w, int i, int j, int k, int direction, double flow);

// The records of a heat-flux file sorted by i, j, k and orientation (empty,
// with opened false, when the file cannot be read). Lines that do not scan
// as five numbers with cell indices 0..65535 and an orientation 0..5 are
// skipped.
std::vector<FluxRecord> ReadFluxFile(const std::string& path, bool* opened = nullptr);

} // namespace kernels
