#include "engine/hint.h"

#include "engine/evaluate.h"
#include "engine/search.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

std::optional<std::pair<int, int>> StoredHint(GameState& g, const SearchState& s) {
    if (s.hintFrom <= 0) return std::nullopt;
    for (const Move& m : LegalMoves(g))
        if (m.Source == s.hintFrom && m.dest == s.hintTo) return std::pair{s.hintFrom, s.hintTo};
    return std::nullopt;
}

std::optional<RootSearchLimits> PrepareHint(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    s.noiseAmplitude = 5;
    g.cancelRequest = CancelRequest::None;
    s.searchStartPly = g.gamePly;
    s.repetitionCount = 0;
    InitGameTree(g);
    Evaluate(e, -kWinScore, kWinScore, g.side);
    if (s.opponentHasWon) return std::nullopt;
    if (HasNoMove(g)) return std::nullopt;
    PrepareRootMoves(e);
    RootSearchLimits limits;
    limits.depth = 2;
    limits.hint = true;
    return limits;
}

bool AcceptsDrawOffer(const GameState& g, const SearchState& s) {
    return g.gameStarted && s.bestScore <= 0;
}

}  // namespace zelkor
