#include "rules/game_setup.h"

namespace zelkor {

bool ApplyRules(GameState& g) {
    const bool white = ParseDirections(g.active.directions[0], 0, g.directions);
    const bool black = ParseDirections(g.active.directions[1], 1, g.directions);
    ReorderHomeSquares(g.active.home);
    g.homeTables = BuildHomeTables(g.active.home);
    return white && black;
}

void ResetGameTree(GameState& g) {
    g.ply = 0;
    g.plyStart.fill(0);
    g.gamePly = 0;
    g.jumpAtPly.fill(false);
    for (Move& m : g.gameRecord)
        m = Move{};
    g.positionHistory.fill(PositionKey{});
    g.drawFlag = DrawKind::None;
    g.resultText.clear();
    g.cancelRequest = CancelRequest::None;
    g.gameOver = false;
}

void SetUpDefaultGame(GameState& g) {
    g.active = DefaultRules();
    g.defined = DefaultRules();
    g.board = EmptyBoard();
    ApplySetupText(kDefaultSetup, g.board);
    g.initialBoard = g.board;
    g.handSetUp = false;
    g.side = g.active.flags[BlackStarts] ? kBlack : kWhite;
    ApplyRules(g);
    ResetGameTree(g);
}

}  // namespace zelkor
