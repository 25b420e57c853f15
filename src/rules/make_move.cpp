#include "rules/make_move.h"

#include <algorithm>

namespace zelkor {
namespace {

// A man of colour `man` goes from square a to the empty square b.
inline void MoveTracked(GameState& g, int man, int a, int b) {
    TrackedPosition& t = g.tracked;
    const uint64_t bits = (uint64_t{1} << kKeyBitOfSquare[a]) | (uint64_t{1} << kKeyBitOfSquare[b]);
    const auto& slots = t.homeSlots;
    if (man == kWhiteMan) {
        const auto& distance = g.homeTables.targetDistance[0];
        t.key.white ^= bits;
        t.sum += distance[b] - distance[a];
        t.whiteIn += slots[0][b] - slots[0][a];
        t.whiteOnBlackHome += slots[1][b] - slots[1][a];
    } else {
        const auto& distance = g.homeTables.targetDistance[1];
        t.key.black ^= bits;
        t.sum -= distance[b] - distance[a];
        t.blackIn += slots[1][b] - slots[1][a];
        t.blackOnWhiteHome += slots[0][b] - slots[0][a];
    }
}

}  // namespace

bool PerformMove(GameState& g, int Move) {
    if (Move < 0 || Move >= kMovePoolSize) return false;
    if (g.ply < 0 || g.ply >= kMaxPly) {
        g.cancelRequest = 1;  // the tree is as deep as its tables: stop the search
        return false;
    }
    if (g.gamePly < 0 || g.gamePly >= kGameRecordSize - 1) return false;
    const struct Move& m = g.movePool[Move];
    const int from = m.Source;
    const int to = m.dest;
    if (!IsPlayingSquare(from) || !IsPlayingSquare(to) || from == to) return false;
    if (g.board[from] != g.side || g.board[to] != kEmpty) return false;

    if (g.tracked.on) {
        MoveTracked(g, g.side, from, to);
        // The entry of the position being left joins those the next node compares with.
        const int entry = g.gamePly - 1;
        if (entry >= 0 && entry < kHistorySize) g.pathFilter.Add(g.positionHistory[entry]);
    }
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

    if (g.tracked.on) {
        MoveTracked(g, -g.side, to, from);
        const int entry = g.gamePly - 2;
        if (entry >= 0 && entry < kHistorySize) g.pathFilter.Remove(g.positionHistory[entry]);
    }
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
