// Counting the move tree: the number of move sequences of a given length from the
// current position, every move generated with MoveSet::All and no game-end or draw test.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/game_state.h"

namespace zelkor {

struct PerftEntry {
    int from = 0;
    int to = 0;
    bool jump = false;
    uint64_t count = 0;
};

// Sequences of `depth` moves from the current ply; 1 for depth 0. Depths that would take
// the tree beyond its last ply count only as far as the tree reaches.
uint64_t Perft(GameState& g, int depth);
// The count per root move, in generation order.
std::vector<PerftEntry> PerftDivide(GameState& g, int depth);

}  // namespace zelkor
