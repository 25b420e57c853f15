// The analysis as the controller runs it: the driver's search on the position for the side
// to move, without playing; the root moves and what the search found are told here.
#include "engine/display.h"
#include "engine/driver.h"
#include "game/controller.h"
#include "rules/game_end.h"
#include "rules/move_text.h"

namespace zelkor {

std::string AnalysisLine(const Position& g, const RootEntry& entry, const std::string& mainLine) {
    const auto column = [](const std::string& text, std::size_t width) {
        return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
    };
    std::string line =
        column(SquareNotation(g.board, entry.from) + SquareNotation(g.board, entry.to), 11);
    if (entry.score == kUnsearched) return line + column("n/a", 9);
    std::string score = entry.upperBound ? "<=" : "";
    score += std::to_string(entry.score);
    line += column(score, 9);
    line += column(std::to_string(entry.depth), 8);
    if (!mainLine.empty()) line += "    " + mainLine;
    return line;
}

std::vector<std::string> GameController::SortedRootLines() {
    const GameSession& g = *game_;
    SearchState& s = *search_;
    std::vector<std::string> lines;
    if (!SortRootTable(s)) return lines;
    std::vector<PvEntry> line;
    for (int p = 0; p <= kMaxPly && s.bestLine[p].Source != 0; ++p)
        line.push_back(s.bestLine[p]);
    const std::string mainLine = LineText(g, line, g.jumpChar);
    for (int i = 0; i < s.rootCount; ++i)
        lines.push_back(AnalysisLine(g, s.rootTable[i], i == 0 ? mainLine : std::string()));
    return lines;
}

void GameController::AnalyzeCommand() {
    GameSession& g = *game_;
    if (g.gameOver || g.busy) return;
    ui_.SetText(Display::Status, "");
    g.busy = true;
    game_->rated = false;
    boardHeld_ = true;
    UpdateCommandStates();
    const std::optional<MovePlan> plan = BeginAnalysis();
    if (!plan) {
        g.busy = false;
        return;
    }
    StartSearch(*plan, QT_TRANSLATE_NOOP("Game", "Analyzing... ("),
                [this](const SearchResult& result) {
                    FinishAnalysis(result);
                    game_->busy = false;
                });
}

std::optional<MovePlan> GameController::BeginAnalysis() {
    StartComputation(Computation::Analysis);
    ui_.SetListLines(ListId::Analysis, {});
    ui_.SetText(Display::Status, ui_.Translate("Game", "Analyzing..."));
    ComputationBusy(Computation::Analysis);
    if (AnnounceDecidedPosition()) {
        EndAnalysis();
        return std::nullopt;
    }
    return PlanRootSearch(Computation::Analysis);
}

bool GameController::AnnounceDecidedPosition() {
    // The analysis ends no game and updates no rating.
    Engine engine = MakeEngine();
    const RootState root = JudgeRoot(engine);
    if (root == RootState::Open) return false;
    if (root == RootState::NoMove) {
        const std::string text =
            Fill(ui_.Translate("Game", "%1 wins!"), {ShownName(settings_.PlayerName)});
        EndGame(ResultCode::Win, std::nullopt, text, text, true);
    } else {
        const std::string text = ui_.Translate("Game", "Computer wins!");
        EndGame(ResultCode::Win, std::nullopt, text, text + ratingText_, true);
    }
    return true;
}

void GameController::FinishAnalysis(const SearchResult& result) {
    Engine engine = MakeEngine();
    SettleSearchStop(engine, result);
    ui_.SetListLines(ListId::Analysis, SortedRootLines());
    ui_.SetText(Display::Status, "");
    AnnounceFindings();
    EndAnalysis();
}

void GameController::AnnounceFindings() {
    // A forced result found by the search and the draw rules are told as the computer's
    // move would tell them. (A game the last move won, or a side without a move, never gets
    // here: the analysis judges the root first.)
    GameSession& g = *game_;
    if (IsForcedResult(search_->bestScore))
        ui_.SetText(Display::Status, AnnouncementText(search_->bestScore, ui_));
    ui_.RedrawBoard();
    if (settings_.ChessDrawRules && g.drawFlag != DrawKind::None) {
        const std::string announcement = DrawAnnouncement(g.drawFlag, ui_);
        EndGame(ResultCode::Draw, std::nullopt, announcement, announcement + ratingText_, true);
    }
}

void GameController::EndAnalysis() {
    // The line shown continues with the opponent's reply, which is no hint for the side
    // that is still to move here.
    search_->hintFrom = 0;
    search_->hintTo = 0;
    ComputationIdle(Computation::Analysis);
    RefreshLists();
}

}  // namespace zelkor
