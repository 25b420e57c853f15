#include <string>
#include <vector>

#include "engine/driver.h"
#include "engine/driver_steps.h"
#include "engine/evaluate.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

void AnalyzePosition(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    Settings& settings = e.settings;
    UserInterface& ui = e.ui;
    EngineHooks& hooks = e.hooks;

    BeginComputation(e);
    s.analysedHere = true;
    ui.SetListLines(ListId::Analysis, {});
    ui.SetText(Display::Status, "Analyzing...");
    hooks.ComputationBusy(Computation::Analysis);

    [&] {
        InitGameTree(g);
        const int rootScore = Evaluate(e, -kWinScore, kWinScore, g.side);
        if (rootScore == kWinScore || s.opponentHasWon == 1) {
            hooks.GameEndBookkeeping(0);
            ui.SetText(Display::Status, "Computer wins!");
            Pause(e, 0.5);
            ui.Message("Computer wins!" + hooks.RatingText(), "Congratulations", Icon::Exclamation);
            return;
        }
        GenerateMoves(g, 1);
        if (MoveCount(g) == 0) {
            hooks.GameEndBookkeeping(0);
            Pause(e, 0.5);
            const std::string text = settings.PlayerName + " wins!";
            ui.SetText(Display::Status, text);
            ui.Message(text, "Congratulations", Icon::Exclamation);
            return;
        }
        GenerateMoves(g, 0);
        s.rootCount = MoveCount(g);
        RootSearchLimits limits;
        limits.analysis = true;
        limits.byTime = !settings.UseDepth;
        limits.depth = PrepareLimits(e, s.rootCount);
        // Only the book file is asked; the book games need a game in progress.
        if (settings.UseBook && !settings.BookFromGames && TakeBookMove(e, false)) {
            limits.bookMove = true;
            limits.depth = 1;
        }
        FillRootTable(e);

        s.depthReached = SearchRootMoves(e, limits);
        if (g.cancelRequest == 2) {
            g.cancelRequest = 0;
            g.searchStopped = 0;
        }
        ui.SetListLines(ListId::Analysis, SortedRootLines(e));
        ui.SetText(Display::Status, "");

        const int score = Evaluate(e, -kWinScore, kWinScore, -g.side);
        bool won = false;
        if (s.bestScore >= kForcedResultScore && score > kForcedResultScore) {
            hooks.GameEndBookkeeping(0);
            ui.SetText(Display::Status, "Computer wins!");
            won = true;
        } else if (s.bestScore >= kForcedResultScore || s.bestScore <= -kForcedResultScore) {
            ui.SetText(Display::Status, AnnouncementText(s.bestScore));
        }

        ui.RedrawBoard();
        if (won) {
            hooks.GameEndBookkeeping(0);
            Pause(e, 0.5);
            ui.Message("Computer wins!", "Congratulations", Icon::Exclamation);
        }
        if (settings.ChessDrawRules && g.drawFlag != 0) {
            hooks.GameEndBookkeeping(2);
            Pause(e, 0.5);
            const std::string announcement = DrawAnnouncement(g.drawFlag);
            ui.SetText(Display::Status, announcement);
            ui.Message(announcement + hooks.RatingText(), "Congratulations", Icon::Exclamation);
        }

        GenerateMoves(g, 1);
        if (MoveCount(g) == 0 && !g.gameOver) {
            Pause(e, 0.5);
            hooks.GameEndBookkeeping(0);
            ui.SetText(Display::Status, "Computer wins!");
            ui.Message("Computer wins!" + hooks.RatingText(), "Congratulations", Icon::Exclamation);
        }
    }();

    // The line shown continues with the opponent's reply, which is no hint for the side
    // that is still to move here.
    s.hintFrom = 0;
    s.hintTo = 0;
    hooks.ComputationIdle(Computation::Analysis);
    hooks.RefreshLists();
}

}  // namespace zelkor
