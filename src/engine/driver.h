// The root search of the computer's move, the analysis, the hint and the tools, and the
// steps around it: each computes and returns what it found; the controller tells it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/engine.h"

namespace zelkor {

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
    std::function<void(int)> onIteration{};
};

// The search a computer move or an analysis is about to run.
struct MovePlan {
    RootSearchLimits limits;
    int progressMaximum = 0;
};

// The steps of the computer's move and the analysis around the search; the controller
// calls them in order and tells the user what they found.

// A computation starts: no stop flags, every root move unsearched, the noise of the
// strength setting, the start ply noted, no expected reply.
void BeginComputation(Engine& e);

// The position before the computer searches it: the side to move has met a winning
// condition, the side that has just moved has, the side to move has no move, or open.
enum class RootState { Open, MoverHasWon, OpponentHasWon, NoMove };
RootState JudgeRoot(Engine& e);
// True when the side to move has no legal move (the pool holds them at Ply 0).
bool HasNoMove(GameState& g);

// The root moves of the side to move for the search, pool records 0 .. n - 1; returns n.
int PrepareRootMoves(Engine& e);
// The limits of a search over n root moves, from the settings: the depth setting, or by
// time 20 iterations with the start time noted now; a single move gets one iteration.
RootSearchLimits LimitsFor(Engine& e, int n);
// The progress bar's end: the seconds of the time limit, or a step per root move and
// iteration.
int ProgressMaximum(const Settings& settings, const RootSearchLimits& limits, int n);
// A book proposal (from, to) among the root moves becomes the only root move; true when
// it was taken.
bool TakeBookMove(Engine& e, int from, int to);

// Sorts the root table, the best move first and the others by score; false when the best
// move has no score yet.
bool SortRootTable(SearchState& s);
// After the search: notes the depth reached; a stop by the time manager is a normal end.
// True when the search ran to its end.
bool SettleSearchStop(Engine& e, const SearchResult& result);

// Plays root record 0 and enters it in the game record; false when the record is full.
bool PlayRootMove(GameState& g);
// True when the side that has just moved has met a winning condition (a move that wins
// ends the game even when the search did not see it coming).
bool JustMovedHasWon(Engine& e);
// A best score of a forced win or loss, announced with its distance.
bool IsForcedResult(int score);
// Keeps the computer's move: the record's length, its score and root-move count per ply.
void KeepComputerMove(Engine& e);

// After the computer's move: when its score has stayed where it was kStableScorePlies
// plies earlier, it proposes a draw to the player (Ask), or, playing itself, may simply
// take one (Taken).
enum class DrawProposal { None, Taken, Ask };
DrawProposal ProposeDraw(Engine& e, bool bothComputer);

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
