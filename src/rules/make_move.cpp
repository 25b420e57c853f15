#include "rules/make_move.h"

namespace zelkor {

bool PerformMove(GameState& g, int Move) {
    if (Move < 0 || Move >= kMovePoolSize) return false;
    if (g.ply < 0 || g.ply >= kMaxPly) {
        g.cancelRequest = kCancelNow;  // the tree is as deep as its tables: stop the search
        return false;
    }
    if (g.gamePly < 0 || g.gamePly >= kGameRecordSize - 1) return false;
    const struct Move& m = g.movePool[Move];
    const int from = m.Source;
    const int to = m.dest;
    if (!IsPlayingSquare(from) || !IsPlayingSquare(to) || from == to) return false;
    if (g.board[from] != g.side || g.board[to] != kEmpty) return false;

    ++g.gamePly;
    ++g.ply;
    g.jumpAtPly[g.ply] = m.jump == 1 ? 1 : 0;
    g.board[to] = g.board[from];
    g.board[from] = kEmpty;
    g.side = -g.side;
    return true;
}

bool TakeBackMove(GameState& g, int Move) {
    if (Move < 0 || Move >= kMovePoolSize) return false;
    const struct Move& m = g.movePool[Move];
    const int from = m.Source;
    const int to = m.dest;
    if (!IsPlayingSquare(from) || !IsPlayingSquare(to) || from == to) return false;
    if (g.board[to] != -g.side || g.board[from] != kEmpty) return false;

    if (g.gamePly > 0) --g.gamePly;
    g.side = -g.side;
    if (g.ply > 0) --g.ply;
    g.board[from] = g.board[to];
    g.board[to] = kEmpty;
    return true;
}

void InitGameTree(GameState& g) {
    g.ply = 0;
    g.plyStart[0] = 0;
}

}  // namespace zelkor
