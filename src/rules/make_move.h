// Making and taking back moves of the move pool, and the game-tree counters.
//
// Bounds: Ply never leaves 0..kMaxPly and GamePly never leaves 0..kGameRecordSize - 1, so
// the per-ply tables, the position history and the game record are always indexed inside.
// PerformMove refuses a move that would take Ply beyond kMaxPly (it also sets the stop
// request, so a search unwinds), a move that would take GamePly to the end of the game
// record, and a record that is not a move of the side to move onto an empty square; a
// refused move changes nothing. TakeBackMove undoes only a move that stands on the board
// as PerformMove left it, so a caller that ignores a refusal cannot corrupt the position.
// A played game ends at kMaxGamePlies half-moves (the move list holds no more): the game
// layer tests GameRecordFull after every move and tells the user.
#pragma once

#include "rules/game_state.h"

namespace zelkor {

namespace detail {

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

}  // namespace detail

// Plays MovePool[Move]; true when it was played. Inline: the search and perft make a move
// at every node.
inline bool PerformMove(GameState& g, int Move) {
    if (Move < 0 || Move >= kMovePoolSize) return false;
    if (g.ply < 0 || g.ply >= kMaxPly) {
        g.cancelRequest = CancelRequest::Now;  // the tree is as deep as its tables: stop the search
        return false;
    }
    if (g.gamePly < 0 || g.gamePly >= kGameRecordSize - 1) return false;
    const struct Move& m = g.movePool[Move];
    const int from = m.Source;
    const int to = m.dest;
    if (!IsPlayingSquare(from) || !IsPlayingSquare(to) || from == to) return false;
    if (g.board[from] != g.side || g.board[to] != kEmpty) return false;

    if (g.tracked.on) {
        detail::MoveTracked(g, g.side, from, to);
        // The entry of the position being left joins those the next node compares with.
        const int entry = g.gamePly - 1;
        if (entry >= 0 && entry < kHistorySize) g.pathFilter.Add(g.positionHistory[entry]);
    }
    ++g.gamePly;
    ++g.ply;
    g.jumpAtPly[g.ply] = m.jump == 1;
    g.board[to] = g.board[from];
    g.board[from] = kEmpty;
    g.side = -g.side;
    return true;
}

// Takes back MovePool[Move], the move performed last; true when it was taken back.
inline bool TakeBackMove(GameState& g, int Move) {
    if (Move < 0 || Move >= kMovePoolSize) return false;
    const struct Move& m = g.movePool[Move];
    const int from = m.Source;
    const int to = m.dest;
    if (!IsPlayingSquare(from) || !IsPlayingSquare(to) || from == to) return false;
    if (g.board[to] != -g.side || g.board[from] != kEmpty) return false;

    if (g.tracked.on) {
        detail::MoveTracked(g, -g.side, to, from);
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

// The current position becomes the root of the game tree (Ply 0).
void InitGameTree(GameState& g);

// The tracked account of g.board as it stands now (`on` as in g.tracked).
TrackedPosition TrackPosition(const GameState& g);
// Switches tracking on from the board as it stands: PerformMove and TakeBackMove then keep
// g.tracked up to date, and nothing else may change the board until StopTracking.
void StartTracking(GameState& g);
void StopTracking(GameState& g);

// Switches tracking on for its lifetime and restores the state it found.
class TrackingScope {
  public:
    explicit TrackingScope(GameState& g) : g_(g), wasOn_(g.tracked.on) { StartTracking(g); }
    ~TrackingScope() {
        if (!wasOn_) StopTracking(g_);
    }
    TrackingScope(const TrackingScope&) = delete;
    TrackingScope& operator=(const TrackingScope&) = delete;

  private:
    GameState& g_;
    bool wasOn_;
};

// True when the game has as many half-moves as the move list can hold; no further move
// may be entered.
inline bool GameRecordFull(const GameState& g) {
    return g.gamePly >= kMaxGamePlies;
}

}  // namespace zelkor
