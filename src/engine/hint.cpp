#include "engine/hint.h"

#include <string>

#include "engine/driver_steps.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

int HintRootMove(Engine& e, int i, int alpha, int beta, int d) {
    GameState& g = e.game;
    if (!PerformMove(g, i)) return -kWinScore;  // the game record is full
    CountRepetitions(g, e.search, e.search.searchStartPly - 1);
    const int v = -HintSearch(e, -beta, -alpha, d - 1);
    TakeBackMove(g, i);
    return v;
}

void MoveToFront(GameState& g, int i) {
    const Move move = g.movePool[i];
    for (int k = i; k > 0; --k)
        g.movePool[k] = g.movePool[k - 1];
    g.movePool[0] = move;
}

// Two iterations over the root moves; the best ends up in pool record 0.
void SearchHint(Engine& e, int n) {
    GameState& g = e.game;
    int alpha = -kWinScore;
    int beta = kWinScore;
    for (int d = 1; d <= 2; ++d) {
        if (d > 1) {
            beta = alpha + 100;
            alpha -= 100;
        }
        e.search.extensionLimit = e.settings.ExtendedPlies + d;
        for (int i = 0; i < n; ++i) {
            g.pv[0][0].Source = 0;
            int v = HintRootMove(e, i, alpha, beta, d);
            if (i == 0) {
                if (v < alpha)
                    v = HintRootMove(e, i, -kWinScore, v, d);
                else if (v >= beta)
                    v = HintRootMove(e, i, v, kWinScore, d);
                alpha = v;
                beta = v + 1;
                UpdatePrincipalVariation(g, 0);
            } else if (v > alpha) {
                const int oldAlpha = alpha;
                alpha = v;
                beta = kWinScore;
                const int v2 = HintRootMove(e, i, v, kWinScore, d);
                if (v2 > oldAlpha) {
                    alpha = v2;
                    beta = v2 + 1;
                    UpdatePrincipalVariation(g, i);
                    MoveToFront(g, i);
                }
            }
        }
    }
}

bool IsLegalHere(GameState& g, int from, int to) {
    InitGameTree(g);
    GenerateMoves(g, 1);
    for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i)
        if (g.movePool[i].Source == from && g.movePool[i].dest == to) return true;
    return false;
}

}  // namespace

void GiveHint(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    UserInterface& ui = e.ui;

    e.hooks.ComputationBusy(Computation::Hint);
    // The stored reply belongs to the position the computer left; anywhere else it may
    // not even be legal, and a search answers instead.
    if (s.hintFrom > 0 && !IsLegalHere(g, s.hintFrom, s.hintTo)) {
        s.hintFrom = 0;
        s.hintTo = 0;
    }
    if (s.hintFrom > 0) {
        ui.Message(
            "Try " + SquareNotation(g.board, s.hintFrom) + "-" + SquareNotation(g.board, s.hintTo),
            "Hint", Icon::Information);
        s.hintFrom = 0;
        s.hintTo = 0;
        e.hooks.ComputationIdle(Computation::Hint);
        return;
    }

    s.noiseAmplitude = 5;
    s.searchStartPly = g.gamePly;
    s.repetitionCount = 0;
    InitGameTree(g);
    Evaluate(e, -kWinScore, kWinScore, g.side);
    bool finished = s.opponentHasWon == 1;
    if (!finished) {
        GenerateMoves(g, 1);
        finished = MoveCount(g) == 0;
    }
    if (finished) {
        ui.Message("You have already won!", "Congratulations", Icon::Exclamation);
        e.hooks.ComputationIdle(Computation::Hint);
        return;
    }
    GenerateMoves(g, 0);
    SearchHint(e, MoveCount(g));
    s.repetitionCount = 0;

    ui.Message("Try " + DisplayMove(g, 0).display, "Hint", Icon::Information);
    s.hintFrom = 0;
    s.hintTo = 0;
    e.hooks.ComputationIdle(Computation::Hint);
}

void OfferDraw(Engine& e) {
    if (e.game.gameStarted && e.search.bestScore <= 0)
        EndGame(e, 2, 0.5, "It's a draw!", "OK... It's a draw!", false);
    else
        e.ui.Message("Offer rejected... Play on!", "Draw Offer", Icon::Exclamation);
}

void Resign(Engine& e) {
    EndGame(e, 0, 0, "Computer wins!", "OK... Computer wins!", false);
}

}  // namespace zelkor
