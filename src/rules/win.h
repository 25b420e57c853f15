// The winning conditions of a variant, shared by the game-end test and the evaluation.
#pragma once

#include "rules/game_state.h"

namespace zelkor {

struct WinState {
    bool whiteWon = false;
    bool blackWon = false;
    int whiteIn = 0;    // White men on White's home squares
    int blackIn = 0;    // Black men on Black's home squares
    int whiteHome = 0;  // White men still in White's starting camp (Black's home squares)
    int blackHome = 0;  // Black men still in Black's starting camp
    bool won(int side) const { return side == kWhite ? whiteWon : blackWon; }
};

// The men are counted on each side's home-square list slot by slot up to its target count;
// the board's home-count labels read the same numbers.
WinState CheckWinConditions(const GameState& g);
// The same decision from counts already made: White's and Black's men on White's list,
// White's and Black's men on Black's list. Inline: the search decides at every node.
inline WinState DecideWin(const GameState& g, int whiteIn, int blackOnWhiteHome,
                          int whiteOnBlackHome, int blackIn) {
    WinState w;
    const int whiteTarget = g.homeTables.targetCount[0];
    const int blackTarget = g.homeTables.targetCount[1];
    w.whiteIn = whiteIn;
    w.blackIn = blackIn;
    // The men still in a side's starting camp stand on the other side's home squares.
    w.whiteHome = whiteOnBlackHome;
    w.blackHome = blackOnWhiteHome;

    w.whiteWon = w.whiteIn == whiteTarget;
    w.blackWon = w.blackIn == blackTarget;
    if (g.active.flags[FullHome] && g.gamePly >= 2) {
        if (w.whiteIn + w.blackHome == whiteTarget) w.whiteWon = true;
        if (w.blackIn + w.whiteHome == blackTarget) w.blackWon = true;
    }
    if (g.active.flags[HomeLess] && g.gamePly >= 59) {
        if (w.whiteHome > 0) w.blackWon = true;
        if (w.blackHome > 0) w.whiteWon = true;
    }
    return w;
}

}  // namespace zelkor
