#include <string>
#include <vector>

#include "engine/driver.h"
#include "engine/driver_steps.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

// A position already decided is announced instead of analysed; true when it was. The
// analysis ends no game and updates no rating.
bool AnnounceDecidedPosition(Engine& e) {
    GameState& g = e.game;
    InitGameTree(g);
    const int rootScore = Evaluate(e, -kWinScore, kWinScore, g.side);
    if (rootScore == kWinScore || e.search.opponentHasWon == 1) {
        EndGame(e, kWinResult, std::nullopt, "Computer wins!",
                "Computer wins!" + e.hooks.RatingText(), true);
        return true;
    }
    GenerateMoves(g, kAllMoves);
    if (MoveCount(g) > 0) return false;
    const std::string text = e.settings.PlayerName + " wins!";
    EndGame(e, kWinResult, std::nullopt, text, text, true);
    return true;
}

// The driver's search over the root moves, reported in the analysis list; nothing is played.
MovePlan PlanAnalysis(Engine& e) {
    SearchState& s = e.search;
    const Settings& settings = e.settings;
    MovePlan plan;
    s.rootCount = GenerateSearchMoves(e.game);
    plan.limits.byTime = !settings.UseDepth;
    plan.limits.depth = PrepareLimits(e, s.rootCount);
    // Only the book file is asked; the book games need a game in progress.
    if (settings.UseBook && !settings.BookFromGames && TakeBookMove(e, false)) {
        plan.limits.bookMove = true;
        plan.limits.depth = 1;
    }
    FillRootTable(e);
    return plan;
}

void ShowAnalysis(Engine& e, const SearchResult& result) {
    GameState& g = e.game;
    e.search.depthReached = result.depth;
    if (g.cancelRequest == kTimeManagerStop) {
        g.cancelRequest = kNoCancel;
        g.searchStopped = 0;
    }
    e.ui.SetListLines(ListId::Analysis, SortedRootLines(e));
    e.ui.SetText(Display::Status, "");
}

// A forced result found by the search, the draw rules and a side without a move are told
// as the computer's move would tell them.
void AnnounceFindings(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const int score = Evaluate(e, -kWinScore, kWinScore, -g.side);
    const bool won = s.bestScore >= kForcedResultScore && score > kForcedResultScore;
    if (won)
        DecideGame(e, kWinResult, std::nullopt, "Computer wins!");
    else if (s.bestScore >= kForcedResultScore || s.bestScore <= -kForcedResultScore)
        e.ui.SetText(Display::Status, AnnouncementText(s.bestScore));
    e.ui.RedrawBoard();
    if (won) TellResult(e, kWinResult, "Computer wins!");
    if (e.settings.ChessDrawRules && g.drawFlag != kNoDraw) {
        const std::string announcement = DrawAnnouncement(g.drawFlag);
        EndGame(e, kDrawResult, std::nullopt, announcement, announcement + e.hooks.RatingText(),
                true);
    }
    GenerateMoves(g, kAllMoves);
    if (MoveCount(g) == 0 && !g.gameOver)
        EndGame(e, kWinResult, std::nullopt, "Computer wins!",
                "Computer wins!" + e.hooks.RatingText(), true);
}

}  // namespace

namespace {

void EndAnalysis(Engine& e) {
    // The line shown continues with the opponent's reply, which is no hint for the side
    // that is still to move here.
    e.search.hintFrom = 0;
    e.search.hintTo = 0;
    e.hooks.ComputationIdle(Computation::Analysis);
    e.hooks.RefreshLists();
}

}  // namespace

std::optional<MovePlan> BeginAnalysis(Engine& e) {
    BeginComputation(e);
    e.search.analysedHere = true;
    e.ui.SetListLines(ListId::Analysis, {});
    e.ui.SetText(Display::Status, "Analyzing...");
    e.hooks.ComputationBusy(Computation::Analysis);
    if (AnnounceDecidedPosition(e)) {
        EndAnalysis(e);
        return std::nullopt;
    }
    return PlanAnalysis(e);
}

void FinishAnalysis(Engine& e, const MovePlan&, const SearchResult& result) {
    ShowAnalysis(e, result);
    AnnounceFindings(e);
    EndAnalysis(e);
}

void AnalyzePosition(Engine& e) {
    const std::optional<MovePlan> plan = BeginAnalysis(e);
    if (!plan) return;
    ShowSearchProgress(e, "Analyzing... (");
    FinishAnalysis(e, *plan, SearchRootMoves(e, plan->limits));
}

}  // namespace zelkor
