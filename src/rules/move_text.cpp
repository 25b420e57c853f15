#include "rules/move_text.h"

namespace zelkor {

MoveText MoveTextOf(const GameState& g, int from, int to, bool jump) {
    const std::string a = SquareNotation(g.board, from, 1);
    const std::string b = SquareNotation(g.board, to, 1);
    return MoveText{a + (jump ? std::string(1, g.jumpChar) : std::string("-")) + b, a + b};
}

MoveText DisplayMove(const GameState& g, int CurrMove) {
    if (CurrMove < 0 || CurrMove >= kMovePoolSize) return MoveText{"-----", "----"};
    const Move& m = g.movePool[CurrMove];
    return MoveTextOf(g, m.Source, m.dest, m.jump == 1);
}

}  // namespace zelkor
