#include "engine/hint.h"

#include <optional>
#include <string>

#include "engine/driver_steps.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

bool IsLegalHere(GameState& g, int from, int to) {
    InitGameTree(g);
    GenerateMoves(g, kAllMoves);
    for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i)
        if (g.movePool[i].Source == from && g.movePool[i].dest == to) return true;
    return false;
}

// The hint's two-iteration search, its best move also in pool record 0 afterwards. Nothing
// when the game is over for the side to move.
std::optional<SearchResult> SearchHint(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    s.noiseAmplitude = 5;
    g.cancelRequest = kNoCancel;
    s.searchStartPly = g.gamePly;
    s.repetitionCount = 0;
    InitGameTree(g);
    Evaluate(e, -kWinScore, kWinScore, g.side);
    if (s.opponentHasWon == 1) return std::nullopt;
    GenerateMoves(g, kAllMoves);
    if (MoveCount(g) == 0) return std::nullopt;
    s.rootCount = GenerateSearchMoves(g);
    RootSearchLimits limits;
    limits.depth = 2;
    limits.hint = true;
    return SearchRootMoves(e, limits);
}

}  // namespace

void GiveHint(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    e.hooks.ComputationBusy(Computation::Hint);
    // The stored reply belongs to the position the computer left; anywhere else it may
    // not even be legal, and a search answers instead.
    if (s.hintFrom > 0 && IsLegalHere(g, s.hintFrom, s.hintTo))
        e.ui.Message(
            "Try " + SquareNotation(g.board, s.hintFrom) + "-" + SquareNotation(g.board, s.hintTo),
            "Hint", Icon::Information);
    else if (const std::optional<SearchResult> result = SearchHint(e))
        e.ui.Message(
            "Try " + MoveTextOf(g, result->best.Source, result->best.dest, result->best.jump == 1)
                         .display,
            "Hint", Icon::Information);
    else
        e.ui.Message("You have already won!", "Congratulations", Icon::Exclamation);
    s.hintFrom = 0;
    s.hintTo = 0;
    e.hooks.ComputationIdle(Computation::Hint);
}

void OfferDraw(Engine& e) {
    if (e.game.gameStarted && e.search.bestScore <= 0)
        EndGame(e, kDrawResult, 0.5, "It's a draw!", "OK... It's a draw!", false);
    else
        e.ui.Message("Offer rejected... Play on!", "Draw Offer", Icon::Exclamation);
}

void Resign(Engine& e) {
    EndGame(e, kWinResult, 0, "Computer wins!", "OK... Computer wins!", false);
}

}  // namespace zelkor
