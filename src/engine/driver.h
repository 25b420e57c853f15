// The computer's move: preparation, iterative deepening over the root moves, playing the
// move, announcements, the draw proposal and the end-of-game checks. The analysis runs
// the same search without playing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/engine.h"

namespace zelkor {

// Waits the given seconds without letting the event loop run.
inline void Pause(Engine& e, double seconds) {
    e.clock.Pause(seconds);
}

// Plays one computer move for the side to move, or ends the game: BeginComputerMove, the
// search, FinishComputerMove, in one call.
void ComputerMove(Engine& e);

// Searches the position for the side to move and reports, without playing; the board,
// the side to move, GamePly and the game record are left as they are: BeginAnalysis, the
// search, FinishAnalysis, in one call.
void AnalyzePosition(Engine& e);

// After a new best root move: keeps the principal line's text (search.mainLine, only when
// ShowCalculation is on) and its second move as the player's expected reply
// (search.hintFrom / hintTo).
void UpdateMainLine(Engine& e);

// The calculation display's text for a new best move: "Depth: 3   Best: a1-b2   Score: 10",
// then the main line or "Book" on a line of its own.
std::string CalculationText(const NewBestReport& report);

// A line of moves as "a1-b2 c3xe5", at most `limit` moves.
std::string LineText(const Position& g, const std::vector<PvEntry>& line, char jumpChar,
                     std::size_t limit = 20);

// "Computer is winning in 3 moves! " / "Computer is losing in 1 move! " for a best score
// of a forced result, empty for any other score.
std::string AnnouncementText(int bestScore);

// Flexible time management after a root move: stop once the limit is reached, unless
// the best score has fallen by more than 50 since the last iteration and less than
// 1.5 times the limit has passed.
bool TimeManagerStops(int elapsed, int limit, int bestScore, int previousBest);

// How one root search is limited and reported.
struct RootSearchLimits {
    int depth = 1;  // iterations to run at most
    bool byTime = false;
    bool bookMove = false;  // the root list is the single book move
    // The hint's quick search: HintSearch below the root, no draw for a repeating move, no
    // stop between root moves, and no root table, clock, progress, reports or BestScore.
    bool hint = false;
    // Called after each iteration that searched every root move, with its number.
    std::function<void(int)> onIteration;
};

// The search a computer move or an analysis is about to run.
struct MovePlan {
    RootSearchLimits limits;
    int progressMaximum = 0;
};

// The computer's move in its two halves around the search, which may run elsewhere (on a
// copy of the game, copied back before the second half): the preparation, which ends the
// move when the game is already decided (nothing to search then), and playing the move
// the search found, with its announcements and the end-of-game checks.
std::optional<MovePlan> BeginComputerMove(Engine& e);
void FinishComputerMove(Engine& e, const MovePlan& plan, const SearchResult& result);
// The analysis in the same two halves.
std::optional<MovePlan> BeginAnalysis(Engine& e);
void FinishAnalysis(Engine& e, const MovePlan& plan, const SearchResult& result);

// The root moves are pool records 0 .. search.rootCount - 1 (Ply 0); fills the root
// table's squares from them.
void FillRootTable(Engine& e);

// Iterative deepening over the root moves with aspiration windows, null-window
// re-searches and move-to-front. Record 0 is the best move afterwards. The time limit is
// the ThinkTime setting, counted from search.searchStartTime. Reports through e.progress
// and stops at e.stop.
SearchResult SearchRootMoves(Engine& e, const RootSearchLimits& limits);

// The driver's search on the current position without playing it, for tools: the root
// moves of the side to move searched to limits.depth iterations (by time from now when
// limits.byTime). Uses search.noiseAmplitude as it stands. Nothing when the side to move
// has no move or the game is already decided.
std::optional<SearchResult> SearchPosition(Engine& e, const RootSearchLimits& limits);

}  // namespace zelkor
