// The alpha-beta search below the root, its move ordering and principal line.
#pragma once

#include "engine/engine.h"

namespace zelkor {

// Negamax value of the current position for the side to move. Leaves the board, the side
// to move, Ply and GamePly as it found them. Returns 0 at once once the search is stopped.
int AlphaBeta(Engine& e, int alpha, int beta, int depth);

// The hint's variant of AlphaBeta: leaves at depth < 1, cuts off statically and at beta
// whatever "Brute force" says, and never looks at the clock.
int HintSearch(Engine& e, int alpha, int beta, int depth);

// The moves the search looks at, at the current ply: the reduced set (far-leading jumps
// left out), or every legal move when that set is empty, so that a side with moves is
// never taken for one without. Returns their number.
int GenerateSearchMoves(GameState& g);

// Pool index of the best-ordered move of the current ply not yet handed out, -1 when
// none is left. Marks it handed out (score -32000); ties keep the generation order.
int NextBestMove(GameState& g);

// Move `index` becomes the head of the current ply's line, followed by the line of the
// ply below it up to and including its terminating empty entry.
void UpdatePrincipalVariation(GameState& g, int index);

// Elapsed whole seconds since the search started, across midnight, never negative.
int ElapsedSeconds(double startSeconds, double nowSeconds);
// Seconds since midnight rounded to a whole second.
double RoundedSeconds(Clock& clock);

}  // namespace zelkor
