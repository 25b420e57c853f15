// The search engine's state and what one computation works on: the search state kept
// between calls, the result and progress of a root search, and the Engine bundle.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "records/settings.h"
#include "rules/clock_random.h"
#include "rules/game_state.h"

namespace zelkor {

constexpr int kUnsearched = -32767;
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

// One root move of the driver's search: squares and the score it was given.
struct RootEntry {
    int32_t from = kUnsearched;
    int32_t to = 0;
    int32_t score = kUnsearched;
    // A move searched with the null window only learns that it is no better than the
    // best: its score is then an upper bound, not a value.
    bool upperBound = false;
    int32_t depth = 0;  // the iteration that gave the score
};

// Search state that outlives one call: kept for the whole run, per-game parts reset by
// ResetForNewGame.
struct SearchState {
    int noiseAmplitude = 0;
    int repetitionCount = 0;
    bool opponentHasWon = false;
    int extensionLimit = 0;
    double searchStartTime = 0;  // rounded seconds since midnight
    int searchStartPly = 0;
    // One entry per root move; as large as the move pool, so no position can overflow it.
    std::array<RootEntry, kMovePoolSize> rootTable{};
    int rootCount = 0;
    // The root table holds an analysis of the position on the board, not the alternatives
    // to the move the computer has just played.
    bool analysedHere = false;
    int bestScore = 0;
    int depthReached = 0;
    bool bookMovePlayed = false;
    std::array<int16_t, kHistorySize> scoreHistory{};    // BestScore of the computer's move per ply
    std::array<int16_t, kHistorySize> rootMoveCounts{};  // legal moves the computer had per ply
    int stableScoreCounter = 0;
    int lastDrawOfferPly = 0;
    bool announced = false;  // a forced win or loss was announced in this game
    int hintFrom = 0;        // the player's expected reply, from-square 0 when none
    int hintTo = 0;
    std::string mainLine;  // the main-line text of the last report
    // The principal line as it stood at the last new best root move (the root clears the
    // line's head before each root move it searches).
    std::array<PvEntry, kMaxPly + 1> bestLine{};
    uint64_t nodes = 0;     // nodes entered by the search; callers reset it as they need
    int shownElapsed = -1;  // the elapsed seconds the time check last displayed
    int progressValue = 0;  // the progress bar's value in depth mode

    void ResetForNewGame();
    // Every root move unsearched, before a computation and when the position changes.
    void ClearRootScores();
};

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
    std::vector<PvEntry> mainLine;     // the line of the best move, from the root
    std::vector<RootEntry> rootMoves;  // the best first, then in the search's order
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
    std::function<void(int depth, const std::string& move)> rootMove;  // before each root move
    std::function<void(const NewBestReport&)> newBest;
    std::function<void(int value)> progress;       // the progress bar's value
    std::function<void(int remaining)> countdown;  // seconds left, by time with the countdown
    // Called at every node by a search that runs on the window's own thread.
    std::function<void()> poll;
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
