// The player's Hint, Offer Draw and Resign commands: the engine answers, the controller
// tells. The hint's search runs through the search runner like the computer's move.
#include "engine/hint.h"
#include "game/controller.h"
#include "game/hint_board.h"
#include "rules/game_end.h"
#include "rules/move_text.h"

namespace zelkor {

void GameController::HintCommand() {
    GameSession& g = *game_;
    if (g.busy) return;
    if (!MayLoseRating(ui_.Translate("Game", "A hint makes this game unrated. Show the hint?")))
        return;
    game_->rated = false;
    if (MasterHint()) return;
    // Board and typed input wait for the hint, and the menus with them.
    g.busy = true;
    ComputationBusy(Computation::Hint);
    if (const auto stored = StoredHint(g, *search_)) {
        ShowHint("Try " + SquareNotation(g.board, stored->first) + "-" +
                 SquareNotation(g.board, stored->second));
        return EndHint();
    }
    Engine engine = MakeEngine();
    const std::optional<RootSearchLimits> limits = PrepareHint(engine);
    if (!limits) {
        ui_.Message(ui_.Translate("Game", "You have already won!"),
                    ui_.Translate("Game", "Congratulations"), Icon::Exclamation);
        return EndHint();
    }
    MovePlan plan;
    plan.limits = *limits;
    hintRunning_ = true;
    StartSearch(plan, "", [this](const SearchResult& result) {
        hintRunning_ = false;
        const Move& best = result.best;
        ShowHint("Try " + MoveTextOf(*game_, best.Source, best.dest, best.jump == 1).display);
        EndHint();
    });
}

void GameController::ShowHint(const std::string& text) {
    HintBoardUi(ui_, *game_, feedback_.hintOnBoard).Message(text, "Hint", Icon::Information);
}

void GameController::EndHint() {
    search_->hintFrom = 0;
    search_->hintTo = 0;
    ComputationIdle(Computation::Hint);
    game_->busy = false;
}

void GameController::OfferDrawCommand() {
    GameSession& g = *game_;
    if (g.busy || g.gameOver) return;
    if (AcceptsDrawOffer(g, *search_))  // ends the game with its command states
        EndGame(ResultCode::Draw, 0.5, ui_.Translate("Game", "It's a draw!"),
                ui_.Translate("Game", "OK... It's a draw!"), false);
    else
        ui_.Message(ui_.Translate("Game", "Offer rejected... Play on!"),
                    ui_.Translate("Game", "Draw Offer"), Icon::Exclamation);
}

void GameController::ResignCommand() {
    GameSession& g = *game_;
    if (g.busy || g.gameOver) return;
    if (ui_.Message(
            g.rated
                ? ui_.Translate("Game", "Resign this game? It counts as a loss for your rating.")
                : ui_.Translate("Game", "Resign this game?"),
            ui_.Translate("Game", "Confirmation"), Icon::Question, Buttons::YesNo) != Answer::Yes)
        return;
    EndGame(ResultCode::Win, 0, ui_.Translate("Game", "Computer wins!"),
            ui_.Translate("Game", "OK... Computer wins!"), false);
}

}  // namespace zelkor
