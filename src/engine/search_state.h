// The search state kept between calls: the root table and what the driver remembers of
// the game's computer moves (scores, draw offers, the expected reply).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/game_state.h"

namespace zelkor {

constexpr int kUnsearched = -32767;

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

}  // namespace zelkor
