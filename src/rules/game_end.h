// The end of a game: the draw rules after every move, the result text of a game record,
// and the game-end test with its announcements.
#pragma once

#include <functional>
#include <string>

#include "rules/game_state.h"
#include "rules/user_interface.h"

namespace zelkor {

// The options the game end reads.
struct GameEndOptions {
    bool chessDrawRules = true;  // a draw flag ends the game only when this is on
    bool drawRule15 = true;      // move-count limit 30 half-moves ("15"), else 20 ("10")
    std::string playerName = "Player";
    // When set, the announcement's message box is not shown but its text is left here, for
    // a caller that shows it once its lists are filled (a game record being read).
    std::string* heldMessage = nullptr;
};

// Half-moves without a jump after which the move-count rule draws.
constexpr int DrawLimit(bool drawRule15) {
    return drawRule15 ? 30 : 20;
}

// The draw test, run after every move of the game (GamePly >= 1): records the position in
// g.positionHistory[GamePly - 1] and sets g.drawFlag: kRepetitionDraw when the position
// occurred a third time (whoever is to move), kMoveCountDraw past the limit of half-moves
// since the last jump; else kNoDraw. The half-moves of the game are read from
// g.gameRecord[1 .. GamePly], so the move just played must be in the record. Returns the flag.
int DrawTest(GameState& g, bool drawRule15);

// Result codes of an ended game.
constexpr int kWinResult = 0;
constexpr int kDrawResult = 2;

// Sets and returns g.resultText for an ended game: "1/2-1/2" for kDrawResult; else "1-0" or
// "0-1" when a side has no man left or the side to move has no move (the first number
// belongs to the side that moves first); else empty (a game won on the home squares).
// The move lists of every ply are left as they were.
std::string ResultText(GameState& g, int code);

// True when one of the two player labels shows the player's name beside the colour
// "White" (colour "white") or "Black" (colour "black").
bool HumanPlayerWon(const UserInterface& ui, const std::string& playerName,
                    const std::string& colour);

// The announcement of a draw by the draw rules, and of a win named by colour.
std::string DrawAnnouncement(int drawFlag);
std::string WinnerColourText(int winner);

// The rating update for the human's result (1 win, 0.5 draw, 0 loss); returns the rating
// report appended to the announcement.
using RatingUpdate = std::function<std::string(double)>;

// The game-end test, right after the draw test: the game ends when the side to move has no
// move, the side that has just moved has won, or a draw flag stands under chess drawing
// rules. Then it pauses a moment, sets g.gameOver, empties the legal-move list, redraws the
// board, sets the result text, updates the rating (where the caller also turns off the
// commands of a running game) and announces the end in the status line and a message box. Returns
// true when the game has ended. Ply is 0 afterwards and the move list of ply 0 holds the moves of
// the side to move.
bool GameEndTest(GameState& g, UserInterface& ui, Clock& clock, const GameEndOptions& options,
                 const RatingUpdate& updateRating);

}  // namespace zelkor
