// The pair loop of a radiation zone and the row operations on its packed
// view-factor matrix.
#include "common/kernels/ViewFactorZone.h"

#include "common/kernels/Parallel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

namespace kernels {

namespace {

// Pairs handed to a thread at a time; the calling thread polls after each.
constexpr std::size_t kChunkPairs = 2000;

void CheckSizes(std::span<const double> matrix, std::size_t faces)
{
    if (matrix.size() < PackedSize(faces)) {
        throw std::invalid_argument("view-factor matrix smaller than the zone's pairs");
    }
}

// Face (row) of a packed index: the largest i with i(i-1)/2 <= p.
std::size_t RowOfPackedIndex(std::size_t p)
{
    std::size_t i = static_cast<std::size_t>((1.0 + std::sqrt(1.0 + 8.0 * double(p))) / 2.0);
    while (i > 1 && PackedIndex(i, 0) > p) {
        --i;
    }
    while (PackedIndex(i + 1, 0) <= p) {
        ++i;
    }
    return i;
}

void ComputeChunk(const ZonePairFunction& pair, std::span<double> matrix, std::size_t first, std::size_t end)
{
    std::size_t i = RowOfPackedIndex(first);
    std::size_t j = first - PackedIndex(i, 0);
    for (std::size_t p = first; p < end; ++p) {
        platform::Rand15 rng(PairStreamSeed(p));
        matrix[p] = pair(i, j, rng);
        if (++j == i) {
            ++i;
            j = 0;
        }
    }
}

} // namespace

std::uint32_t PairStreamSeed(std::size_t packedIndex)
{
    // splitmix64 finaliser: neighbouring pairs get unrelated streams.
    std::uint64_t z = static_cast<std::uint64_t>(packedIndex) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z ^ (z >> 32));
}

void ComputeZoneViewFactors(std::span<const ViewFactorFace> faces, const ViewFactorSettings& settings,
                            std::span<double> matrix, const PairLoopOptions& options)
{
    CheckSizes(matrix, faces.size());
    if (PackedSize(faces.size()) == 0) {
        return;
    }
    const ObstructionScene scene(faces);
    RunZonePairLoop(
        faces.size(), matrix,
        [&](std::size_t i, std::size_t j, platform::Rand15& rng) {
            return ComputePairViewFactor(scene, i, j, settings, rng);
        },
        options);
}

void RunZonePairLoop(std::size_t count, std::span<double> matrix, const ZonePairFunction& pair,
                     const PairLoopOptions& options)
{
    CheckSizes(matrix, count);
    const std::size_t total = PackedSize(count);
    if (total == 0) {
        return;
    }

    unsigned threads =
        options.threads != 0 ? options.threads : static_cast<unsigned>(MachineThreads());
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, (total + kChunkPairs - 1) / kChunkPairs));

    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::atomic<bool> failed{false};

    auto work = [&](bool caller) {
        try {
            while (!stop.load(std::memory_order_relaxed)) {
                const std::size_t first = next.fetch_add(kChunkPairs);
                if (first >= total) {
                    break;
                }
                const std::size_t end = std::min(total, first + kChunkPairs);
                ComputeChunk(pair, matrix, first, end);
                const std::size_t sum = done.fetch_add(end - first) + (end - first);
                if (caller && options.poll) {
                    options.poll(sum);
                }
            }
        } catch (...) {
            if (!failed.exchange(true)) {
                failure = std::current_exception();
            }
            stop = true;
        }
    };

    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads; ++t) {
        try {
            workers.emplace_back(work, false);
        } catch (const std::system_error&) {
            break; // fewer threads than asked for: the rest of the work is shared out anyway
        }
    }
    work(true);
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

double ViewFactorRowSum(std::span<const double> matrix, std::span<const double> areas, std::size_t i)
{
    const double area = areas[i];
    if (!(area > 0.0)) {
        return 0.0;
    }
    double sum = 0.0;
    const std::size_t row = PackedIndex(i, 0);
    for (std::size_t j = 0; j < i; ++j) {
        const double v = matrix[row + j];
        if (v != 0.0) {
            sum += v;
        }
    }
    for (std::size_t r = i + 1; r < areas.size(); ++r) {
        const double v = matrix[PackedIndex(r, i)];
        if (v != 0.0) {
            sum += v;
        }
    }
    return sum / area;
}

void NormaliseViewFactorRows(std::span<double> matrix, std::span<const double> areas,
                             const std::function<void()>& checkAbort)
{
    const std::size_t n = areas.size();
    CheckSizes(matrix, n);
    for (int pass = 0; pass < 100; ++pass) {
        bool changed = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (checkAbort && (i + 1) % 2000 == 0) {
                checkAbort();
            }
            const double sum = ViewFactorRowSum(matrix, areas, i);
            if (!(sum > 1.0001)) {
                continue;
            }
            const std::size_t row = PackedIndex(i, 0);
            for (std::size_t j = 0; j < i; ++j) {
                if (matrix[row + j] != 0.0) {
                    matrix[row + j] /= sum;
                }
            }
            for (std::size_t r = i + 1; r < n; ++r) {
                double& v = matrix[PackedIndex(r, i)];
                if (v != 0.0) {
                    v /= sum;
                }
            }
            changed = true;
        }
        if (!changed) {
            break;
        }
    }
}

void SetUnseenFractions(std::span<const double> matrix, std::span<const double> areas,
                        std::span<double> unseen, const std::function<void()>& checkAbort)
{
    const std::size_t n = areas.size();
    CheckSizes(matrix, n);
    if (unseen.size() < n) {
        throw std::invalid_argument("unseen-fraction array smaller than the zone's faces");
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double sum = ViewFactorRowSum(matrix, areas, i);
        unseen[i] = sum >= 0.9999 ? 0.0 : 1.0 - sum;
    }
    if (checkAbort) {
        checkAbort();
    }
}

void DivideByFaceArea(std::span<double> matrix, std::span<const double> areas,
                      const std::function<void()>& checkAbort)
{
    const std::size_t n = areas.size();
    CheckSizes(matrix, n);
    std::size_t visited = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const std::size_t row = PackedIndex(i, 0);
        for (std::size_t j = 0; j < i; ++j) {
            double& v = matrix[row + j];
            if (v != 0.0 && areas[i] > 0.0) {
                v /= areas[i];
            }
            if (checkAbort && ++visited % 100000 == 0) {
                checkAbort();
            }
        }
    }
}

} // namespace kernels
