// Move generation: every legal move of the side to move under the active rules,
// appended to the move pool at the current ply.
#pragma once

#include "rules/game_state.h"

namespace zelkor {

// AllMoves kAllMoves: every legal move; kSearchMoves: the reduced set the search uses
// (far-leading jumps left out). With MulJumps, CapRequired or MaxCapMove on, both give the same
// set. The moves land in g.movePool[g.plyStart[g.ply] .. g.plyStart[g.ply + 1] - 1]. When the pool
// is full, g.cancelRequest becomes kCancelNow and the last slot is reused. The board is as it was
// when the call returns. An internal fault (never a position) ends the program with the
// "X=... K=..." report through g.ui (on stderr without one).
constexpr int kSearchMoves = 0;
constexpr int kAllMoves = 1;
void GenerateMoves(GameState& g, int AllMoves);

// Append one move at the running index (jump flag 0 resp. 1) with its ordering score.
void RegisterMove(GameState& g, int& next, int Source, int dest);
void RegisterCaptureMove(GameState& g, int& next, int Source, int dest);

inline int MoveCount(const GameState& g) {
    return g.plyStart[g.ply + 1] - g.plyStart[g.ply];
}

}  // namespace zelkor
