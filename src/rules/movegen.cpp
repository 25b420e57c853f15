// Move generation.
//
// Every man of the side to move contributes its steps first, then its jumps. Jump chains
// are found by an iterative depth-first walk with one direction cursor per level; the
// squares the man has left in the current chain carry the chain mark on the board itself,
// so a chain never lands twice on a square and never returns to its start.
//
// Candidates are not registered at once: whether a step or a jump is legal depends on
// flags only known when every man has been searched (a forced jump, a jump outside the
// home squares, the longest chain). Jump candidates with the same from-square, to-square
// and forced mark form a group of which exactly one survives: the last one with the most
// hops of the whole call, or the first one when none has that many. A group is kept as one
// record that remembers both, so the working storage holds at most one record per group
// and no position can overflow it.
#include "rules/movegen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rules/user_interface.h"

namespace zelkor {
namespace {

// A hop keeps the parity of file and rank, so a chain visits at most 16 squares and needs
// at most 16 levels; the table keeps room to spare.
constexpr int kLevels = 21;
constexpr int kMaxDirections = 8;
// Per man at most 8 slide rows of 7 squares and two groups (forced or not) per empty
// square; with m men and e empty squares, m * (56 + 2e) <= 4232 whenever m + e <= 64.
constexpr int kCandidateCapacity = 4352;
constexpr int kMaxGroupsPerMan = 2 * 64;

struct Candidate {
    uint8_t from;
    uint8_t to;
    uint8_t jump;
    uint8_t forced;
    uint8_t firstLength;  // hops of the group's first chain
    uint8_t bestLength;   // most hops of any chain in the group
    uint32_t firstSeq;    // arrival order of the group's first chain
    uint32_t bestSeq;     // arrival order of the last chain with bestLength hops
};

constexpr std::array<int8_t, kBoardEntries> MakeRows() {
    std::array<int8_t, kBoardEntries> rows{};
    for (int i = 0; i < kBoardEntries; ++i)
        rows[i] = static_cast<int8_t>(i / 10);
    return rows;
}
constexpr std::array<int8_t, kBoardEntries> MakeColumns() {
    std::array<int8_t, kBoardEntries> columns{};
    for (int i = 0; i < kBoardEntries; ++i)
        columns[i] = static_cast<int8_t>(i % 10);
    return columns;
}
constexpr std::array<int8_t, kBoardEntries> kRows = MakeRows();
constexpr std::array<int8_t, kBoardEntries> kColumns = MakeColumns();

inline int Abs(int v) {
    return v < 0 ? -v : v;
}

bool IsDirection(int d) {
    switch (d) {
        case kNorth:
        case kSouth:
        case kEast:
        case kWest:
        case kNorthEast:
        case kNorthWest:
        case kSouthEast:
        case kSouthWest:
            return true;
        default:
            return false;
    }
}

// Copies one row of the direction table; only real offsets are taken, so whatever the
// table holds, the walk never reads beyond the row or leaves the board's border.
int LoadDirections(const std::array<int16_t, 9>& row, int* out) {
    int n = 0;
    while (n < kMaxDirections && IsDirection(row[n])) {
        out[n] = row[n];
        ++n;
    }
    return n;
}

std::string SignedNumber(int v) {
    return (v < 0 ? "" : " ") + std::to_string(v);
}

[[noreturn]] void InternalFault(GameState& g, int x, int k) {
    const std::string text = "X=" + SignedNumber(x) + "   K=" + SignedNumber(k);
    if (g.ui != nullptr) FatalError(*g.ui, text);
    std::fprintf(stderr, "Error: %s\n", text.c_str());
    std::abort();
}

int MoveScore(const GameState& g, int Source, int dest) {
    if (g.ply < 0 || g.ply > kMaxPly) return 0;
    const PvEntry& pv = g.pv[0][g.ply];
    if (pv.Source == Source && pv.dest == dest) return 500;
    const auto& killers = g.killers[g.ply];
    if (killers[0].Source == Source && killers[0].dest == dest) return 250;
    if (killers[1].Source == Source && killers[1].dest == dest) return 150;
    return 0;
}

inline void Append(GameState& g, int& next, int Source, int dest, int jump, int score) {
    if (next < 0) next = 0;
    if (next > kMovePoolSize - 1) next = kMovePoolSize - 1;
    Move& m = g.movePool[next];
    m.Source = Source;
    m.dest = dest;
    m.jump = jump;
    m.score = score;
    if (next == kMovePoolSize - 1)
        g.cancelRequest = 1;  // the pool is full: stop the search, reuse the last slot
    else
        ++next;
}

class Generator {
  public:
    Generator(GameState& g, int AllMoves) : g_(g), b_(g.board.data()) {
        man_ = g.side == kBlack ? kBlackMan : kWhiteMan;
        si_ = SideIndex(man_);
        const auto& f = g.active.flags;
        longKings_ = f[LongKings] != 0;
        kingFirst_ = f[KingFirst] != 0;
        mulJumps_ = f[MulJumps] != 0;
        maxCap_ = f[MaxCapMove] != 0;
        capRequired_ = f[CapRequired] != 0;
        manCont_ = f[ManContJump] != 0;
        outOfHome_ = f[OutofHome] != 0;
        prune_ = AllMoves == 0 || mulJumps_ || capRequired_ || maxCap_;
        nSteps_ = LoadDirections(g.directions[si_], steps_);
        nJumps_ = LoadDirections(g.directions[si_ + 2], jumps_);
        owner_ = g.homeTables.owner.data();
        const int ownCorner = g.active.home[si_][0];
        const int oppCorner = g.active.home[1 - si_][0];
        ownRow_ = RowOf(ownCorner);
        ownColumn_ = ColumnOf(ownCorner);
        oppRow_ = RowOf(oppCorner);
        oppColumn_ = ColumnOf(oppCorner);
        std::memset(group_, 0xff, sizeof group_);
    }

    void Run() {
        for (int s = 21; s <= 98; ++s)
            if (b_[s] == man_) Man(s);
    }

    void Register(int& next);

  private:
    int DistanceToOwn(int square) const {
        return Abs(kRows[square] - ownRow_) + Abs(kColumns[square] - ownColumn_);
    }
    int DistanceToOpponent(int square) const {
        return Abs(kRows[square] - oppRow_) + Abs(kColumns[square] - oppColumn_);
    }

    void Man(int s) {
        const int first = count_;
        for (int k = 0; k < nSteps_; ++k) {
            const int d = steps_[k];
            if (longKings_) {
                for (int t = s + d; b_[t] == kEmpty; t += d)
                    AddStep(s, t, k);
            } else if (b_[s + d] == kEmpty) {
                AddStep(s, s + d, k);
            }
        }
        if (nJumps_ > 0) {
            if (longKings_)
                Chains<true>(s);
            else
                Chains<false>(s);
        }
        for (int i = first; i < count_; ++i)
            if (candidates_[i].jump) group_[candidates_[i].to][candidates_[i].forced] = -1;
    }

    void AddStep(int s, int t, int direction) {
        if (count_ == kCandidateCapacity) InternalFault(g_, direction, count_);
        Candidate& c = candidates_[count_++];
        c.from = static_cast<uint8_t>(s);
        c.to = static_cast<uint8_t>(t);
        c.jump = 0;
        c.forced = 0;
        c.firstLength = c.bestLength = 0;
        c.firstSeq = c.bestSeq = ++seq_;
    }

    void AddJump(int to, int forced, int length) {
        ++seq_;
        int16_t& index = group_[to][forced];
        if (index < 0) {
            if (count_ == kCandidateCapacity) InternalFault(g_, level_, count_);
            index = static_cast<int16_t>(count_);
            Candidate& c = candidates_[count_++];
            c.from = static_cast<uint8_t>(s_);
            c.to = static_cast<uint8_t>(to);
            c.jump = 1;
            c.forced = static_cast<uint8_t>(forced);
            c.firstLength = c.bestLength = static_cast<uint8_t>(length);
            c.firstSeq = c.bestSeq = seq_;
        } else {
            Candidate& c = candidates_[index];
            if (length >= c.bestLength) {
                c.bestLength = static_cast<uint8_t>(length);
                c.bestSeq = seq_;
            }
        }
        if (forced) forcedFlag_ = true;
        if (length > longest_) longest_ = length;
    }

    // The chain standing on c_ becomes a candidate. With the duplicate check, a chain whose
    // group this man already has is dropped; under MulJumps it still counts as the last
    // registered path, so the shorter chains it extends are not moves of their own.
    void RegisterChain(bool duplicateCheck) {
        if (owner_[s_] != si_) outsideFlag_ = true;
        if (!(duplicateCheck && !maxCap_ && group_[c_][forcedMark_] >= 0))
            AddJump(c_, forcedMark_, pathLength_);
        if (mulJumps_) {
            std::memcpy(lastPath_, path_, sizeof(int) * pathLength_);
            lastLength_ = pathLength_;
        }
    }

    bool PathIsPrefixOfLast() const {
        if (pathLength_ > lastLength_) return false;
        for (int i = 0; i < pathLength_; ++i)
            if (path_[i] != lastPath_[i]) return false;
        return true;
    }

    // Takes back the hop made at the current level; taking back the first hop also clears
    // the forced mark, so exactly the chains that begin with a forced hop carry it.
    void UndoHop() {
        --pathLength_;
        b_[c_] = kEmpty;
        c_ = origin_[level_];
        b_[c_] = man_;
        backedUp_ = true;
        if (level_ == 0) forcedMark_ = 0;
    }

    template <bool kLong>
    void Chains(int s);

    GameState& g_;
    int32_t* b_;
    int man_ = kWhiteMan;
    int si_ = 0;
    bool longKings_ = false, kingFirst_ = false, mulJumps_ = false, maxCap_ = false;
    bool capRequired_ = false, manCont_ = true, outOfHome_ = false, prune_ = false;
    int steps_[kMaxDirections];
    int jumps_[kMaxDirections];
    int nSteps_ = 0, nJumps_ = 0;
    const int16_t* owner_;
    int ownRow_ = 0, ownColumn_ = 0, oppRow_ = 0, oppColumn_ = 0;

    Candidate candidates_[kCandidateCapacity];
    int count_ = 0;
    int16_t group_[kBoardEntries][2];  // this man's group record per (to-square, forced mark)
    uint32_t seq_ = 0;
    int longest_ = 0;
    bool forcedFlag_ = false;
    bool outsideFlag_ = false;

    // The chain being explored.
    int s_ = 0;
    int c_ = 0;
    int level_ = 0;
    int cursor_[kLevels];
    int landing_[kLevels];
    int origin_[kLevels];  // hop origin per level, where the man returns when it is undone
    int path_[kLevels];    // squares jumped over, one per hop
    int pathLength_ = 0;
    int lastPath_[kLevels];
    int lastLength_ = 0;
    bool backedUp_ = false;
    int forcedMark_ = 0;
};

template <bool kLong>
void Generator::Chains(int s) {
    s_ = s;
    c_ = s;
    level_ = 0;
    cursor_[0] = -1;
    landing_[0] = 0;
    pathLength_ = 0;
    lastLength_ = 0;
    backedUp_ = false;
    forcedMark_ = 0;
    const bool startsInOpponentCamp = owner_[s] == 1 - si_;
    const int ownDistance = DistanceToOwn(s);
    const int oppDistance = DistanceToOpponent(s);

    for (;;) {
        const int cursor = ++cursor_[level_];
        if (cursor >= nJumps_) {
            // Every direction of this level is tried: back to the previous landing square.
            cursor_[level_] = -1;
            if (--level_ < 0) return;
            if (!mulJumps_ || !PathIsPrefixOfLast() || (kLong && !backedUp_)) RegisterChain(true);
            UndoHop();
            continue;
        }
        const int d = jumps_[cursor];
        for (;;) {  // one pass per landing distance
            ++landing_[level_];
            int o = c_ + d;
            int approach = 1;
            int t;
            if constexpr (kLong) {
                while (b_[o] == kEmpty) {
                    o += d;
                    ++approach;
                }
                if (b_[o] == kOffBoard) {
                    landing_[level_] = 0;
                    break;
                }
                t = kingFirst_ ? o + d : o + landing_[level_] * d;
            } else {
                if (b_[o] == kEmpty || b_[o] == kOffBoard) break;
                t = o + d;
            }
            bool valid = b_[t] == kEmpty && t != s && (b_[o] == kWhiteMan || b_[o] == kBlackMan);
            if (valid) {
                if (outOfHome_ && level_ == 0 && approach == 1 && startsInOpponentCamp &&
                    b_[o] == -man_ &&
                    !(owner_[t] == 1 - si_ && DistanceToOpponent(t) <= oppDistance))
                    forcedMark_ = 1;
                if (prune_ && forcedMark_ == 0 && DistanceToOwn(t) > ownDistance + 2) valid = false;
            }
            if (!valid) {
                if (kLong && !kingFirst_) {
                    if (b_[t] == kEmpty) continue;  // the next landing square behind the man
                    landing_[level_] = 0;
                }
                break;
            }
            // Make the hop: the origin is marked as left, the man stands on t.
            path_[pathLength_++] = o;
            origin_[level_] = c_;
            b_[c_] = kChainMark;
            b_[t] = man_;
            c_ = t;
            if (kLong || (!manCont_ && owner_[t] == si_)) {
                // The chain ends on this square.
                RegisterChain(false);
                UndoHop();
                if (kLong && !kingFirst_) continue;
                break;
            }
            if (++level_ >= kLevels) InternalFault(g_, level_, count_);
            cursor_[level_] = -1;
            landing_[level_] = 0;
            break;
        }
    }
}

void Generator::Register(int& next) {
    const bool stepsAllowed = !(forcedFlag_ || (capRequired_ && outsideFlag_));
    int pvFrom = -1, pvTo = -1, k1From = -1, k1To = -1, k2From = -1, k2To = -1;
    if (g_.ply >= 0 && g_.ply <= kMaxPly) {
        pvFrom = g_.pv[0][g_.ply].Source;
        pvTo = g_.pv[0][g_.ply].dest;
        k1From = g_.killers[g_.ply][0].Source;
        k1To = g_.killers[g_.ply][0].dest;
        k2From = g_.killers[g_.ply][1].Source;
        k2To = g_.killers[g_.ply][1].dest;
    }
    auto score = [&](int from, int to) {
        if (from == pvFrom && to == pvTo) return 500;
        if (from == k1From && to == k1To) return 250;
        if (from == k2From && to == k2To) return 150;
        return 0;
    };

    struct Survivor {
        uint32_t seq;
        uint8_t to;
    };
    Survivor survivors[kMaxGroupsPerMan];
    int i = 0;
    while (i < count_) {
        const int from = candidates_[i].from;
        for (; i < count_ && candidates_[i].from == from && !candidates_[i].jump; ++i)
            if (stepsAllowed) {
                const int to = candidates_[i].to;
                Append(g_, next, from, to, 0, score(from, to));
            }
        int n = 0;
        bool sorted = true;
        for (; i < count_ && candidates_[i].from == from; ++i) {
            const Candidate& c = candidates_[i];
            const bool longest = c.bestLength == longest_;
            if (forcedFlag_ && !c.forced) continue;
            if (maxCap_ && !longest && !c.forced) continue;
            const uint32_t seq = longest ? c.bestSeq : c.firstSeq;
            if (n > 0 && seq < survivors[n - 1].seq) sorted = false;
            if (n < kMaxGroupsPerMan) survivors[n++] = Survivor{seq, c.to};
        }
        if (!sorted) {
            for (int a = 1; a < n; ++a) {
                const Survivor x = survivors[a];
                int b = a - 1;
                for (; b >= 0 && survivors[b].seq > x.seq; --b)
                    survivors[b + 1] = survivors[b];
                survivors[b + 1] = x;
            }
        }
        for (int k = 0; k < n; ++k)
            Append(g_, next, from, survivors[k].to, 1, score(from, survivors[k].to));
    }
}

}  // namespace

void GenerateMoves(GameState& g, int AllMoves) {
    if (g.ply < 0 || g.ply > kMaxPly) return;  // no ply table to write the list into
    int next = g.plyStart[g.ply];
    if (next < 0 || next > kMovePoolSize - 1) next = next < 0 ? 0 : kMovePoolSize - 1;
    Generator generator(g, AllMoves);
    generator.Run();
    generator.Register(next);
    g.plyStart[g.ply + 1] = static_cast<int16_t>(next);
}

void RegisterMove(GameState& g, int& next, int Source, int dest) {
    Append(g, next, Source, dest, 0, MoveScore(g, Source, dest));
}

void RegisterCaptureMove(GameState& g, int& next, int Source, int dest) {
    Append(g, next, Source, dest, 1, MoveScore(g, Source, dest));
}

}  // namespace zelkor
