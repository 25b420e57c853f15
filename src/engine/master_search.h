// The Master level: a search of its own beside the levels' search, over a copy of the
// game. Iterative deepening with a principal-variation search, aspiration windows, a
// shared transposition table, killer and history ordering, late-move reductions, and
// several threads searching the same tree (each helper a step deeper now and then, all
// sharing the table). The rules' move generator gives the moves, so every rule of every
// variant holds. It never plays a move: it returns what it found.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "rules/clock_random.h"
#include "rules/game_state.h"

namespace zelkor::master {

class TranspositionTable;

struct MasterResult {
    int from = 0;  // 0 when the side to move has no move (or the game is decided)
    int to = 0;
    bool jump = false;
    int score = 0;  // for the side to move; kWinScore - n: a win in n plies
    int depth = 0;  // the last iteration completed
    std::vector<std::pair<int, int>> pv;
    uint64_t nodes = 0;  // over every thread
    double seconds = 0;
};

// Parts of the search that can be switched off, so that a match can measure each one.
struct MasterFeatures {
    bool reductions = true;  // late-move reductions
    bool aspiration = true;  // aspiration windows at the root
    bool history = true;     // history and killer ordering
    bool table = true;       // the transposition table
    bool prune = false;      // below the root, the levels' reduced move set (no far retreats)
};

struct MasterLimits {
    double seconds = 1;  // the search stops in time to return within it
    int maxDepth = 60;
    int threads = 1;
    bool chessDrawRules = true;               // the draw rules end the game
    bool drawRule15 = true;                   // 30 half-moves without a jump, else 20
    const std::atomic<bool>* stop = nullptr;  // set from outside to stop at once
    Clock* clock = nullptr;  // the time is read from it when set, else from the steady clock
    MasterFeatures features{};
    // After every completed iteration (and every new best move of one).
    std::function<void(const MasterResult&)> onProgress{};
};

// From this game ply on, the root keeps the camp rule of tournaments (no man left in its
// starting camp after the side's 30th move): a man still in the camp leaves it with the
// first move that can take it out, and no man goes back into the camp.
constexpr int kCampRulePly = 44;

// The legal moves the root chooses from under that rule: the moves that take a man out of
// the side's starting camp when there are any; else every move but those that end in the
// camp from outside it (all of them when nothing else is left).
std::vector<Move> CampRuleMoves(const GameState& g, const std::vector<Move>& legal);

class MasterEngine {
  public:
    explicit MasterEngine(int tableBits = 20);
    ~MasterEngine();
    MasterEngine(const MasterEngine&) = delete;
    MasterEngine& operator=(const MasterEngine&) = delete;

    // Searches the position in g for the side to move; g is not changed. The position
    // history and the game record up to g.gamePly count for the draw rules.
    MasterResult Search(const GameState& g, const MasterLimits& limits);
    // Forgets what earlier searches learned (a new game).
    void Clear();

  private:
    std::unique_ptr<TranspositionTable> table_;
    double pause_ = 0;  // the longest pause between two reads of the clock in the last search
};

}  // namespace zelkor::master
