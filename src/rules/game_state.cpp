#include "rules/game_state.h"

namespace zelkor {

PositionKey MakePositionKey(const Board& board) {
    PositionKey key;
    for (int i = 0; i < 64; ++i) {
        const int v = board[kPlayingSquares[i]];
        const uint64_t bit = uint64_t{1} << i;
        if (v != kEmpty && v != kBlackMan) key.white |= bit;
        if (v != kEmpty && v != kWhiteMan) key.black |= bit;
    }
    return key;
}

}  // namespace zelkor
