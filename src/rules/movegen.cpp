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
//
// The common rule sets take direct paths that give the same list in the same order: men
// that do not slide (no MaxCapMove, ManContJump 1) walk their chains on bitboards and keep
// the squares left in a bit set instead of marking the board; sliding men without
// MaxCapMove have no chains at all. Both write their candidates straight into the pool.
#include "rules/movegen.h"

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rules/move_text.h"

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

[[noreturn]] void InternalFault(GameState& g, int x, int k) {
    const std::string text = "X=" + SignedText(x) + "   K=" + SignedText(k);
    if (g.faultReport != nullptr) g.faultReport->Fatal(text);
    std::fprintf(stderr, "Error: %s\n", text.c_str());
    std::abort();
}

// The ordering scores: the principal variation's move first, then the two killers.
constexpr int kPvMoveScore = 500;
constexpr int kFirstKillerScore = 250;
constexpr int kSecondKillerScore = 150;

int MoveScore(const GameState& g, int Source, int dest) {
    if (g.ply < 0 || g.ply > kMaxPly) return 0;
    const PvEntry& pv = g.pv[0][g.ply];
    if (pv.Source == Source && pv.dest == dest) return kPvMoveScore;
    const auto& killers = g.killers[g.ply];
    if (killers[0].Source == Source && killers[0].dest == dest) return kFirstKillerScore;
    if (killers[1].Source == Source && killers[1].dest == dest) return kSecondKillerScore;
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
        g.cancelRequest =
            CancelRequest::Now;  // the pool is full: stop the search, reuse the last slot
    else
        ++next;
}

class Generator {
  public:
    Generator(GameState& g, MoveSet AllMoves) : g_(g), b_(g.board.data()) {
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
        prune_ = AllMoves == MoveSet::Search || mulJumps_ || capRequired_ || maxCap_;
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

    int s_ = 0;      // the man whose chains are searched
    int level_ = 0;  // for the fault report
};

template <bool kLong>
void Generator::Chains(int s) {
    // The walk keeps its state in locals: the board is written at every hop, and state the
    // compiler must assume the board writes could reach would be reloaded every time.
    int16_t cursor[kLevels];
    int16_t landing[kLevels];
    int16_t origin[kLevels];  // hop origin per level, where the man returns when it is undone
    int16_t path[kLevels];    // squares jumped over, one per hop
    int16_t lastPath[kLevels];
    int32_t* const b = b_;
    const int man = man_;
    const int si = si_;
    const int16_t* const owner = owner_;
    const int nJumps = nJumps_;
    const bool kingFirst = kingFirst_;
    const bool mulJumps = mulJumps_;
    const bool stopAtHome = !manCont_;
    const bool forcing = outOfHome_ && owner[s] == 1 - si;
    const bool outside = owner[s] != si;
    const int ownDistance = DistanceToOwn(s);
    const int oppDistance = DistanceToOpponent(s);
    s_ = s;
    int c = s;
    int level = 0;
    int pathLength = 0;
    int lastLength = 0;
    bool backedUp = false;
    int forcedMark = 0;
    cursor[0] = -1;
    landing[0] = 0;

    // The chain standing on c becomes a candidate. With the duplicate check, a chain whose
    // group this man already has is dropped; under MulJumps it still counts as the last
    // registered path, so the shorter chains it extends are not moves of their own.
    auto registerChain = [&](bool duplicateCheck) {
        if (outside) outsideFlag_ = true;
        if (!(duplicateCheck && !maxCap_ && group_[c][forcedMark] >= 0)) {
            level_ = level;
            AddJump(c, forcedMark, pathLength);
        }
        if (mulJumps) {
            for (int i = 0; i < pathLength; ++i)
                lastPath[i] = path[i];
            lastLength = pathLength;
        }
    };
    auto pathIsPrefixOfLast = [&]() {
        if (pathLength > lastLength) return false;
        for (int i = 0; i < pathLength; ++i)  // the hops of the path, in the last one too
            if (path[i] != lastPath[i]) return false;
        return true;
    };
    // Takes back the hop made at the current level; taking back the first hop also clears
    // the forced mark, so exactly the chains that begin with a forced hop carry it.
    auto undoHop = [&]() {
        --pathLength;
        b[c] = kEmpty;
        c = origin[level];
        b[c] = man;
        backedUp = true;
        if (level == 0) forcedMark = 0;
    };

    for (;;) {
        const int k = ++cursor[level];
        if (k >= nJumps) {
            // Every direction of this level is tried: back to the previous landing square
            // (entering a level again starts its directions afresh).
            if (--level < 0) return;
            if (!mulJumps || !pathIsPrefixOfLast() || (kLong && !backedUp)) registerChain(true);
            undoHop();
            continue;
        }
        const int d = jumps_[k];
        for (;;) {  // one pass per landing distance
            if constexpr (kLong) ++landing[level];
            int o = c + d;
            int approach = 1;
            int t;
            if constexpr (kLong) {
                while (b[o] == kEmpty) {
                    o += d;
                    ++approach;
                }
                if (b[o] == kOffBoard) {
                    landing[level] = 0;
                    break;
                }
                t = kingFirst ? o + d : o + landing[level] * d;
            } else {
                if (b[o] == kEmpty || b[o] == kOffBoard) break;
                t = o + d;
            }
            const int over = b[o];
            bool valid = b[t] == kEmpty && t != s && (over == kWhiteMan || over == kBlackMan);
            if (valid) {
                if (forcing && level == 0 && approach == 1 && over == -man &&
                    !(owner[t] == 1 - si && DistanceToOpponent(t) <= oppDistance))
                    forcedMark = 1;
                if (prune_ && forcedMark == 0 && DistanceToOwn(t) > ownDistance + 2) valid = false;
            }
            if (!valid) {
                if (kLong && !kingFirst) {
                    if (b[t] == kEmpty) continue;  // the next landing square behind the man
                    landing[level] = 0;
                }
                break;
            }
            // Make the hop: the origin is marked as left, the man stands on t.
            path[pathLength++] = static_cast<int16_t>(o);
            origin[level] = static_cast<int16_t>(c);
            b[c] = kChainMark;
            b[t] = man;
            c = t;
            if (kLong || (stopAtHome && owner[t] == si)) {
                // The chain ends on this square.
                registerChain(false);
                undoHop();
                if (kLong && !kingFirst) continue;
                break;
            }
            if (++level >= kLevels) InternalFault(g_, level, count_);
            cursor[level] = -1;
            landing[level] = 0;
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
        if (from == pvFrom && to == pvTo) return kPvMoveScore;
        if (from == k1From && to == k1To) return kFirstKillerScore;
        if (from == k2From && to == k2To) return kSecondKillerScore;
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

// Bitboards of the 64 playing squares: bit 8 * (rank - 1) + (file - 1), so bit order is
// square order. The direct path below keeps its chain state in them instead of marking
// the board, which it never writes.
constexpr std::array<int8_t, kBoardEntries> kBitOf = [] {
    std::array<int8_t, kBoardEntries> bits{};
    bits.fill(-1);
    for (int i = 0; i < 64; ++i)
        bits[kPlayingSquares[i]] = static_cast<int8_t>(i);
    return bits;
}();

// A direction on the bitboard: the bit distance and the squares from which one and two
// steps stay on the board.
struct BitDirection {
    int delta = 0;
    uint64_t oneStep = 0;
    uint64_t twoSteps = 0;
};
constexpr int kOffsets[kMaxDirections] = {kNorth,     kEast,      kSouth,     kWest,
                                          kNorthEast, kNorthWest, kSouthEast, kSouthWest};
constexpr std::array<BitDirection, kMaxDirections> kBitDirections = [] {
    std::array<BitDirection, kMaxDirections> directions{};
    for (int k = 0; k < kMaxDirections; ++k) {
        const int d = kOffsets[k];
        const int rows = (d + 15) / 10 - 1;  // -1, 0 or 1
        directions[k].delta = rows * 8 + (d - rows * 10);
        for (int i = 0; i < 64; ++i) {
            const int s = kPlayingSquares[i];
            if (IsPlayingSquare(s + d)) directions[k].oneStep |= uint64_t{1} << i;
            if (IsPlayingSquare(s + d) && IsPlayingSquare(s + 2 * d))
                directions[k].twoSteps |= uint64_t{1} << i;
        }
    }
    return directions;
}();
const BitDirection& BitDirectionOf(int d) {
    for (int k = 0; k < kMaxDirections; ++k)
        if (kOffsets[k] == d) return kBitDirections[k];
    return kBitDirections[0];  // never reached: the rows hold real offsets only
}

// The squares c for which c + delta is one of `squares`.
inline uint64_t Behind(uint64_t squares, int delta) {
    return delta >= 0 ? squares >> delta : squares << -delta;
}

// kWithin[i][n]: the squares at most n steps (Manhattan distance) from square bit i.
using WithinTable = std::array<std::array<uint64_t, 17>, 64>;
constexpr WithinTable kWithin = [] {
    WithinTable within{};
    for (int i = 0; i < 64; ++i)
        for (int j = 0; j < 64; ++j) {
            const int distance = ManhattanDistance(kPlayingSquares[i], kPlayingSquares[j]);
            for (int n = distance; n <= 16; ++n)
                within[i][n] |= uint64_t{1} << j;
        }
    return within;
}();

// The squares at most `limit` steps from `corner`, which need not be a playing square.
uint64_t Within(int corner, int limit) {
    if (limit < 0) return 0;
    const int bit = corner >= 0 && corner < kBoardEntries ? kBitOf[corner] : -1;
    if (bit >= 0) return kWithin[bit][limit > 16 ? 16 : limit];
    uint64_t squares = 0;
    for (int j = 0; j < 64; ++j) {
        const int s = kPlayingSquares[j];
        if (Abs(kRows[s] - RowOf(corner)) + Abs(kColumns[s] - ColumnOf(corner)) <= limit)
            squares |= uint64_t{1} << j;
    }
    return squares;
}

struct Occupancy {
    uint64_t white = 0;
    uint64_t black = 0;
    uint64_t empty = 0;
};

// White men, Black men and empty squares; any other value is none of them.
Occupancy OccupancyOf(const int32_t* board) {
    Occupancy o;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i white = _mm_set1_epi32(kWhiteMan);
    const __m128i black = _mm_set1_epi32(kBlackMan);
    auto mask = [](__m128i lanes) {
        return static_cast<uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(lanes)));
    };
    for (int rank = 0; rank < 8; ++rank) {
        const int32_t* row = board + 21 + 10 * rank;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4));
        const int shift = 8 * rank;
        o.white |= (mask(_mm_cmpeq_epi32(a, white)) | mask(_mm_cmpeq_epi32(b, white)) << 4)
                   << shift;
        o.black |= (mask(_mm_cmpeq_epi32(a, black)) | mask(_mm_cmpeq_epi32(b, black)) << 4)
                   << shift;
        o.empty |= (mask(_mm_cmpeq_epi32(a, zero)) | mask(_mm_cmpeq_epi32(b, zero)) << 4) << shift;
    }
#else
    for (int i = 0; i < 64; ++i) {
        const int v = board[kPlayingSquares[i]];
        const uint64_t bit = uint64_t{1} << i;
        if (v == kWhiteMan) o.white |= bit;
        if (v == kBlackMan) o.black |= bit;
        if (v == kEmpty) o.empty |= bit;
    }
#endif
    return o;
}

// The same from the search's account of the position while it keeps one: the key holds a
// White man in one image, a Black man in the other and any other value in both.
Occupancy OccupancyOf(const GameState& g) {
    if (!g.tracked.on) return OccupancyOf(g.board.data());
    const PositionKey& key = g.tracked.key;
    return Occupancy{key.white & ~key.black, key.black & ~key.white, ~(key.white | key.black)};
}

// The playing squares whose owner entry is `side`.
uint64_t SquaresOwnedBy(const int16_t* owner, int side) {
    uint64_t squares = 0;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(static_cast<int16_t>(side));
    for (int rank = 0; rank < 8; ++rank) {
        const __m128i row =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(owner + 21 + 10 * rank));
        const __m128i equal = _mm_packs_epi16(_mm_cmpeq_epi16(row, wanted), _mm_setzero_si128());
        squares |= static_cast<uint64_t>(_mm_movemask_epi8(equal) & 0xff) << (8 * rank);
    }
#else
    for (int j = 0; j < 64; ++j)
        if (owner[kPlayingSquares[j]] == side) squares |= uint64_t{1} << j;
#endif
    return squares;
}

inline int LowestBit(uint64_t bits) {
    return __builtin_ctzll(bits);
}

// Asked once a generation, for the pool's room only: the library's count is fast enough.
inline int BitCount(uint64_t bits) {
    return std::popcount(bits);
}

// The last pass of the direct paths over the candidates start .. w - 1 in the pool: steps
// go when they are not allowed, unforced jumps when a forced one exists (a jump's score
// holds its forced mark until here), and the rest get their ordering scores.
void FinishCandidates(GameState& g, int start, int w, bool stepsAllowed, bool forcedFlag,
                      int& next) {
    Move* const pool = g.movePool.data();
    const int ply = g.ply;
    const int pvFrom = g.pv[0][ply].Source, pvTo = g.pv[0][ply].dest;
    const int k1From = g.killers[ply][0].Source, k1To = g.killers[ply][0].dest;
    const int k2From = g.killers[ply][1].Source, k2To = g.killers[ply][1].dest;
    const bool anyKnown = pvFrom != 0 || k1From != 0 || k2From != 0;
    if (stepsAllowed && !forcedFlag) {
        // Every candidate is a move (no jump is marked forced), scored 0 so far.
        if (anyKnown)
            for (int i = start; i < w; ++i) {
                Move& mv = pool[i];
                if (mv.Source == pvFrom && mv.dest == pvTo)
                    mv.score = kPvMoveScore;
                else if (mv.Source == k1From && mv.dest == k1To)
                    mv.score = kFirstKillerScore;
                else if (mv.Source == k2From && mv.dest == k2To)
                    mv.score = kSecondKillerScore;
            }
        next = w;
        return;
    }
    int out = start;
    for (int i = start; i < w; ++i) {
        Move mv = pool[i];
        if (mv.jump ? (forcedFlag && mv.score == 0) : !stepsAllowed) continue;
        int score = 0;
        if (anyKnown) {
            if (mv.Source == pvFrom && mv.dest == pvTo)
                score = kPvMoveScore;
            else if (mv.Source == k1From && mv.dest == k1To)
                score = kFirstKillerScore;
            else if (mv.Source == k2From && mv.dest == k2To)
                score = kSecondKillerScore;
        }
        mv.score = score;
        pool[out++] = mv;
    }
    next = out;
}

// The rule sets in which every (from, to, forced) group can hold only one chain: the
// duplicate check is on (no MaxCapMove) and every chain passes it (no LongKings, and
// ManContJump 1 so no chain ends on arrival). The candidates then arrive in their final
// order and go straight into the pool; a last pass drops what the flags forbid. Returns
// false, having changed nothing, when the pool might not hold every candidate.
bool GenerateSimple(GameState& g, MoveSet AllMoves, int& next) {
    const int man = g.side == kBlack ? kBlackMan : kWhiteMan;
    const int si = SideIndex(man);
    const auto& f = g.active.flags;
    const bool mulJumps = f[MulJumps] != 0;
    const bool capRequired = f[CapRequired] != 0;
    const bool outOfHome = f[OutofHome] != 0;
    const bool prune = AllMoves == MoveSet::Search || mulJumps || capRequired;
    int steps[kMaxDirections];
    int jumps[kMaxDirections];
    const int nSteps = LoadDirections(g.directions[si], steps);
    const int nJumps = LoadDirections(g.directions[si + 2], jumps);
    const int16_t* const owner = g.homeTables.owner.data();
    const int ownCorner = g.active.home[si][0];
    const int oppCorner = g.active.home[1 - si][0];
    const int ownRow = RowOf(ownCorner), ownColumn = ColumnOf(ownCorner);
    const int oppRow = RowOf(oppCorner), oppColumn = ColumnOf(oppCorner);
    auto distanceToOwn = [&](int square) {
        return Abs(kRows[square] - ownRow) + Abs(kColumns[square] - ownColumn);
    };
    auto distanceToOpponent = [&](int square) {
        return Abs(kRows[square] - oppRow) + Abs(kColumns[square] - oppColumn);
    };

    const Occupancy occupancy = OccupancyOf(g);
    const uint64_t ownMen = man == kWhiteMan ? occupancy.white : occupancy.black;
    const uint64_t opponents = man == kWhiteMan ? occupancy.black : occupancy.white;
    const uint64_t allMen = occupancy.white | occupancy.black;
    const int nMen = BitCount(ownMen);
    // A man has at most nSteps steps and two jump groups per other square of its class.
    const int start = next;
    if (start + nMen * (nSteps + 30) > kMovePoolSize - 1) return false;

    // Per square, the entries of the step row in which a man there could step, and those
    // of the jump row in which it could hop over a man to an empty square, as the board
    // stands. Inside a chain a hop is then refused only when it goes over the square its
    // man has left or lands on a square it has stood on.
    uint8_t stepsFrom[64] = {};
    for (int k = 0; k < nSteps; ++k) {
        const BitDirection& direction = BitDirectionOf(steps[k]);
        uint64_t from = Behind(occupancy.empty, direction.delta) & direction.oneStep & ownMen;
        for (; from != 0; from &= from - 1)
            stepsFrom[LowestBit(from)] |= static_cast<uint8_t>(1u << k);
    }
    int jumpDelta[kMaxDirections];
    uint8_t hops[64] = {};
    for (int k = 0; k < nJumps; ++k) {
        const BitDirection& direction = BitDirectionOf(jumps[k]);
        jumpDelta[k] = direction.delta;
        uint64_t from = Behind(allMen, direction.delta) &
                        Behind(occupancy.empty, 2 * direction.delta) & direction.twoSteps;
        for (; from != 0; from &= from - 1)
            hops[LowestBit(from)] |= static_cast<uint8_t>(1u << k);
    }
    // The opponent's home squares, for the forced hops out of the starting camp.
    const uint64_t opponentHome = outOfHome ? SquaresOwnedBy(owner, 1 - si) : 0;

    Move* const pool = g.movePool.data();
    int w = start;
    bool forcedFlag = false;
    bool outsideFlag = false;
    uint32_t remaining[kLevels];
    int8_t origin[kLevels];
    int8_t path[kLevels];
    int8_t lastPath[kLevels];

    for (uint64_t menLeft = ownMen; menLeft != 0; menLeft &= menLeft - 1) {
        const int sb = LowestBit(menLeft);
        const int s = kPlayingSquares[sb];
        for (uint32_t k = stepsFrom[sb]; k != 0; k &= k - 1)
            pool[w++] = Move{s, s + steps[LowestBit(k)], 0, 0};
        if (hops[sb] == 0) continue;  // no first hop, so no chain

        const bool outside = owner[s] != si;
        // Landing squares the pruning allows, and those of a forced first hop: out of the
        // opponent's camp over an opposing man, unless it lands in that camp no farther
        // from its corner.
        const uint64_t near = prune ? Within(ownCorner, distanceToOwn(s) + 2) : ~uint64_t{0};
        const bool forcing = outOfHome && owner[s] == 1 - si;
        const uint64_t forcedLanding =
            forcing ? ~(opponentHome & Within(oppCorner, distanceToOpponent(s))) : 0;
        uint64_t visited = 0;  // squares this chain has landed on

        uint64_t seen[2] = {0, 0};  // this man's to-squares per forced mark
        int level = 0;
        int c = sb;
        int pathLength = 0;
        int lastLength = 0;
        int forcedMark = 0;
        remaining[0] = hops[sb];
        for (;;) {
            const uint32_t directions = remaining[level];
            if (directions == 0) {
                if (--level < 0) break;
                bool prefix = false;
                if (mulJumps && pathLength <= lastLength) {
                    prefix = true;
                    for (int i = 0; i < pathLength; ++i)
                        if (path[i] != lastPath[i]) {
                            prefix = false;
                            break;
                        }
                }
                if (!prefix) {
                    if (outside) outsideFlag = true;
                    const uint64_t bit = uint64_t{1} << c;
                    if (!(seen[forcedMark] & bit)) {
                        seen[forcedMark] |= bit;
                        pool[w++] = Move{s, kPlayingSquares[c], 1, forcedMark};
                        if (forcedMark) forcedFlag = true;
                    }
                    if (mulJumps) {
                        for (int i = 0; i < pathLength; ++i)
                            lastPath[i] = path[i];
                        lastLength = pathLength;
                    }
                }
                --pathLength;
                visited &= ~(uint64_t{1} << c);
                c = origin[level];
                if (level == 0) forcedMark = 0;
                continue;
            }
            const int k = LowestBit(directions);
            remaining[level] = directions & (directions - 1);
            const int o = c + jumpDelta[k];
            const int t = o + jumpDelta[k];
            const uint64_t landing = uint64_t{1} << t;
            if (o == sb || (visited & landing)) continue;
            if (level == 0 && forcing && (opponents >> o & 1) && (forcedLanding & landing))
                forcedMark = 1;
            if (forcedMark == 0 && !(near & landing)) continue;
            path[pathLength++] = static_cast<int8_t>(o);
            origin[level] = static_cast<int8_t>(c);
            visited |= landing;
            c = t;
            if (++level >= kLevels) InternalFault(g, level, w - start);
            remaining[level] = hops[c];
        }
    }

    const bool stepsAllowed = !(forcedFlag || (capRequired && outsideFlag));
    FinishCandidates(g, start, w, stepsAllowed, forcedFlag, next);
    return true;
}

// Sliding men (LongKings) without MaxCapMove: a hop ends its move at once, so there are no
// chains, and two hops of one man reach the same square only through a direction the
// jump row names twice. Such a pair forms one group that keeps the later place, so the
// row is read without the earlier copies. Returns false, having changed nothing, when the
// pool might not hold every candidate.
bool GenerateSliding(GameState& g, MoveSet AllMoves, int& next) {
    const int32_t* const b = g.board.data();
    const int man = g.side == kBlack ? kBlackMan : kWhiteMan;
    const int si = SideIndex(man);
    const auto& f = g.active.flags;
    const bool kingFirst = f[KingFirst] != 0;
    const bool capRequired = f[CapRequired] != 0;
    const bool prune = AllMoves == MoveSet::Search || f[MulJumps] || capRequired;
    int steps[kMaxDirections];
    int row[kMaxDirections];
    const int nSteps = LoadDirections(g.directions[si], steps);
    const int nRow = LoadDirections(g.directions[si + 2], row);
    int jumps[kMaxDirections];
    int nJumps = 0;
    for (int k = 0; k < nRow; ++k) {
        bool later = false;
        for (int j = k + 1; j < nRow; ++j)
            if (row[j] == row[k]) later = true;
        if (!later) jumps[nJumps++] = row[k];
    }
    const int16_t* const owner = g.homeTables.owner.data();
    const int ownCorner = g.active.home[si][0];
    const int oppCorner = g.active.home[1 - si][0];
    const int ownRow = RowOf(ownCorner), ownColumn = ColumnOf(ownCorner);
    const int oppRow = RowOf(oppCorner), oppColumn = ColumnOf(oppCorner);
    auto distanceToOwn = [&](int square) {
        return Abs(kRows[square] - ownRow) + Abs(kColumns[square] - ownColumn);
    };
    auto distanceToOpponent = [&](int square) {
        return Abs(kRows[square] - oppRow) + Abs(kColumns[square] - oppColumn);
    };

    const Occupancy occupancy = OccupancyOf(g);
    const uint64_t ownMen = man == kWhiteMan ? occupancy.white : occupancy.black;
    // A man slides at most 7 squares and lands at most 6 squares behind a man per direction.
    const int start = next;
    if (start + BitCount(ownMen) * (7 * nSteps + 6 * nJumps) > kMovePoolSize - 1) return false;

    Move* const pool = g.movePool.data();
    int w = start;
    bool forcedFlag = false;
    bool outsideFlag = false;
    for (uint64_t menLeft = ownMen; menLeft != 0; menLeft &= menLeft - 1) {
        const int s = kPlayingSquares[LowestBit(menLeft)];
        for (int k = 0; k < nSteps; ++k)
            for (int t = s + steps[k]; b[t] == kEmpty; t += steps[k])
                pool[w++] = Move{s, t, 0, 0};
        const bool outside = owner[s] != si;
        const bool forcing = f[OutofHome] && owner[s] == 1 - si;
        const int ownLimit = distanceToOwn(s) + 2;
        const int oppDistance = distanceToOpponent(s);
        for (int k = 0; k < nJumps; ++k) {
            const int d = jumps[k];
            int o = s + d;
            while (b[o] == kEmpty)
                o += d;
            const int over = b[o];
            if (over != kWhiteMan && over != kBlackMan) continue;  // off the board or blocked
            const bool forcedHop = forcing && o == s + d && over == -man;
            for (int t = o + d; b[t] == kEmpty; t += d) {
                const int forced =
                    forcedHop && !(owner[t] == 1 - si && distanceToOpponent(t) <= oppDistance);
                if (forced || !prune || distanceToOwn(t) <= ownLimit) {
                    if (outside) outsideFlag = true;
                    if (forced) forcedFlag = true;
                    pool[w++] = Move{s, t, 1, forced};
                }
                if (kingFirst) break;
            }
        }
    }
    const bool stepsAllowed = !(forcedFlag || (capRequired && outsideFlag));
    FinishCandidates(g, start, w, stepsAllowed, forcedFlag, next);
    return true;
}

}  // namespace

void GenerateMoves(GameState& g, MoveSet AllMoves) {
    if (g.ply < 0 || g.ply > kMaxPly) return;  // no ply table to write the list into
    int next = g.plyStart[g.ply];
    if (next < 0 || next > kMovePoolSize - 1) next = next < 0 ? 0 : kMovePoolSize - 1;
    const auto& f = g.active.flags;
    bool done = false;
    if (f[MaxCapMove] == 0 && f[LongKings] != 0)
        done = GenerateSliding(g, AllMoves, next);
    else if (f[MaxCapMove] == 0 && f[ManContJump] != 0)
        done = GenerateSimple(g, AllMoves, next);
    if (!done) {
        Generator generator(g, AllMoves);
        generator.Run();
        generator.Register(next);
    }
    g.plyStart[g.ply + 1] = static_cast<int16_t>(next);
}

std::vector<Move> LegalMoves(const GameState& g) {
    // A whole GameState is some hundreds of kilobytes, with strings to construct: the
    // scratch is made once per thread, and each call copies in only what the generation
    // reads (the position and the rules in force) and starts an empty tree at ply 0, whose
    // main line and killers stay empty.
    thread_local std::unique_ptr<GameState> scratch;
    if (!scratch) scratch = std::make_unique<GameState>();
    GameState& s = *scratch;
    static_cast<Position&>(s) = g;
    static_cast<RulesInForce&>(s) = g;
    s.faultReport = g.faultReport;
    s.ply = 0;
    s.plyStart[0] = 0;
    s.cancelRequest = CancelRequest::None;
    GenerateMoves(s, MoveSet::All);
    return {s.movePool.begin(), s.movePool.begin() + MoveCount(s)};
}

void RegisterMove(GameState& g, int& next, int Source, int dest) {
    Append(g, next, Source, dest, 0, MoveScore(g, Source, dest));
}

void RegisterCaptureMove(GameState& g, int& next, int Source, int dest) {
    Append(g, next, Source, dest, 1, MoveScore(g, Source, dest));
}

}  // namespace zelkor
