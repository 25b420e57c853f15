// The program-wide state of one game in plain bundles: position, rules in force, the move
// pool and per-ply tables of the game tree, the played game and its move texts, and the
// stop flags of a search. One object per program; it is large (the principal-variation
// table alone is 101 x 101 moves), so keep it on the heap.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/fault_report.h"
#include "rules/variant.h"

namespace zelkor {

constexpr int kMovePoolSize = 3001;    // MovePool indices 0..3000
constexpr int kMaxPly = 100;           // Ply 0..100
constexpr int kGameRecordSize = 3001;  // GameRecord indices 0..3000
constexpr int kHistorySize = 1001;     // PositionHistory entries 0..1000
constexpr int kMaxGamePlies = 1000;    // the move list holds 500 rows of two plies
constexpr int kMoveRows = 501;         // MoveTextRecord move numbers 0..500

constexpr int kWinScore = 32000;

// One move: from-square, to-square, jump flag (1 jump, 0 step) and ordering score.
struct Move {
    int32_t Source = 0;
    int32_t dest = 0;
    int32_t jump = 0;
    int32_t score = 0;
};

struct PvEntry {
    int32_t Source = 0;
    int32_t dest = 0;
    int32_t jump = 0;
};
// Row r holds the best line from ply r: entries (r, r), (r, r + 1), ... up to Source 0.
using PvTable = std::array<std::array<PvEntry, kMaxPly + 1>, kMaxPly + 1>;

struct KillerMove {
    int32_t Source = 0;
    int32_t dest = 0;
};
using KillerTable = std::array<std::array<KillerMove, 2>, kMaxPly + 1>;

// An exact image of the 64 playing squares (bit i for the i-th square from a1 in square
// order): White men in one bitboard, Black men in the other, any other value that is not
// empty in both. The side to move is not part of it. Equal keys mean equal contents of
// every square.
struct PositionKey {
    uint64_t white = 0;
    uint64_t black = 0;
    friend bool operator==(const PositionKey&, const PositionKey&) = default;
};
PositionKey MakePositionKey(const Board& board);

// Bit of a playing square in a PositionKey (a1 = 0 ... h8 = 63); 64 for any other entry,
// whose bit falls outside a key.
inline constexpr std::array<uint8_t, kBoardEntries> kKeyBitOfSquare = [] {
    std::array<uint8_t, kBoardEntries> bits{};
    for (auto& bit : bits)
        bit = 64;
    for (int i = 0; i < 64; ++i)
        bits[kPlayingSquares[i]] = static_cast<uint8_t>(i);
    return bits;
}();

// What the evaluation reads of the position, kept up to date move by move while the search
// runs (`on`), so that a node need not scan the board for it: the board image, White's
// distance values minus Black's, and the men of each colour counted slot by slot on each
// side's home-square list as the win test counts them.
struct TrackedPosition {
    bool on = false;
    PositionKey key;
    int sum = 0;
    int whiteIn = 0;           // White men on White's list
    int blackOnWhiteHome = 0;  // Black men on White's list
    int whiteOnBlackHome = 0;  // White men on Black's list
    int blackIn = 0;           // Black men on Black's list
    // Per side index and square: the slots of that side's list, below its target count,
    // that name the square.
    std::array<std::array<int8_t, kBoardEntries>, 2> homeSlots{};
    friend bool operator==(const TrackedPosition&, const TrackedPosition&) = default;
};

// How many of the position-history entries above the node being searched fall into each of
// a few thousand buckets of their keys. A key whose bucket is empty repeats none of them, so
// the exact comparison with every entry is only needed when the bucket is not empty.
class PathFilter {
  public:
    static constexpr int kBuckets = 4096;
    static int Bucket(const PositionKey& key) {
        const uint64_t mixed = key.white * 0x9E3779B97F4A7C15ULL ^
                               (key.black + 0x632BE59BD9B4E019ULL) * 0xC2B2AE3D27D4EB4FULL;
        return static_cast<int>(mixed >> 52);  // 0 .. kBuckets - 1
    }
    void Clear() { counts_.fill(0); }
    void Add(const PositionKey& key) { ++counts_[Bucket(key)]; }
    void Remove(const PositionKey& key) {
        uint16_t& count = counts_[Bucket(key)];
        if (count > 0) --count;
    }
    bool MayHold(const PositionKey& key) const { return counts_[Bucket(key)] != 0; }
    friend bool operator==(const PathFilter&, const PathFilter&) = default;

  private:
    std::array<uint16_t, kBuckets> counts_{};
};

// Per move number (0..500): the first side's move, the other side's move, who made each
// ("1" computer, "2" player, "3" replayed from a file) and the search depth reached for
// the row's computer move. A move field is the raw lower-case text, a blank and the
// display text ("c3d4 c3-d4").
struct MoveTextRow {
    std::string first;
    std::string second;
    std::string firstBy;
    std::string secondBy;
    std::string depth;
};

enum class PlayMode : uint8_t { PlayerComputer = 0, PlayerPlayer = 1, ComputerComputer = 2 };

// CancelRequest: the user's Cancel stops the search at its next node; a stop by the time
// manager is a normal end of the search.
enum class CancelRequest : uint8_t { None = 0, Now = 1, TimeManagerStop = 2 };

// The draw rules' finding after the last move (the game's drawFlag).
enum class DrawKind : uint8_t {
    None = 0,
    Repetition = 1,  // the position occurred a third time
    MoveCount = 2,   // too many half-moves since the last jump
};

// The position on the board.
struct Position {
    Board board = EmptyBoard();
    Board initialBoard = EmptyBoard();  // the position the game started from
    int side = kWhite;                  // side to move

    int sideIndex() const { return SideIndex(side); }
};

struct RulesInForce {
    VariantRules active;          // the rules in force
    VariantRules defined;         // the variant as the variant file defines it
    DirectionTable directions{};  // parsed from the active direction texts
    HomeTables homeTables;        // HomeOwner, target counts, TargetDistanceTable
    char jumpChar = 'x';          // 'x', or ':' with the JumpChar setting

    uint8_t rule(RuleFlag f) const { return active.flags[f]; }
};

// The move pool and the per-ply tables of the game tree.
struct SearchTree {
    std::array<Move, kMovePoolSize> movePool{};
    std::array<int16_t, kMaxPly + 2>
        plyStart{};  // MoveList of ply p: plyStart[p] .. plyStart[p + 1] - 1
    int ply = 0;
    int gamePly = 0;
    std::array<bool, kMaxPly + 1> jumpAtPly{};
    PvTable pv{};
    KillerTable killers{};
    TrackedPosition tracked;  // kept by PerformMove and TakeBackMove during a search
    // The position-history entries 0 .. GamePly - 2 while tracked.on, kept by the same two.
    PathFilter pathFilter;
};

// The played game. gameRecord[k] is the k-th half-move; Source 0 ends the record.
struct PlayedGame {
    std::array<Move, kGameRecordSize> gameRecord{};
    std::array<PositionKey, kHistorySize> positionHistory{};  // [k]: after k + 1 half-moves
    DrawKind drawFlag = DrawKind::None;
    std::string resultText;
    std::array<MoveTextRow, kMoveRows> moveTexts{};
    int recordLength = 0;                              // plies recorded; gamePly <= recordLength
    std::array<std::string, kHistorySize> comments{};  // comment of the position at each ply
    PlayMode playMode = PlayMode::PlayerComputer;
    bool handSetUp = false;  // the position comes from the position editor
    bool rated = true;       // the game counts for the rating; set by a new game, cleared by
                             // anything that spoils a fair game (replay, hint, analysis, ...)
    bool gameOver = false;
    bool gameStarted = false;
    bool computationStarted = false;
};

// How a running search is asked to stop and learns that it has.
struct StopFlags {
    CancelRequest cancelRequest = CancelRequest::None;
    bool searchStopped = false;
    bool timeUp = false;  // the time manager made the stop request
};

// The state of one game that the rules, the records and the engine share; the controller
// keeps its own flags and move-list lines beside it (GameSession).
struct GameState : Position, RulesInForce, SearchTree, PlayedGame, StopFlags {
    // Where an internal fault of the move generator is reported; without a report it goes to
    // stderr before the process ends. Copies that run elsewhere than the window's thread go
    // without one.
    FaultReport* faultReport = nullptr;
};

}  // namespace zelkor
