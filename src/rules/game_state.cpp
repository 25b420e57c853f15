#include "rules/game_state.h"

namespace zelkor {

PositionKey MakePositionKey(const Board& board) {
    PositionKey key;
    for (int i = 0; i < 64; ++i) {
        const int v = board[kPlayingSquares[i]];
        const uint64_t code = v == kWhiteMan ? 1 : v == kBlackMan ? 2 : v == kEmpty ? 0 : 3;
        if (i < 32)
            key.low |= code << (2 * i);
        else
            key.high |= code << (2 * (i - 32));
    }
    return key;
}

}  // namespace zelkor
