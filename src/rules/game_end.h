// The end of a game: the draw rules after every move, the result text of a game record,
// and the game-end test with its announcements.
#pragma once

#include <string>

#include "rules/game_state.h"
#include "rules/translator.h"

namespace zelkor {

// Half-moves without a jump after which the move-count rule draws.
constexpr int DrawLimit(bool drawRule15) {
    return drawRule15 ? 30 : 20;
}

// The draw test, run after every move of the game (GamePly >= 1): records the position in
// g.positionHistory[GamePly - 1] and sets g.drawFlag: DrawKind::Repetition when the position
// occurred a third time (whoever is to move), DrawKind::MoveCount past the limit of half-moves
// since the last jump; else DrawKind::None. The half-moves of the game are read from
// g.gameRecord[1 .. GamePly], so the move just played must be in the record. Returns the flag.
DrawKind DrawTest(GameState& g, bool drawRule15);

// Plays the first legal move from `from` to `to` for the side to move as the game does: kept in
// the game record, followed by the draw test (with the 30 half-moves rule); its jump flag lands
// in jump. False when it is no legal move or the record is full.
bool PlayRecordedMove(GameState& g, int from, int to, int* jump = nullptr);

// Result codes of an ended game.
enum class ResultCode : uint8_t { Win = 0, Draw = 2 };

// Sets and returns g.resultText for an ended game: "1/2-1/2" for ResultCode::Draw; else "1-0" or
// "0-1" when a side has no man left or the side to move has no move (the first number
// belongs to the side that moves first); else empty (a game won on the home squares).
// The move lists of every ply are left as they were.
std::string ResultText(GameState& g, ResultCode code);

// The announcement of a draw by the draw rules, and of a win named by colour.
std::string DrawAnnouncement(DrawKind drawFlag, const Translator& texts = English());
std::string WinnerColourText(int winner, const Translator& texts = English());

// How a game has ended after a move, if it has.
enum class GameEndKind { None, Win, Draw };
struct GameEnd {
    GameEndKind kind = GameEndKind::None;
    int winner = 0;                      // the side that has won (kWhite, kBlack) for a win
    DrawKind drawFlag = DrawKind::None;  // which draw rule for a draw
    bool noMove = false;                 // the side to move has no move (and so has lost)
};

// The game-end test, right after the draw test: the game has ended when the side that has
// just moved has won, the side to move has no move (the side that has just moved wins), or
// a draw flag stands under chess drawing rules. Decides only; telling the user is the
// caller's. The state, its move pool and ply included, is left as it was.
GameEnd DecideGameEnd(const GameState& g, bool chessDrawRules);

}  // namespace zelkor
