// The Master level's evaluation: per-square values of a man for each side from its step
// distance to the nearest target square (growing faster than the distance, so that men
// left behind cost more than men near the goal), a bonus for the deep target squares, a
// growing charge for men still in their own starting camp, and the move.
#pragma once

#include <array>

#include "rules/game_state.h"

namespace zelkor::master {

constexpr int kUnreachable = 15;
constexpr int kTempo = 6;

struct EvalTables {
    // [side index][square]: what a man of that side is worth there (higher is better).
    std::array<std::array<int, kBoardEntries>, 2> man{};
    // [side index][square]: the fewest moves (steps or single jumps, on an empty board)
    // to the nearest target square; kUnreachable when none leads there.
    std::array<std::array<int, kBoardEntries>, 2> distance{};
};

// The tables of the rules in force (directions, target lists).
EvalTables BuildEvalTables(const GameState& g);

// The sum of the men's values, White's minus Black's.
int MaterialSum(const Board& board, const EvalTables& t);

// The charge a side pays for each man still in its starting camp at this game ply.
int CampCharge(int gamePly);

// The score for the side to move from the running material sum (White's view) and the
// men still in their starting camps.
inline int Evaluate(int side, int materialSum, int gamePly, int whiteInCamp, int blackInCamp) {
    const int charge = CampCharge(gamePly);
    const int white = materialSum - charge * whiteInCamp + charge * blackInCamp;
    return (side == kWhite ? white : -white) + kTempo;
}

}  // namespace zelkor::master
