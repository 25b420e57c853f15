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

// Plays MovePool[Move]; true when it was played.
bool PerformMove(GameState& g, int Move);
// Takes back MovePool[Move], the move performed last; true when it was taken back.
bool TakeBackMove(GameState& g, int Move);
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
