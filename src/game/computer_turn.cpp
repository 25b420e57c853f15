// The computer's move as the controller runs it: the engine's steps before the search,
// the search through the runner, and the engine's steps after it, each told to the user
// here (status, lists, progress, the draw question, the end of the game and the rating).
#include "engine/driver.h"
#include "game/controller.h"
#include "rules/game_end.h"
#include "rules/move_text.h"

namespace zelkor {

std::string CalculationText(const NewBestReport& report, const Translator& texts) {
    return Fill(texts.Translate("Game", "Depth:%1   Best: %2   Score:%3"),
                {SignedText(report.depth), report.move, SignedText(report.score)}) +
           (report.book ? "\r\n" + texts.Translate("Game", "Book")
                        : "\r\n" + Fill(texts.Translate("Game", "Main: %1"), {report.mainLine}));
}

std::string AnnouncementText(int bestScore, const Translator& texts) {
    if (bestScore >= kForcedResultScore) {
        const int n = (32001 - bestScore) / 2;
        return Fill(n > 1 ? texts.Translate("Game", "Computer is winning in%1 moves! ")
                          : texts.Translate("Game", "Computer is winning in%1 move! "),
                    {SignedText(n)});
    }
    if (bestScore <= -kForcedResultScore) {
        const int n = (bestScore + 32000) / 2;
        return Fill(n > 1 ? texts.Translate("Game", "Computer is losing in%1 moves! ")
                          : texts.Translate("Game", "Computer is losing in%1 move! "),
                    {SignedText(n)});
    }
    return {};
}

void GameController::RunComputerMove(const std::function<void()>& then) {
    if (AtMoveLimit()) return then();
    const std::optional<MovePlan> plan = BeginComputerMove();
    if (!plan) return then();
    StartSearch(*plan, QT_TRANSLATE_NOOP("Game", "Thinking... ("),
                [this, plan = *plan, then](const SearchResult& result) {
                    FinishComputerMove(plan, result);
                    then();
                });
}

void GameController::StartComputation(Computation kind) {
    Engine engine = MakeEngine();
    BeginComputation(engine);
    if (settings_.ShowMoves) ui_.RedrawBoard();  // takes the move marks off the board
    if (kind == Computation::Analysis) search_->analysedHere = true;
}

std::optional<MovePlan> GameController::BeginComputerMove() {
    GameSession& g = *game_;
    const bool bothComputer = g.playMode == PlayMode::ComputerComputer;
    StartComputation(Computation::Move);
    if (!bothComputer) {
        ui_.SetListLines(ListId::LegalMoves, {});
        ui_.SetListLines(ListId::Analysis, {});
    }
    CutRecordToCurrentPly();
    ui_.SetText(Display::Status, ui_.Translate("Game", "Thinking..."));
    ComputationBusy(Computation::Move);
    if (AnnounceDecidedGame(bothComputer)) {
        EndComputerMove(false, false);
        return std::nullopt;
    }
    return PlanRootSearch(Computation::Move);
}

bool GameController::AnnounceDecidedGame(bool bothComputer) {
    GameSession& g = *game_;
    Engine engine = MakeEngine();
    const RootState root = JudgeRoot(engine);
    if (root == RootState::Open) return false;
    // When the side that has just moved (the player) met a winning condition, or the side
    // to move has no move, the player is named and rated as the winner.
    const bool computerWon = root == RootState::MoverHasWon;
    const int winner = computerWon ? g.side : -g.side;
    const std::string text =
        bothComputer  ? WinnerColourText(winner, ui_)
        : computerWon ? ui_.Translate("Game", "Computer wins!")
                      : Fill(ui_.Translate("Game", "%1 wins!"), {ShownName(settings_.PlayerName)});
    EndGame(ResultCode::Win, computerWon ? 0 : 1, text, text, true);
    return true;
}

MovePlan GameController::PlanRootSearch(Computation kind) {
    Engine engine = MakeEngine();
    const int n = PrepareRootMoves(engine);
    const bool byTime = !settings_.UseDepth;
    ClearProgressDisplays();
    clock_.Pause(0.5);
    ui_.ShowCountdown(byTime && settings_.CountdownTimer);
    ui_.SetProgressMaximum(byTime ? settings_.ThinkTime : n * settings_.SearchDepth);
    MovePlan plan;
    plan.limits = LimitsFor(engine, n);
    // The analysis asks only the book file; the book games need a game in progress.
    const bool book = settings_.UseBook && (kind == Computation::Move || !settings_.BookFromGames);
    if (book) {
        const auto [from, to] = BookMove(kind == Computation::Move && settings_.BookFromGames);
        if (TakeBookMove(engine, from, to)) {
            plan.limits.bookMove = true;
            plan.limits.depth = 1;
        }
    }
    FillRootTable(engine);
    if (kind == Computation::Move)
        plan.progressMaximum = ProgressMaximum(settings_, plan.limits, search_->rootCount);
    return plan;
}

SearchProgress GameController::ProgressShown(const char* status) {
    SearchProgress progress;
    progress.rootMove = [this, status](int d, const std::string& move) {
        ui_.SetText(Display::Status,
                    ui_.Translate("Game", status) + std::to_string(d) + ")  " + move);
    };
    progress.newBest = [this](const NewBestReport& report) {
        if (settings_.ShowCalculation)
            ui_.SetText(Display::Calculation, CalculationText(report, ui_));
    };
    progress.progress = [this](int value) { ui_.SetProgressValue(value); };
    progress.countdown = [this](int remaining) {
        ui_.SetText(Display::Countdown, std::to_string(remaining));
    };
    return progress;
}

void GameController::FinishComputerMove(const MovePlan& plan, const SearchResult& result) {
    const bool bothComputer = game_->playMode == PlayMode::ComputerComputer;
    Engine engine = MakeEngine();
    const bool searchedToEnd = SettleSearchStop(engine, result);
    const std::vector<std::string> lines = SortedRootLines();
    if (!bothComputer) ui_.SetListLines(ListId::Analysis, lines);
    ui_.SetText(Display::Status, "");
    if (PlayBestMove(plan, bothComputer)) {
        ProposeDrawWhenStable(bothComputer);
        CheckEndAfterMove(ComputerWinsText(bothComputer));
    }
    EndComputerMove(searchedToEnd, plan.limits.bookMove);
}

std::string GameController::ComputerWinsText(bool bothComputer) const {
    // The side that has just moved wins; when the computer plays both sides the user only
    // watched, so the winner is named by colour.
    return bothComputer ? WinnerColourText(-game_->side, ui_)
                        : ui_.Translate("Game", "Computer wins!");
}

bool GameController::PlayBestMove(const MovePlan& plan, bool bothComputer) {
    GameSession& g = *game_;
    SearchState& s = *search_;
    if (!PlayRootMove(g)) return false;
    const std::string computerWins = ComputerWinsText(bothComputer);
    Engine engine = MakeEngine();
    const bool justWon = JustMovedHasWon(engine);
    std::string rating;
    if (justWon) {
        rating = DecideGame(ResultCode::Win, 0, computerWins);
    } else if (IsForcedResult(s.bestScore)) {
        ui_.SetText(Display::Status, AnnouncementText(s.bestScore, ui_));
        s.announced = true;
    }
    KeepComputerMove(engine);
    RecordComputerMove(s.depthReached, plan.limits.bookMove);
    if (justWon) {
        ui_.SetProgressValue(plan.progressMaximum);
        ui_.SetText(Display::Countdown, "0");
        TellResult(ResultCode::Win, computerWins + rating);
    }
    return true;
}

void GameController::ProposeDrawWhenStable(bool bothComputer) {
    Engine engine = MakeEngine();
    switch (ProposeDraw(engine, bothComputer)) {
        case DrawProposal::None:
            return;
        case DrawProposal::Taken:
            EndGame(ResultCode::Draw, 0.5, ui_.Translate("Game", "It's a draw!"),
                    ui_.Translate("Game", "It's a draw!"), false);
            return;
        case DrawProposal::Ask:
            clock_.Pause(0.5);
            if (ui_.Message(ui_.Translate("Game", "How about a draw?"),
                            ui_.Translate("Game", "Question"), Icon::Question,
                            Buttons::YesNo) == Answer::Yes)
                EndGame(ResultCode::Draw, 0.5, ui_.Translate("Game", "It's a draw!"),
                        ui_.Translate("Game", "It's a draw!"), false);
            return;
    }
}

void GameController::CheckEndAfterMove(const std::string& computerWins) {
    GameSession& g = *game_;
    if (g.drawFlag != DrawKind::None && settings_.ChessDrawRules && !g.gameOver) {
        const std::string announcement = DrawAnnouncement(g.drawFlag, ui_);
        EndGame(ResultCode::Draw, 0.5, announcement, announcement, true);
    }
    if (HasNoMove(g) && !g.gameOver) EndGame(ResultCode::Win, 0, computerWins, computerWins, true);
}

void GameController::EndComputerMove(bool searchedToEnd, bool bookMove) {
    // Playing itself, the computer stays busy through the pause between its moves: Cancel
    // stays offered there and the other commands wait, until the run ends.
    if (game_->playMode != PlayMode::ComputerComputer) ComputationIdle(Computation::Move);
    if (settings_.UseDepth == 1 && searchedToEnd && !bookMove)
        ui_.SetText(Display::Strength, LevelText(settings_, ui_));
}

std::string GameController::DecideGame(ResultCode code, std::optional<double> playerScore,
                                       const std::string& status) {
    GameEndBookkeeping(code);
    std::string rating;
    if (playerScore) {
        game_->gameOver = true;
        rating = UpdateRating(*playerScore);
    }
    ui_.SetText(Display::Status, status);
    return rating;
}

void GameController::TellResult(ResultCode code, const std::string& message) {
    GameEndBookkeeping(code);
    clock_.Pause(0.5);
    ui_.Message(message, ui_.Translate("Game", "Congratulations"), Icon::Exclamation);
}

void GameController::EndGame(ResultCode code, std::optional<double> playerScore,
                             const std::string& status, const std::string& message, bool pause) {
    const std::string rating = DecideGame(code, playerScore, status);
    if (pause) clock_.Pause(0.5);
    ui_.Message(message + rating, ui_.Translate("Game", "Congratulations"), Icon::Exclamation);
}

}  // namespace zelkor
