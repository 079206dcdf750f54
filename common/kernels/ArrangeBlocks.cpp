// Arrange Blocks. The grid is first compacted to the lines that bound a block,
// the blocks are painted into a field of compact cells, and the cells of one
// colour are split into face-connected zones ("candidates"). Each candidate gets
// the largest box that can be grown inside it; boxes are emitted greedily, the
// cheapest candidate first, and the part of a candidate that its box left out
// becomes new candidates. In superposition mode a box may also extend over
// cells that earlier boxes already cover, because the emitted blocks are
// finally reversed so that the first emitted is painted last.
#include "common/kernels/ArrangeBlocks.h"

#include <algorithm>
#include <climits>
#include <new>
#include <set>

namespace kernels {

namespace {

// Work-cell flag bits.
constexpr std::uint8_t kEmpty = 1;   // no colour to rebuild (void, hidden or kept block)
constexpr std::uint8_t kCovered = 2; // inside a block already emitted in this run
constexpr std::uint8_t kSeed = 4;    // still a seed for box growing

// A box of compact cells, lowest and highest index per axis, both inclusive.
struct CellBox {
    std::array<std::int32_t, 3> lo{};
    std::array<std::int32_t, 3> hi{};
};

std::int64_t Volume(const CellBox& b)
{
    std::int64_t v = 1;
    for (int a = 0; a < 3; ++a)
        v *= b.hi[a] - b.lo[a] + 1;
    return v;
}

std::int32_t EdgeSum(const CellBox& b)
{
    return b.hi[0] - b.lo[0] + b.hi[1] - b.lo[1] + b.hi[2] - b.lo[2] + 3;
}

bool Overlaps(const CellBox& a, const CellBox& b)
{
    for (int i = 0; i < 3; ++i)
        if (a.hi[i] < b.lo[i] || b.hi[i] < a.lo[i])
            return false;
    return true;
}

CellBox Intersection(const CellBox& a, const CellBox& b)
{
    CellBox r;
    for (int i = 0; i < 3; ++i) {
        r.lo[i] = std::max(a.lo[i], b.lo[i]);
        r.hi[i] = std::min(a.hi[i], b.hi[i]);
    }
    return r;
}

// A grown box replaces the best one when it is larger, or as large and more compact.
bool Better(const CellBox& box, const CellBox& best)
{
    const std::int64_t vb = Volume(box);
    const std::int64_t vbest = Volume(best);
    return vb > vbest || (vb == vbest && EdgeSum(box) < EdgeSum(best));
}

enum class CandidateState : std::uint8_t { Waiting, Ready, Emitted };

// One face-connected zone of one colour.
struct ArrangeCandidate {
    std::uint8_t colour = 0;
    CellBox region; // bounding box of the zone's cells
    CellBox best;   // best box found so far
    bool hasBest = false;
    std::int64_t volume = 0;    // of the region
    std::int64_t cellCount = 0; // cells of the zone
    std::int64_t covered = 0;   // cells in the region covered by emitted blocks (superposition only)
    std::int64_t missing = 0;   // volume - cellCount - covered
    std::int32_t score = 0;     // region edge sum - best edge sum; 0: the region is the best box
    CandidateState state = CandidateState::Waiting;
};

struct NewBlock {
    std::uint8_t colour;
    CellBox box;
};

struct FillEntry {
    std::uint16_t x, y, z;
};

constexpr int kAxisOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

class Arranger {
  public:
    explicit Arranger(const ArrangeRequest& request)
        : req_(request), superposition_(request.mode != kArrangeJuxtaposition)
    {
    }

    ArrangeResult Run()
    {
        ArrangeResult result;
        if (!BoundsInsideGrid()) {
            result.status = ArrangeStatus::BlockOutsideGrid;
            return result;
        }
        ArrangeAllocateWorkArrays();
        if (cellTotal_ > 0) {
            PaintCells();
            const std::int32_t zones = FindZones();
            for (std::int32_t id = 0; id < zones; ++id)
                ArrangeProcessCandidate(id);
            if (!ArrangeProcessCandidates()) {
                result.status = ArrangeStatus::TooManyBlocks;
                return result;
            }
        }
        ArrangeFreeCandidates();
        FinishOrder();
        if (req_.voidMode)
            result.blocks.assign(req_.blocks.begin(), req_.blocks.end());
        result.blocks.reserve(result.blocks.size() + newBlocks_.size());
        for (const NewBlock& nb : newBlocks_)
            result.blocks.push_back(ToRealBlock(nb));
        return result;
    }

  private:
    bool BoundsInsideGrid() const
    {
        for (const ArrangeBlock& b : req_.blocks) {
            if (b.x1 > req_.cells[0] || b.x2 > req_.cells[0] || b.y1 > req_.cells[1] ||
                b.y2 > req_.cells[1] || b.z1 > req_.cells[2] || b.z2 > req_.cells[2])
                return false;
        }
        return true;
    }

    static std::array<std::uint16_t, 6> Bounds(const ArrangeBlock& b)
    {
        return {b.x1, b.x2, b.y1, b.y2, b.z1, b.z2};
    }

    // Compact axes (only lines that bound a block, and in void mode the outer
    // lines, can bound a new block) and the work cells, field and fill stack.
    void ArrangeAllocateWorkArrays()
    {
        for (int a = 0; a < 3; ++a) {
            const int n = req_.cells[a];
            std::vector<bool> used(static_cast<std::size_t>(n) + 1, false);
            for (const ArrangeBlock& b : req_.blocks) {
                const auto bounds = Bounds(b);
                used[bounds[2 * a]] = true;
                used[bounds[2 * a + 1]] = true;
            }
            if (req_.voidMode) {
                used[0] = true;
                used[n] = true;
            }
            rank_[a].assign(static_cast<std::size_t>(n) + 1, -1);
            realLine_[a].clear();
            for (int line = 0; line <= n; ++line) {
                if (used[line]) {
                    rank_[a][line] = static_cast<std::int32_t>(realLine_[a].size());
                    realLine_[a].push_back(static_cast<std::uint16_t>(line));
                }
            }
            k_[a] = realLine_[a].empty() ? 0 : static_cast<std::int32_t>(realLine_[a].size()) - 1;
        }
        cellTotal_ = static_cast<std::int64_t>(k_[0]) * k_[1] * k_[2];
        // Zone numbers are 32-bit; a field beyond that could not be held anyway.
        if (cellTotal_ > INT32_MAX)
            throw std::bad_alloc();
        const auto total = static_cast<std::size_t>(cellTotal_);
        colour_.assign(total, 0);
        flags_.assign(total, 0);
        zone_.assign(total, -1);
        stack_.reserve(total);
    }

    std::int64_t Index(std::int32_t x, std::int32_t y, std::int32_t z) const
    {
        return (static_cast<std::int64_t>(x) * k_[1] + y) * k_[2] + z;
    }

    // Calls f(index) for every cell of the box, x outermost, then y, then z.
    template <class F> void ForEachCell(const CellBox& b, F&& f) const
    {
        for (std::int32_t x = b.lo[0]; x <= b.hi[0]; ++x)
            for (std::int32_t y = b.lo[1]; y <= b.hi[1]; ++y)
                for (std::int32_t z = b.lo[2]; z <= b.hi[2]; ++z)
                    f(Index(x, y, z));
    }

    // Paints every block in list order, so that a later block wins; then empties
    // the cells of hidden colours.
    void PaintCells()
    {
        if (req_.voidMode) {
            std::fill(colour_.begin(), colour_.end(), req_.voidColour);
        } else {
            std::fill(flags_.begin(), flags_.end(), kEmpty);
        }
        for (const ArrangeBlock& b : req_.blocks) {
            if (b.x1 >= b.x2 || b.y1 >= b.y2 || b.z1 >= b.z2)
                continue;
            CellBox box;
            const auto bounds = Bounds(b);
            for (int a = 0; a < 3; ++a) {
                box.lo[a] = rank_[a][bounds[2 * a]];
                box.hi[a] = rank_[a][bounds[2 * a + 1]] - 1;
            }
            ForEachCell(box, [&](std::int64_t i) {
                if (req_.voidMode) {
                    flags_[i] = kEmpty;
                } else {
                    colour_[i] = b.colour;
                    flags_[i] = 0;
                }
            });
        }
        if (req_.hiddenMode) {
            for (std::size_t i = 0; i < flags_.size(); ++i)
                if (!(flags_[i] & kEmpty) && !req_.shown[colour_[i]])
                    flags_[i] |= kEmpty;
        }
    }

    // Starts a zone at every non-empty cell that has none yet; returns the count.
    std::int32_t FindZones()
    {
        for (std::int32_t x = 0; x < k_[0]; ++x)
            for (std::int32_t y = 0; y < k_[1]; ++y)
                for (std::int32_t z = 0; z < k_[2]; ++z) {
                    const std::int64_t i = Index(x, y, z);
                    if (!(flags_[i] & kEmpty) && zone_[i] < 0)
                        ArrangeFloodFillCandidate(x, y, z);
                }
        return static_cast<std::int32_t>(candidates_.size());
    }

    // Six-neighbour fill (order -x, +x, -y, +y, -z, +z) from a cell over the
    // cells that accept(index) admits, limited to limits; every reached cell
    // gets zone id. Sets the new candidate's region and cell count.
    template <class Accept>
    std::int32_t Fill(std::int32_t x, std::int32_t y, std::int32_t z, const CellBox& limits, Accept&& accept)
    {
        const auto id = static_cast<std::int32_t>(candidates_.size());
        ArrangeCandidate c;
        c.colour = colour_[Index(x, y, z)];
        c.region.lo = c.region.hi = {x, y, z};
        stack_.clear();
        zone_[Index(x, y, z)] = id;
        stack_.push_back(
            {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(z)});
        while (!stack_.empty()) {
            const FillEntry e = stack_.back();
            stack_.pop_back();
            ++c.cellCount;
            const std::array<std::int32_t, 3> p{e.x, e.y, e.z};
            for (int a = 0; a < 3; ++a) {
                c.region.lo[a] = std::min(c.region.lo[a], p[a]);
                c.region.hi[a] = std::max(c.region.hi[a], p[a]);
            }
            for (int n = 0; n < 6; ++n) {
                std::array<std::int32_t, 3> q = p;
                const int a = n / 2;
                q[a] += (n % 2 == 0) ? -1 : 1;
                if (q[a] < limits.lo[a] || q[a] > limits.hi[a])
                    continue;
                const std::int64_t qi = Index(q[0], q[1], q[2]);
                if (!accept(qi))
                    continue;
                zone_[qi] = id;
                stack_.push_back({static_cast<std::uint16_t>(q[0]), static_cast<std::uint16_t>(q[1]),
                                  static_cast<std::uint16_t>(q[2])});
            }
        }
        candidates_.push_back(c);
        return id;
    }

    // A zone of the painted field: same colour, non-empty, not yet in a zone.
    std::int32_t ArrangeFloodFillCandidate(std::int32_t x, std::int32_t y, std::int32_t z)
    {
        const std::uint8_t colour = colour_[Index(x, y, z)];
        const CellBox whole{{0, 0, 0}, {k_[0] - 1, k_[1] - 1, k_[2] - 1}};
        return Fill(x, y, z, whole, [&](std::int64_t i) {
            return !(flags_[i] & kEmpty) && zone_[i] < 0 && colour_[i] == colour;
        });
    }

    // A new zone from the uncovered cells of zone parent inside box.
    std::int32_t ArrangeFloodFillInBox(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t parent,
                                       const CellBox& box)
    {
        return Fill(x, y, z, box,
                    [&](std::int64_t i) { return zone_[i] == parent && !(flags_[i] & kCovered); });
    }

    std::int64_t CountCovered(const CellBox& box) const
    {
        std::int64_t n = 0;
        ForEachCell(box, [&](std::int64_t i) { n += (flags_[i] & kCovered) ? 1 : 0; });
        return n;
    }

    // Statistics and best box of a new candidate; it joins the ready set when
    // its region can be emitted whole, the waiting list otherwise.
    void ArrangeProcessCandidate(std::int32_t id)
    {
        ArrangeCandidate& c = candidates_[id];
        c.volume = Volume(c.region);
        c.covered = superposition_ ? CountCovered(c.region) : 0;
        c.missing = c.volume - c.cellCount - c.covered;
        if (c.missing == 0) {
            MakeReady(id);
            return;
        }
        ForEachCell(c.region, [&](std::int64_t i) {
            if (zone_[i] == id)
                flags_[i] |= kSeed;
        });
        for (std::int32_t x = c.region.lo[0]; x <= c.region.hi[0]; ++x)
            for (std::int32_t y = c.region.lo[1]; y <= c.region.hi[1]; ++y)
                for (std::int32_t z = c.region.lo[2]; z <= c.region.hi[2]; ++z) {
                    const std::int64_t i = Index(x, y, z);
                    if (zone_[i] == id && (flags_[i] & kSeed))
                        ArrangeTryAxisOrders(id, CellBox{{x, y, z}, {x, y, z}}, true);
                }
        c.score = EdgeSum(c.region) - EdgeSum(c.best);
        c.state = CandidateState::Waiting;
        waiting_.push_back(id);
    }

    void MakeReady(std::int32_t id)
    {
        ArrangeCandidate& c = candidates_[id];
        c.best = c.region;
        c.hasBest = true;
        c.score = 0;
        c.state = CandidateState::Ready;
        ready_.insert(id);
    }

    // Whether the slice of box at index s on axis a may be added to the box of
    // zone id: every cell belongs to the zone, or, in superposition, every
    // uncovered cell does and at least one does.
    bool SliceAccepts(std::int32_t id, CellBox box, int a, std::int32_t s) const
    {
        box.lo[a] = box.hi[a] = s;
        bool own = false;
        for (std::int32_t x = box.lo[0]; x <= box.hi[0]; ++x)
            for (std::int32_t y = box.lo[1]; y <= box.hi[1]; ++y)
                for (std::int32_t z = box.lo[2]; z <= box.hi[2]; ++z) {
                    const std::int64_t i = Index(x, y, z);
                    if (zone_[i] == id && !(flags_[i] & kCovered))
                        own = true;
                    else if (!superposition_ || !(flags_[i] & kCovered))
                        return false;
                }
        return own;
    }

    // Grows start in the six axis orders within the zone's region, one slice at
    // a time towards lower then higher indices per axis, and keeps the best box.
    // While seeding, the seeds inside every grown box are cleared.
    void ArrangeTryAxisOrders(std::int32_t id, const CellBox& start, bool seeding)
    {
        ArrangeCandidate& c = candidates_[id];
        for (const auto& order : kAxisOrders) {
            CellBox box = start;
            for (const int a : order) {
                while (box.lo[a] > c.region.lo[a] && SliceAccepts(id, box, a, box.lo[a] - 1))
                    --box.lo[a];
                while (box.hi[a] < c.region.hi[a] && SliceAccepts(id, box, a, box.hi[a] + 1))
                    ++box.hi[a];
            }
            if (seeding) {
                ForEachCell(box, [&](std::int64_t i) {
                    if (zone_[i] == id)
                        flags_[i] &= static_cast<std::uint8_t>(~kSeed);
                });
            }
            if (!c.hasBest || Better(box, c.best)) {
                c.best = box;
                c.hasBest = true;
            }
        }
    }

    // The emission loop. Returns false when the block limit would be passed.
    bool ArrangeProcessCandidates()
    {
        for (;;) {
            // Passes in zone order over the candidates that can be emitted whole,
            // until a pass emits nothing.
            std::int32_t cursor = -1;
            while (!ready_.empty()) {
                auto it = ready_.upper_bound(cursor);
                if (it == ready_.end())
                    it = ready_.begin();
                cursor = *it;
                ready_.erase(it);
                if (!ArrangeAppendBlock(cursor))
                    return false;
            }
            DropSettledFromWaiting();
            if (waiting_.empty())
                return true;
            // The cheapest candidate: smallest score, then larger region, then first.
            std::int32_t pick = waiting_.front();
            for (const std::int32_t id : waiting_) {
                const ArrangeCandidate& c = candidates_[id];
                const ArrangeCandidate& p = candidates_[pick];
                if (c.score < p.score || (c.score == p.score && c.volume > p.volume))
                    pick = id;
            }
            // A waiting candidate always has a score above 0 (its region is not a
            // valid box), so its box leaves cells of the zone uncovered: they
            // become new candidates.
            const CellBox region = candidates_[pick].region;
            if (!ArrangeAppendBlock(pick))
                return false;
            for (std::int32_t x = region.lo[0]; x <= region.hi[0]; ++x)
                for (std::int32_t y = region.lo[1]; y <= region.hi[1]; ++y)
                    for (std::int32_t z = region.lo[2]; z <= region.hi[2]; ++z) {
                        const std::int64_t i = Index(x, y, z);
                        if (zone_[i] == pick && !(flags_[i] & kCovered))
                            ArrangeProcessCandidate(ArrangeFloodFillInBox(x, y, z, pick, region));
                    }
        }
    }

    void DropSettledFromWaiting()
    {
        std::erase_if(waiting_,
                      [&](std::int32_t id) { return candidates_[id].state != CandidateState::Waiting; });
    }

    // Emits the candidate's best box as a block and marks its cells covered. In
    // superposition the waiting candidates whose region overlaps the box count
    // the newly covered cells: one with nothing missing any more is ready to be
    // emitted whole, the others search their best box again over covered cells.
    bool ArrangeAppendBlock(std::int32_t id)
    {
        const std::size_t kept = req_.voidMode ? req_.blocks.size() : 0;
        if (kept + newBlocks_.size() >= kArrangeMaxBlocks)
            return false;
        ArrangeCandidate& c = candidates_[id];
        const CellBox box = c.best;
        newBlocks_.push_back({c.colour, box});
        ForEachCell(box, [&](std::int64_t i) { flags_[i] |= kCovered; });
        c.state = CandidateState::Emitted;
        if (!superposition_)
            return true;
        for (const std::int32_t w : waiting_) {
            ArrangeCandidate& o = candidates_[w];
            if (o.state != CandidateState::Waiting || !Overlaps(o.region, box))
                continue;
            // Inside the box, the cells of the emitting zone are exactly those it
            // has just covered.
            std::int64_t added = 0;
            ForEachCell(Intersection(o.region, box),
                        [&](std::int64_t i) { added += zone_[i] == id ? 1 : 0; });
            if (added == 0)
                continue;
            o.covered += added;
            o.missing -= added;
            if (o.missing == 0) {
                MakeReady(w);
            } else {
                ArrangeTryAxisOrders(w, o.best, false);
                o.score = EdgeSum(o.region) - EdgeSum(o.best);
            }
        }
        DropSettledFromWaiting();
        return true;
    }

    void ArrangeFreeCandidates()
    {
        candidates_ = {};
        waiting_ = {};
        ready_.clear();
        colour_ = {};
        flags_ = {};
        zone_ = {};
        stack_ = {};
    }

    // Superposition paints the first emitted block last; juxtaposition sorts by
    // colour, then larger volume, then smaller edge sum.
    void FinishOrder()
    {
        if (superposition_) {
            std::reverse(newBlocks_.begin(), newBlocks_.end());
            return;
        }
        std::stable_sort(newBlocks_.begin(), newBlocks_.end(), [](const NewBlock& a, const NewBlock& b) {
            if (a.colour != b.colour)
                return a.colour < b.colour;
            const std::int64_t va = Volume(a.box);
            const std::int64_t vb = Volume(b.box);
            if (va != vb)
                return va > vb;
            return EdgeSum(a.box) < EdgeSum(b.box);
        });
    }

    ArrangeBlock ToRealBlock(const NewBlock& nb) const
    {
        ArrangeBlock b;
        b.colour = nb.colour;
        b.x1 = realLine_[0][nb.box.lo[0]];
        b.x2 = realLine_[0][nb.box.hi[0] + 1];
        b.y1 = realLine_[1][nb.box.lo[1]];
        b.y2 = realLine_[1][nb.box.hi[1] + 1];
        b.z1 = realLine_[2][nb.box.lo[2]];
        b.z2 = realLine_[2][nb.box.hi[2] + 1];
        b.flags = 0;
        return b;
    }

    const ArrangeRequest& req_;
    const bool superposition_;

    std::array<std::vector<std::int32_t>, 3> rank_;      // compact rank of each used line, -1 otherwise
    std::array<std::vector<std::uint16_t>, 3> realLine_; // real line of each rank
    std::array<std::int32_t, 3> k_{};                    // compact cells per axis
    std::int64_t cellTotal_ = 0;

    std::vector<std::uint8_t> colour_;
    std::vector<std::uint8_t> flags_;
    std::vector<std::int32_t> zone_;
    std::vector<FillEntry> stack_;

    std::vector<ArrangeCandidate> candidates_;
    std::vector<std::int32_t> waiting_; // not emitted, something missing; in zone order
    std::set<std::int32_t> ready_;      // not emitted, nothing missing
    std::vector<NewBlock> newBlocks_;
};

} // namespace

ArrangeResult ArrangeBlocks(const ArrangeRequest& request)
{
    return Arranger(request).Run();
}

} // namespace kernels
