// The Master level's evaluation: per-square values of a man for each side from its Manhattan
// distances to the nearest target square and to the deepest one (growing faster than the
// distance, so that men left behind cost more than men near the goal; for sliding men, from
// the number of slides still needed), a growing charge for men still in their own starting camp, a
// draw-like score for a side whose target is blocked late in the game, and the move.
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

// The score for the side to move from the running material sum (White's view) and the men
// still in their starting camps (each side's camp is the other side's target). `fullHome`: a
// target full of either colour wins, so men of the other side do not block it.
inline int Evaluate(int side, int materialSum, int gamePly, int whiteInCamp, int blackInCamp,
                    bool fullHome) {
    const int charge = CampCharge(gamePly);
    int white = materialSum - charge * whiteInCamp + charge * blackInCamp;
    if (gamePly > kBlockedTargetPly && !fullHome) {
        if (blackInCamp > 0) white = std::min(white, -kBlockedMargin);
        if (whiteInCamp > 0) white = std::max(white, kBlockedMargin);
        if (blackInCamp > 0 && whiteInCamp > 0) white = 0;
    }
    return (side == kWhite ? white : -white) + kTempo;
}

}  // namespace zelkor::master
