// Move texts for the lists, the status line and the files, and the numbers written beside them.
#pragma once

#include <string>

#include "rules/game_state.h"

namespace zelkor {

struct MoveText {
    std::string display;  // "c3-d4", or "e3xe5" with the jump character for a jump
    std::string compact;  // "c3d4": from and to, no separator
};

// Texts of entry CurrMove of the move pool.
MoveText DisplayMove(const GameState& g, int CurrMove);
MoveText MoveTextOf(const GameState& g, int from, int to, bool jump);

// A number as a decimal conversion writes it: a blank before it unless it is negative.
inline std::string SignedText(long long value) {
    std::string text = value < 0 ? "" : " ";
    return text += std::to_string(value);
}

}  // namespace zelkor
