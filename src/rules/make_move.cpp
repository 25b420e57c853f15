#include "rules/make_move.h"

#include <algorithm>

namespace zelkor {

void InitGameTree(GameState& g) {
    g.ply = 0;
    g.plyStart[0] = 0;
}

TrackedPosition TrackPosition(const GameState& g) {
    TrackedPosition t;
    t.on = g.tracked.on;
    t.key = MakePositionKey(g.board);
    for (int si = 0; si < 2; ++si) {
        const int count = g.homeTables.targetCount[si];
        for (int slot = 0; slot < count && slot < kHomeSlots; ++slot) {
            const int32_t square = g.active.home[si][slot];
            if (IsPlayingSquare(square)) ++t.homeSlots[si][square];
        }
    }
    for (const int square : kPlayingSquares) {
        const int v = g.board[square];
        if (v > 0) t.sum += g.homeTables.targetDistance[0][square];
        if (v < 0) t.sum -= g.homeTables.targetDistance[1][square];
        if (v == kWhiteMan) {
            t.whiteIn += t.homeSlots[0][square];
            t.whiteOnBlackHome += t.homeSlots[1][square];
        } else if (v == kBlackMan) {
            t.blackIn += t.homeSlots[1][square];
            t.blackOnWhiteHome += t.homeSlots[0][square];
        }
    }
    return t;
}

void StartTracking(GameState& g) {
    g.tracked = TrackPosition(g);
    g.tracked.on = true;
    g.pathFilter.Clear();
    const int last = std::min(g.gamePly - 2, kHistorySize - 1);
    for (int entry = 0; entry <= last; ++entry)
        g.pathFilter.Add(g.positionHistory[entry]);
}

void StopTracking(GameState& g) {
    g.tracked.on = false;
}

}  // namespace zelkor
