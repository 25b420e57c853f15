// What one computation works on: the result and progress of a root search, and the Engine
// bundle over the game, the search state kept between calls, the settings, clock and random.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/search_state.h"
#include "records/settings.h"
#include "rules/clock_random.h"
#include "rules/game_state.h"

namespace zelkor {

// A best score at least this far from 0 is a forced win or loss, announced with its
// distance; a move whose own score is above it has won.
constexpr int kForcedResultScore = 31980;
// The computer proposes a draw only below this score, once its score has stayed within
// kStableScoreMargin of the score kStableScorePlies plies earlier at two moves in a row,
// and no sooner than kDrawProposalInterval plies after its last proposal. Playing itself,
// it takes such a draw with chance kSelfPlayDrawChance.
constexpr int kDrawProposalMaxScore = 30000;
constexpr int kStableScorePlies = 78;
constexpr int kStableScoreMargin = 100;
constexpr int kDrawProposalInterval = 40;
constexpr double kSelfPlayDrawChance = 0.1;

// Why a root search ended.
enum class StopReason {
    Completed,    // every iteration it was given
    Cancelled,    // the stop request (Cancel, or the window closing)
    TimeUp,       // the fixed time limit, noticed inside the search
    TimeManager,  // the flexible time manager, between root moves
};

// What a root search found.
struct SearchResult {
    Move best{};    // the move to play, also pool record 0
    int score = 0;  // BestScore
    int depth = 0;  // the deepest iteration in which some root move was searched to the end
    std::vector<PvEntry> mainLine{};     // the line of the best move, from the root
    std::vector<RootEntry> rootMoves{};  // the best first, then in the search's order
    StopReason stop = StopReason::Completed;
    uint64_t nodes = 0;  // search.nodes afterwards
};

// A new best root move, as the search reports it.
struct NewBestReport {
    int depth = 0;
    std::string move;  // its text
    int score = 0;
    bool book = false;     // the root list is the single book move
    std::string mainLine;  // with a blank after each move; empty unless ShowCalculation
};

// How a search tells its caller what it is doing; any member may be empty. The window
// shows these, the tools print or ignore them.
struct SearchProgress {
    std::function<void(int depth, const std::string& move)> rootMove{};  // before each root move
    std::function<void(const NewBestReport&)> newBest{};
    std::function<void(int value)> progress{};       // the progress bar's value
    std::function<void(int remaining)> countdown{};  // seconds left, by time with the countdown
    // Called at every node by a search that runs on the window's own thread.
    std::function<void()> poll{};
};

// Everything one computation works on, passed explicitly.
struct Engine {
    GameState& game;
    SearchState& search;
    Settings& settings;
    Clock& clock;
    Random& random;
    SearchProgress progress{};
    // Set by Cancel (from any thread); the search looks at it at every node.
    const std::atomic<bool>* stop = nullptr;

    bool StopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
};

}  // namespace zelkor
