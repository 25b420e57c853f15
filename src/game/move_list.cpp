// The game move list, the move-text record, the log lines, the legal-move list and
// navigation through the recorded game.
#include <algorithm>
#include <cctype>

#include "engine/search.h"
#include "game/controller.h"
#include "game/quiet_book.h"
#include "records/log.h"
#include "rules/game_end.h"
#include "rules/make_move.h"
#include "rules/move_text.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The first four characters of a move field ("c3d4 c3-d4"), upper case.
std::string FieldMove(const std::string& field) {
    std::string move = field.substr(0, 4);
    for (char& c : move)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return move;
}

}  // namespace

void GameController::RecordPlayedMove(const std::string& text, bool jump) {
    GameSession& g = *game_;
    analysisListLive_ = false;
    const std::string from = Lower(text.substr(0, 2));
    const std::string to = Lower(text.substr(2, 2));
    const std::string display = from + (jump ? std::string(1, g.jumpChar) : "-") + to;
    if (g.gamePly - 1 < g.recordLength) CutRecordTo(g.gamePly - 1);
    g.recordLength = g.gamePly;
    UpdateCommandStates();
    ui_.RedrawBoard();
    const int score = loading_ ? 0 : -QuickScore();
    if (g.playMode == PlayMode::PlayerPlayer && g.gamePly < kHistorySize)
        g.moveScores[g.gamePly] = score;
    const bool book = MoveIsInBook();
    RecordPly(from + to, display, loading_ ? "3" : "2", book, "",
              PlayerPlyLogLine(GameMoveLine(g.gamePly, display, book), score));
}

void GameController::RecordPly(const std::string& raw, const std::string& display,
                               const std::string& byWhom, bool bookMove, const std::string& depth,
                               const std::string& logLine) {
    GameSession& g = *game_;
    const int ply = g.gamePly;
    const int row = (ply + 1) / 2;
    if (ply < 1 || row >= kMoveRows) return;
    if (ply == 1) WriteLogHeader();
    MoveTextRow& texts = g.moveTexts[row];
    if (ply % 2 == 1) {
        texts.first = raw + " " + display;
        texts.firstBy = byWhom;
    } else {
        texts.second = raw + " " + display;
        texts.secondBy = byWhom;
    }
    if (!depth.empty()) texts.depth = depth;
    const std::string line = GameMoveLine(ply, display, bookMove);
    g.gameMoveLines.resize(ply - 1);
    g.gameMoveLines.push_back(line);
    if (!loading_) {
        ui_.SetListLines(ListId::GameMoves, g.gameMoveLines);
        ui_.SelectListLine(ListId::GameMoves, ply - 1);
        ui_.SetText(Display::Comment, "");
        ShowWindowTitle();
    }
    WriteLog(logLine);
}

void GameController::CutRecordTo(int plies) {
    GameSession& g = *game_;
    plies = std::max(plies, 0);
    for (int ply = std::min(g.recordLength, kMaxGamePlies); ply > plies; --ply) {
        g.comments[ply].clear();
        g.moveScores[ply] = 0;
        search_->scoreHistory[ply] = 0;
        MoveTextRow& texts = g.moveTexts[(ply + 1) / 2];
        if (ply % 2 == 1) {
            texts = MoveTextRow{};
        } else {
            texts.second.clear();
            texts.secondBy.clear();
        }
    }
    if (static_cast<int>(g.gameMoveLines.size()) > plies) g.gameMoveLines.resize(plies);
    if (plies < g.recordLength) finalNames_.reset();  // the game's end is gone
    g.recordLength = std::min(g.recordLength, plies);
    savedLength_ = std::min(savedLength_, plies);
}

void GameController::WriteLogHeader() {
    if (!log_ || shutDown_) return;
    log_->WriteGameHeader(game_->defined.name, game_->rule(BlackStarts) == 1);
}

int GameController::QuickScore() {
    // The search lets window events run: input must wait until the move is recorded.
    GameSession& g = *game_;
    const bool wasBusy = g.busy;
    g.busy = true;
    Engine engine = MakeEngine();
    InitGameTree(g);
    search_->searchStartPly = g.gamePly;
    const int score = HintSearch(engine, -kWinScore, kWinScore, 1);
    g.busy = wasBusy;
    return score;
}

// The book marks and the opening name show whether or not the computer plays from the
// book.
bool GameController::MoveIsInBook() {
    return QuietBookLookup(bookCache_, *game_, ui_, dataDir_).inBook;
}

std::vector<std::string> GameController::CurrentBookMoves() {
    return QuietBookLookup(bookCache_, *game_, ui_, dataDir_).bookMoves;
}

void GameController::FillLegalMoveList() {
    GameSession& g = *game_;
    legalLines_.clear();
    if (g.gameOver) {  // an ended game has no moves to offer
        if (!loading_) ui_.SetListLines(ListId::LegalMoves, legalLines_);
        return;
    }
    const std::vector<std::string> book = CurrentBookMoves();
    for (const Move& m : LegalMoves(g)) {
        std::string line = MoveTextOf(g, m.Source, m.dest, m.jump == 1).display;
        const std::string from = SquareName(m.Source);
        const std::string to = SquareName(m.dest);
        for (const std::string& proposal : book) {  // the look-up gives the first few only
            const std::string entry = Lower(proposal);
            if (entry.size() >= 4 && entry.substr(0, 2) == from &&
                entry.substr(entry.size() - 2) == to) {
                line += "b";
                break;
            }
        }
        legalLines_.push_back(line);
    }
    if (!loading_) ui_.SetListLines(ListId::LegalMoves, legalLines_);
}

void GameController::ShowGameMoveList() {
    const GameSession& g = *game_;
    ui_.SetListLines(ListId::GameMoves, g.gameMoveLines);
    ui_.SelectListLine(ListId::GameMoves, g.gamePly - 1);
}

void GameController::ShowComment() {
    const GameSession& g = *game_;
    if (g.gamePly >= 0 && g.gamePly < kHistorySize)
        ui_.SetText(Display::Comment, g.comments[g.gamePly]);
}

// ---------------------------------------------------------------------------------------
// Navigation

void GameController::TakeBackOnePly() {
    GameSession& g = *game_;
    InitGameTree(g);
    g.ply = 1;  // the move being taken back is the root's
    g.movePool[0] = g.gameRecord[g.gamePly];
    TakeBackMove(g, 0);
    InitGameTree(g);
}

void GameController::NavigateBy(int count, bool keepTables) {
    GameSession& g = *game_;
    if (g.recordLength == 0) return;
    if (!keepTables) ClearAnalysisTable();
    // Leaving the end of a finished game: its names come back with its end.
    if (g.gameOver && g.gamePly == g.recordLength)
        finalNames_ = std::make_pair(g.firstSideName, g.secondSideName);
    // The expected reply belongs to the position the computer left.
    search_->hintFrom = 0;
    search_->hintTo = 0;
    analysisListLive_ = false;
    UpdateCommandStates();
    for (int step = 0; step < count && g.gamePly > 0; ++step) {
        ui_.SetText(Display::Calculation, kNoCalculation);
        TakeBackOnePly();
        ShowComment();
    }
    for (int step = 0; step < -count && g.gamePly < g.recordLength; ++step) {
        ui_.SetText(Display::Calculation, kNoCalculation);
        const int target = g.gamePly + 1;
        const MoveTextRow& texts = g.moveTexts[(target + 1) / 2];
        if (!InputMove(FieldMove(target % 2 == 1 ? texts.first : texts.second))) break;
        // A search made in an earlier position may have left its own path in the position
        // history: the replayed positions go back in.
        DrawTest(g, settings_.DrawRule15 == 1);
        ShowComment();
        UpdateCommandStates();
    }
    // Against the computer the human has the side to move, however the game had ended.
    if (g.playMode == PlayMode::PlayerComputer) AssignNamesForSideToMove();
    g.gameOver = false;
    gameEndShown_ = false;
    UpdateCommandStates();
    UpdatePlayerLabels();
    ui_.SelectListLine(ListId::GameMoves, g.gamePly - 1);
    ui_.RedrawBoard();
    ShowSideToMove();
    RunGameEndDetection(false);
    if (g.gameOver && finalNames_ && g.gamePly == g.recordLength) {
        g.firstSideName = finalNames_->first;
        g.secondSideName = finalNames_->second;
        UpdatePlayerLabels();
    }
    FillLegalMoveList();
}

void GameController::StepForward() {
    analysisListLive_ = false;
    UpdateCommandStates();
    NavigateBy(-1, false);
    MoveIsInBook();  // shows the opening name of the new position
}

void GameController::First() {
    GameSession& g = *game_;
    if (g.busy) return;
    ui_.SetListLines(ListId::Analysis, {});
    if (g.gamePly > 0) NavigateBy(g.gamePly, false);
}

void GameController::Back() {
    if (game_->busy) return;
    ui_.SetListLines(ListId::Analysis, {});
    NavigateBy(1, false);
}

void GameController::TakeBackPlayerMove() {
    GameSession& g = *game_;
    if (g.busy || g.gamePly == 0) return;
    // Against the computer the player's move goes back with the reply to it, so that the
    // player keeps the colour; a move that ended the game has no reply.
    int steps = 1;
    if (g.playMode == PlayMode::PlayerComputer) {
        const std::string& toMove = FirstSideToMove() ? g.firstSideName : g.secondSideName;
        if (toMove != kComputerName) steps = 2;
    }
    if (steps > g.gamePly) return;
    ui_.SetListLines(ListId::Analysis, {});
    NavigateBy(steps, false);
}

void GameController::Forward() {
    if (game_->busy) return;
    ui_.SetListLines(ListId::Analysis, {});
    StepForward();
}

void GameController::Last() {
    GameSession& g = *game_;
    if (g.busy) return;
    ui_.SetListLines(ListId::Analysis, {});
    const int count = g.gamePly - static_cast<int>(g.gameMoveLines.size());
    if (count != 0) NavigateBy(count, false);
}

void GameController::GameMoveClicked(int line) {
    GameSession& g = *game_;
    if (g.busy) return;
    if (line < 0 || line >= static_cast<int>(g.gameMoveLines.size())) return;
    const int count = g.gamePly - line - 1;
    ui_.SetListLines(ListId::Analysis, {});
    if (count != 0) NavigateBy(count, false);
}

}  // namespace zelkor
