// What the board shows besides the men: the route of the last move, the squares a picked-up
// man can reach, and why a move or a pick-up is refused. Plain decisions over the game
// state; the board view draws them.
#pragma once

#include <string>
#include <vector>

#include "game/user_interface.h"
#include "rules/game_state.h"

namespace zelkor {

// The way a move goes: `stops` from the from-square over every landing square of a jump
// chain to the to-square; `passed` the squares a slide or a long jump runs over between two
// stops.
struct MoveRoute {
    std::vector<int> stops;
    std::vector<int> passed;
    bool empty() const { return stops.empty(); }
};

// The route of a move of the man standing on `from` in `board` (the position before the
// move) under the active rules. A jump whose chain cannot be retraced gives its two ends.
MoveRoute RouteOf(const GameState& g, const Board& board, int from, int to, bool jump);

// The route of the move that led to the position on the board (GamePly >= 1), else empty.
MoveRoute LastMoveRoute(const GameState& g);

// A square the man on `from` can reach by a legal move, with the way there.
struct Reachable {
    int square = 0;
    bool jump = false;
    MoveRoute route;
};
std::vector<Reachable> ReachableSquares(GameState& g, int from);

// The men of the side to move that can jump, when every legal move is a jump (a jump is
// compulsory); else empty.
std::vector<int> MenThatMustJump(GameState& g);

// Why the side to move cannot pick up the man on `square`; empty when it can. The texts are
// lower case, to follow the message boxes' own words: "a jump is compulsory: c3, e1 can
// jump", "e1 is blocked".
std::string PickUpRefusal(GameState& g, int square, const Translator& texts = English());

// Why the move from `from` to `to` is not legal; empty when it is: "the chain must go on to
// d3", "a jump is compulsory: c3 can jump", "d5 is not empty", "e1 cannot reach e4".
std::string MoveRefusal(GameState& g, int from, int to, const Translator& texts = English());

// The board's feedback that a player may turn off in Options (all on by default); kept
// beside zelkor.ini by the window.
struct BoardFeedback {
    bool lastMove = true;   // the last move's route
    bool reachable = true;  // the squares a picked-up man can reach
    bool reasons = true;    // why a move or a pick-up is refused
    bool hintOnBoard = true;
};

// "c3, e1": the names of the squares, joined.
std::string SquareList(const std::vector<int>& squares);

}  // namespace zelkor
