#include "rules/game_end.h"

#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/win.h"

namespace zelkor {

DrawKind DrawTest(GameState& g, bool drawRule15) {
    g.drawFlag = DrawKind::None;
    if (g.gamePly < 1) return DrawKind::None;
    const PositionKey key = MakePositionKey(g.board);
    const int index = g.gamePly - 1;
    int count = 0;
    if (index < kHistorySize) {
        g.positionHistory[index] = key;
    } else {
        count = 1;  // beyond the history: the position itself is not stored
    }
    const int last = index < kHistorySize ? index : kHistorySize - 1;
    for (int k = 0; k <= last; ++k)
        if (g.positionHistory[k] == key) ++count;
    if (count > 2) g.drawFlag = DrawKind::Repetition;

    int lastJump = -1;
    for (int h = 0; h < g.gamePly && h + 1 < kGameRecordSize; ++h)
        if (g.gameRecord[h + 1].jump == 1) lastJump = h;
    if (g.gamePly - lastJump > DrawLimit(drawRule15)) g.drawFlag = DrawKind::MoveCount;
    return g.drawFlag;
}

bool PlayRecordedMove(GameState& g, int from, int to, int* jump) {
    InitGameTree(g);
    GenerateMoves(g, MoveSet::All);
    for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i) {
        const Move m = g.movePool[static_cast<size_t>(i)];
        if (m.Source != from || m.dest != to) continue;
        if (!PerformMove(g, i)) return false;
        g.gameRecord[static_cast<size_t>(g.gamePly)] = m;
        if (g.gamePly + 1 < kGameRecordSize)
            g.gameRecord[static_cast<size_t>(g.gamePly) + 1] = Move{};
        g.recordLength = g.gamePly;
        DrawTest(g, true);
        if (jump) *jump = m.jump;
        InitGameTree(g);
        return true;
    }
    return false;
}

std::string ResultText(GameState& g, ResultCode code) {
    g.resultText.clear();
    if (code == ResultCode::Draw) {
        g.resultText = "1/2-1/2";
        return g.resultText;
    }
    const bool blackStarts = g.active.flags[BlackStarts] != 0;
    int white = 0, black = 0;
    for (int square : kPlayingSquares) {
        if (g.board[square] == kWhiteMan) ++white;
        if (g.board[square] == kBlackMan) ++black;
    }
    if (white == 0) g.resultText = blackStarts ? "1-0" : "0-1";
    if (black == 0) g.resultText = blackStarts ? "0-1" : "1-0";
    if (!g.resultText.empty()) return g.resultText;

    // The caller's move lists stay as they are.
    if (LegalMoves(g).empty()) {
        const bool blackToMove = g.side == kBlack;
        if (blackStarts)
            g.resultText = blackToMove ? "0-1" : "1-0";
        else
            g.resultText = blackToMove ? "1-0" : "0-1";
    }
    return g.resultText;
}

std::string DrawAnnouncement(DrawKind drawFlag, const Translator& texts) {
    return drawFlag == DrawKind::Repetition
               ? texts.Translate("Game", "It's a draw! Triple Repetition")
               : texts.Translate("Game", "It's a draw! 50 Moves Rule");
}

std::string WinnerColourText(int winner, const Translator& texts) {
    return winner == kWhite ? texts.Translate("Game", "White wins!")
                            : texts.Translate("Game", "Black wins!");
}

GameEnd DecideGameEnd(const GameState& g, bool chessDrawRules) {
    const int mover = -g.side;
    GameEnd end;
    const bool moverWon = CheckWinConditions(g).won(mover);
    end.noMove = LegalMoves(g).empty();
    if (g.drawFlag != DrawKind::None && chessDrawRules) {
        end.kind = GameEndKind::Draw;
        end.drawFlag = g.drawFlag;
    } else if (moverWon || end.noMove) {
        end.kind = GameEndKind::Win;
        end.winner = mover;
    }
    return end;
}

}  // namespace zelkor
