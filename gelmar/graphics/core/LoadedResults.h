// What the result listings read of a loaded time step: its time, the node
// number of each grid point, the node temperatures and the colour of each
// cell, as the run's work arrays hold them for the model they were made from.
#pragma once
#include <cstdint>

namespace gelmar {

struct ModelStore;
struct RunState;
struct WorkArrays;

class LoadedResults {
  public:
    LoadedResults(const ModelStore& model, const RunState& run);

    // The time of the step (s since the start of the calculation).
    long long Time() const { return m_time; }
    // The calculation-node number of grid point (i, j, k): negative for a
    // boundary node, -1 where there is none or outside 0..n of an axis.
    std::int32_t NodeIndex(int i, int j, int k) const;
    // The colour of cell (i, j, k); -1 outside the grid or for a void cell.
    int CellColour(int i, int j, int k) const;
    // The temperature of calculation node n (0 beyond the solution).
    double NodeTemperature(std::int32_t n) const;
    // The number of calculation nodes.
    long long NodeCount() const;

  private:
    const WorkArrays& m_work;
    long long m_time;
    int m_n[3];
};

} // namespace gelmar
