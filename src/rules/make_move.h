// Making and taking back moves of the move pool, and the game-tree counters.
#pragma once

#include "rules/game_state.h"

namespace zelkor {

void PerformMove(GameState& g, int Move);
void TakeBackMove(GameState& g, int Move);
// The current position becomes the root of the game tree (Ply 0).
void InitGameTree(GameState& g);

}  // namespace zelkor
