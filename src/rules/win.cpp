#include "rules/win.h"

namespace zelkor {
namespace {

// Men of each colour on the first `count` slots of a home-square list, slot by slot: a
// square listed twice counts twice, the slots beyond the target count not at all.
void CountMen(const GameState& g, const std::array<int32_t, kHomeSlots>& list, int count,
              int& white, int& black) {
    white = 0;
    black = 0;
    for (int slot = 0; slot < count && slot < kHomeSlots; ++slot) {
        const int32_t square = list[slot];
        if (!IsPlayingSquare(square)) continue;
        const int v = g.board[square];
        if (v == kWhiteMan)
            ++white;
        else if (v == kBlackMan)
            ++black;
    }
}

}  // namespace

WinState CheckWinConditions(const GameState& g) {
    int whiteIn = 0, blackOnWhiteHome = 0, whiteOnBlackHome = 0, blackIn = 0;
    CountMen(g, g.active.home[0], g.homeTables.targetCount[0], whiteIn, blackOnWhiteHome);
    CountMen(g, g.active.home[1], g.homeTables.targetCount[1], whiteOnBlackHome, blackIn);
    return DecideWin(g, whiteIn, blackOnWhiteHome, whiteOnBlackHome, blackIn);
}

WinState DecideWin(const GameState& g, int whiteIn, int blackOnWhiteHome, int whiteOnBlackHome,
                   int blackIn) {
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
