#include "rules/win.h"

namespace zelkor {
namespace {

// Men of each colour on the squares of one home-square list; a square listed twice
// counts once.
void CountMen(const GameState& g, const std::array<int32_t, kHomeSlots>& list, int& white,
              int& black) {
    uint64_t seen = 0;
    white = 0;
    black = 0;
    for (int32_t square : list) {
        if (!IsPlayingSquare(square)) continue;
        const uint64_t bit = uint64_t{1} << ((RowOf(square) - 2) * 8 + ColumnOf(square) - 1);
        if (seen & bit) continue;
        seen |= bit;
        const int v = g.board[square];
        if (v == kWhiteMan)
            ++white;
        else if (v == kBlackMan)
            ++black;
    }
}

}  // namespace

WinState CheckWinConditions(const GameState& g) {
    WinState w;
    int blackOnWhiteHome = 0;
    int whiteOnBlackHome = 0;
    CountMen(g, g.active.home[0], w.whiteIn, blackOnWhiteHome);
    CountMen(g, g.active.home[1], whiteOnBlackHome, w.blackIn);
    // The men still in a side's starting camp stand on the other side's home squares.
    w.whiteHome = whiteOnBlackHome;
    w.blackHome = blackOnWhiteHome;

    const int whiteTarget = g.homeTables.targetCount[0];
    const int blackTarget = g.homeTables.targetCount[1];
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
