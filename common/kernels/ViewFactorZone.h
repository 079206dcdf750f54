// View factors of a whole radiation zone over explicit data: the pair loop
// (on several threads, each pair with a random stream of its own so that the
// result does not depend on the number of threads) and the row operations
// that follow it. The zone's matrix is a packed lower triangle: the entry of
// faces (i, j), j < i, lies at i(i-1)/2 + j. The pair loop stores A_i*F_ij in
// m2; after DivideByFaceArea the entry is F_ij, and F_ji = A_i*F_ij / A_j.
#pragma once
#include "common/kernels/ViewFactor.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace kernels {

inline std::size_t PackedIndex(std::size_t i, std::size_t j)
{
    return i * (i - 1) / 2 + j;
}
inline std::size_t PackedSize(std::size_t n)
{
    return n < 2 ? 0 : n * (n - 1) / 2;
}

// The read-outs of a view-factor run's progress window (control ids of the
// window both block programs show).
enum ViewFactorProgressItem : int {
    kProgressZone = 1149,      // current zone number (1-based)
    kProgressZoneFaces = 1150, // faces of the current zone
    kProgressZonePairs = 1151, // pairs of the current zone
    kProgressPairsDone = 1152, // pairs computed so far in the current zone
    kProgressTotalZones = 1153,
    kProgressTotalFaces = 1154,
    kProgressTotalPairs = 1155,
};

// The seed of the random stream of the pair at a packed index.
std::uint32_t PairStreamSeed(std::size_t packedIndex);

struct PairLoopOptions {
    unsigned threads = 0; // 0: MachineThreads()
    // Called on the calling thread every few thousand pairs with the number of
    // pairs done (the Esc check and the progress read-out); an exception thrown
    // from it stops the loop and is passed on once the workers have ended.
    std::function<void(std::size_t pairsDone)> poll;
};

// The value of pair (i, j), i > j, drawing its rays from rng, the pair's own
// stream. Called from several threads at once.
using ZonePairFunction = std::function<double(std::size_t i, std::size_t j, platform::Rand15& rng)>;

// Every pair of a zone of `count` surfaces into the packed matrix
// (PackedSize(count) entries, overwritten): pair p gets a stream seeded with
// PairStreamSeed(p), so the matrix is the same on any number of threads.
void RunZonePairLoop(std::size_t count, std::span<double> matrix, const ZonePairFunction& pair,
                     const PairLoopOptions& options = {});

// Every pair of the zone's faces into the packed matrix (PackedSize(faces)
// entries, overwritten).
void ComputeZoneViewFactors(std::span<const ViewFactorFace> faces, const ViewFactorSettings& settings,
                            std::span<double> matrix, const PairLoopOptions& options = {});

// Sum of the view factors of face i: its non-zero entries of row i and column
// i divided by its area (entries holding A*F); 0 for a face without area.
double ViewFactorRowSum(std::span<const double> matrix, std::span<const double> areas, std::size_t i);

// Up to 100 passes over the faces: a face whose sum exceeds 1.0001 has its row
// and column divided by that sum. checkAbort is called every 2000 faces.
void NormaliseViewFactorRows(std::span<double> matrix, std::span<const double> areas,
                             const std::function<void()>& checkAbort = {});
// unseen[i] = 1 - sum of face i, or 0 when the sum reaches 0.9999.
void SetUnseenFractions(std::span<const double> matrix, std::span<const double> areas,
                        std::span<double> unseen, const std::function<void()>& checkAbort = {});
// Turns every non-zero A_i*F_ij into F_ij; checkAbort every 100000 entries.
void DivideByFaceArea(std::span<double> matrix, std::span<const double> areas,
                      const std::function<void()>& checkAbort = {});

} // namespace kernels
