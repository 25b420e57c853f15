// The Master level's evaluation: per-square values of a man for each side from its Manhattan
// distances to the nearest target square and to the deepest one (growing faster than the
// distance, so that men left behind cost more than men near the goal; for sliding men, from
// the number of slides still needed), growing charges to the searching side for its men still
// in their starting camp and for the other side's men in its target, a draw-like score for a
// side whose target is blocked late in the game, and the move.
#pragma once

#include <algorithm>
#include <array>

#include "rules/game_state.h"

namespace zelkor::master {

constexpr int kTempo = 6;

struct EvalTables {
    // [side index][square]: what a man of that side is worth there (higher is better).
    std::array<std::array<int, kBoardEntries>, 2> man{};
};

// The tables of the rules in force (the target lists).
EvalTables BuildEvalTables(const GameState& g);

// The sum of the men's values, White's minus Black's.
int MaterialSum(const Board& board, const EvalTables& t);

// The charge a side pays for each man still in its starting camp at this game ply.
int CampCharge(int gamePly);

// After this many plies a side whose target still holds men of the other side (which it
// cannot fill unless they leave) is scored a little below a draw, so that it takes the draw
// instead of playing on to the game's last ply.
constexpr int kBlockedTargetPly = 200;
constexpr int kBlockedMargin = 20;

// A draw is worth this much less than an even game to the searching side, so that it plays on
// in a level position rather than repeat it.
constexpr int kDrawContempt = 20;

// After this many plies the searching side scores every position that its search cannot see
// won below a draw: the game has stalled (a man of the other side that keeps coming back into
// the target), and a repetition ends it before the game's last ply.
constexpr int kStalledPly = 500;

// The charge the searching side pays, from the 30th move of each side, for each man of the
// other side still in its starting camp (the searching side's target): such a man blocks the
// target, so the search drives it out while the camp's exit rule can still force it.
int BlockerCharge(int gamePly);

// The score for the side to move from the running material sum (White's view) and the men
// still in their starting camps (each side's camp is the other side's target). `fullHome`: a
// target full of either colour wins, so men of the other side do not block it. Only the
// searching side `searcher` pays the camp charges: a man the other side keeps in its camp is
// no gain to the searcher, since it blocks the searcher's target.
inline int Evaluate(int side, int materialSum, int gamePly, int whiteInCamp, int blackInCamp,
                    bool fullHome, int searcher) {
    int white = materialSum;
    if (gamePly > kBlockedTargetPly && !fullHome) {
        if (blackInCamp > 0) white = std::min(white, -kBlockedMargin);
        if (whiteInCamp > 0) white = std::max(white, kBlockedMargin);
        if (blackInCamp > 0 && whiteInCamp > 0) white = 0;
    }
    const bool whiteSearches = searcher == kWhite;
    const int own = whiteSearches ? whiteInCamp : blackInCamp;
    const int blockers = fullHome ? 0 : whiteSearches ? blackInCamp : whiteInCamp;
    const int cost = CampCharge(gamePly) * own + BlockerCharge(gamePly) * blockers;
    white += whiteSearches ? -cost : cost;
    constexpr int kStalled = kDrawContempt + kBlockedMargin;
    if (gamePly > kStalledPly)
        white = whiteSearches ? std::min(white, -kStalled) : std::max(white, kStalled);
    return (side == kWhite ? white : -white) + kTempo;
}

}  // namespace zelkor::master
