#include "rules/win.h"

namespace zelkor {
namespace {

// Adds the men of each colour on the first `count` slots of a home-square list, slot by
// slot: a square listed twice counts twice, the slots beyond the target count not at all.
void CountMen(const GameState& g, const std::array<int32_t, kHomeSlots>& list, int count,
              int& white, int& black) {
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

}  // namespace zelkor
