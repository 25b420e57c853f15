// Scoring a position for the search: winning conditions, repetitions, material and
// distance to the target camp, and the strength noise.
#pragma once

#include "engine/engine.h"

namespace zelkor {

// The score of the position for `side` (+1 White, -1 Black). Sets
// e.search.opponentHasWon when the other side has met a winning condition, and records
// the position's key in the position history at GamePly - 1 (the search path). alpha and
// beta are not used. Only the position history's 1001 entries are compared or written:
// past GamePly 1001 the search stops recording its path there.
int Evaluate(Engine& e, int alpha, int beta, int side);

// The material-and-distance score of the position for `side`, before the winning
// conditions, the repetitions and the noise that Evaluate adds.
int RawScore(const GameState& g, int side);

// Number of position-history entries 0..lastIndex equal to the current board.
int CountKeyRepetitions(const GameState& g, int lastIndex);
// Sets search.repetitionCount from CountKeyRepetitions.
void CountRepetitions(const GameState& g, SearchState& search, int lastIndex);

// 70 * (S - 1) for the stored strength byte S; 0 becomes 5, a negative value 0.
int NoiseAmplitudeFor(int storedStrength);

}  // namespace zelkor
