// Move generation: every legal move of the side to move under the active rules,
// appended to the move pool at the current ply.
#pragma once

#include <vector>

#include "rules/game_state.h"

namespace zelkor {

// AllMoves MoveSet::All: every legal move; MoveSet::Search: the reduced set the search uses
// (far-leading jumps left out). With MulJumps, CapRequired or MaxCapMove on, both give the same
// set. The moves land in g.movePool[g.plyStart[g.ply] .. g.plyStart[g.ply + 1] - 1]. When the pool
// is full, g.cancelRequest becomes CancelRequest::Now and the last slot is reused. The board is as
// it was when the call returns. An internal fault (never a position) ends the program with the
// "X=... K=..." report through g.faultReport (on stderr without one).
enum class MoveSet : uint8_t { Search = 0, All = 1 };
void GenerateMoves(GameState& g, MoveSet AllMoves);

// Every legal move of the side to move (the list GenerateMoves(g, MoveSet::All) gives at ply 0, in
// the same order), as a value for callers outside the search: g, its move pool and its ply
// are left as they were. The moves carry no ordering score (0); ordering is the search's.
// The moves are generated in a scratch state of the calling thread that holds nothing
// between calls.
std::vector<Move> LegalMoves(const GameState& g);

// Append one move at the running index (jump flag 0 resp. 1) with its ordering score.
void RegisterMove(GameState& g, int& next, int Source, int dest);
void RegisterCaptureMove(GameState& g, int& next, int Source, int dest);

inline int MoveCount(const GameState& g) {
    return g.plyStart[g.ply + 1] - g.plyStart[g.ply];
}

}  // namespace zelkor
