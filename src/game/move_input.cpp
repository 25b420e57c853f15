// Move input: the board drag, typed moves, choices from the lists and position set-up.
#include <algorithm>
#include <cctype>

#include "game/board_marks.h"
#include "game/controller.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor {

namespace {

std::string UpperSquare(int square) {
    std::string name = SquareName(square);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

void ShowError(UserInterface& ui, const std::string& text) {
    ui.Message(text, ui.Translate("Game", "Error"), Icon::Exclamation);
}

}  // namespace

bool GameController::InputMove(const std::string& text) {
    GameSession& g = *game_;
    lastMoveWasJump_ = false;
    if (text.size() < 4) return false;
    // The record, the move texts and the position history end at 1000 half-moves.
    if (g.gamePly >= kMaxGamePlies) return false;
    const int from = SquareNumber(std::string_view(text).substr(0, 2));
    const int to = SquareNumber(std::string_view(text).substr(2, 2));
    if (from == 0 || to == 0) return false;
    InitGameTree(g);
    GenerateMoves(g, MoveSet::All);
    int chosen = -1;
    for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i)
        if (g.movePool[i].Source == from && g.movePool[i].dest == to) {
            chosen = i;
            break;
        }
    if (chosen < 0) return false;
    lastMoveWasJump_ = g.movePool[chosen].jump == 1;
    InitGameTree(g);
    PerformMove(g, chosen);
    g.gameRecord[g.gamePly] = g.movePool[chosen];
    if (g.gamePly + 1 < kGameRecordSize) g.gameRecord[g.gamePly + 1].Source = 0;
    return true;
}

// A human move was played by InputMove: record it and let the turn loop go on.
void GameController::HumanMovePlayed(const std::string& text, MoveSource source) {
    GameSession& g = *game_;
    g.gameStarted = true;
    search_->hintFrom = 0;
    search_->hintTo = 0;
    if (source == MoveSource::LegalList || source == MoveSource::AnalysisList) game_->rated = false;
    ui_.SetText(Display::Calculation, kNoCalculation);
    RecordPlayedMove(text, lastMoveWasJump_);
    AfterHumanMove(source);
}

bool GameController::PlayTextMove(const std::string& text, MoveSource source) {
    if (AtMoveLimit()) return false;
    const std::string move = NormaliseTypedMove(text, game_->jumpChar);
    if (InputMove(move)) {
        HumanMovePlayed(move, source);
        return true;
    }
    ui_.RedrawBoard();
    typedMoveRefused_ = true;
    UpdateCommandStates();
    std::string error = ui_.Translate("Game", "Illegal move");
    if (feedback_.reasons && source == MoveSource::Typed && move.size() >= 4) {
        const int from = SquareNumber(std::string_view(move).substr(0, 2));
        const int to = SquareNumber(std::string_view(move).substr(2, 2));
        std::string reason;
        if (from != 0 && game_->board[from] != game_->side)
            reason =
                Fill(game_->board[from] == kEmpty ? ui_.Translate("Game", "%1 is empty")
                                                  : ui_.Translate("Game", "%1 is not your man"),
                     {SquareName(from)});
        else  // the rules' reason, none for a square off the board
            reason = MoveRefusal(*game_, from, to, ui_);
        if (!reason.empty()) error += ": " + reason;
        ui_.SetText(Display::Status, error);
    }
    ShowError(ui_, error);
    typedMoveRefused_ = false;
    UpdateCommandStates();
    return false;
}

void GameController::TypedMove(const std::string& text) {
    const GameSession& g = *game_;
    if (g.busy || g.gameOver) return;
    ui_.SetText(Display::TypedMove, "");
    PlayTextMove(text, MoveSource::Typed);
}

bool GameController::CanStartDrag(int square) {
    GameSession& g = *game_;
    if (g.busy || g.gameOver || pressSuppressed_) return false;
    if (!IsPlayingSquare(square)) return false;
    const int piece = g.board[square];
    if (piece != kWhiteMan && piece != kBlackMan) return false;
    if (piece != g.side) {
        ui_.RedrawBoard();
        ShowError(ui_, g.side == kWhite ? ui_.Translate("Game", "White moves")
                                        : ui_.Translate("Game", "Black moves"));
        return false;
    }
    bool movable = false;
    for (const Move& m : LegalMoves(g))
        if (m.Source == square) movable = true;
    if (!movable) {
        ui_.RedrawBoard();
        std::string text = ui_.Translate("Game", "You cannot move that piece");
        if (feedback_.reasons) {
            const std::string reason = PickUpRefusal(g, square, ui_);
            if (!reason.empty()) text += ": " + reason;
            ui_.SetText(Display::Status, text);
        }
        ShowError(ui_, text);
        return false;
    }
    return true;
}

void GameController::BoardDrop(int from, int to) {
    GameSession& g = *game_;
    if (g.busy || g.gameOver || !IsPlayingSquare(from)) return;
    bool returning = false;
    if (to == from) {
        for (const Move& m : LegalMoves(g))
            if (m.Source == from && m.dest == from) returning = true;
    }
    if (!IsPlayingSquare(to) || (to == from && !returning)) {
        ui_.RedrawBoard();  // a drop off the board or back home cancels the drag
        return;
    }
    if (AtMoveLimit()) return;
    const std::string text = UpperSquare(from) + UpperSquare(to);
    if (InputMove(text)) {
        HumanMovePlayed(text, MoveSource::Dragged);
        return;
    }
    ui_.RedrawBoard();  // the man goes back where it came from
    std::string error = g.board[to] == kEmpty
                            ? ui_.Translate("Game", "Illegal move")
                            : ui_.Translate("Game", "Illegal move: that square is not empty");
    if (feedback_.reasons) {
        if (g.board[to] == kEmpty) {
            const std::string reason = MoveRefusal(g, from, to, ui_);
            if (!reason.empty()) error += ": " + reason;
        }
        ui_.SetText(Display::Status, error);
    }
    ShowError(ui_, error);
}

std::vector<int> GameController::MovableSquares() {
    GameSession& g = *game_;
    std::vector<int> squares;
    if (g.busy || g.gameOver) return squares;
    for (const Move& m : LegalMoves(g))
        if (std::find(squares.begin(), squares.end(), m.Source) == squares.end())
            squares.push_back(m.Source);
    return squares;
}

void GameController::LegalMoveChosen(int line) {
    const GameSession& g = *game_;
    if (g.busy || g.gameOver) return;
    if (line < 0 || line >= static_cast<int>(legalLines_.size())) return;
    if (!MayLoseRating(
            ui_.Translate("Game", "A move chosen from the list makes this game unrated. Play it?")))
        return;
    ui_.SetText(Display::TypedMove, "");
    PlayTextMove(legalLines_[line], MoveSource::LegalList);
}

void GameController::AnalysisMoveChosen(int line) {
    GameSession& g = *game_;
    if (g.busy || g.gameOver) return;
    if (line < 0 || line >= static_cast<int>(search_->rootTable.size())) return;
    const RootEntry entry = search_->rootTable[line];
    if (!IsPlayingSquare(entry.from) || !IsPlayingSquare(entry.to)) return;
    if (!MayLoseRating(
            ui_.Translate("Game", "A move chosen from the list makes this game unrated. Play it?")))
        return;
    const std::string text = UpperSquare(entry.from) + UpperSquare(entry.to);
    // The alternatives to the computer's last move replace that move; an analysis lists
    // the moves of the position on the board, and its choice is played there like a
    // choice from the legal-move list.
    const bool analysed = search_->analysedHere;
    if (!analysed && g.gamePly > 0) NavigateBy(1, true);
    if (AtMoveLimit()) return;
    if (InputMove(text)) {
        HumanMovePlayed(text, analysed ? MoveSource::LegalList : MoveSource::AnalysisList);
        return;
    }
    ShowError(ui_, ui_.Translate("Game", "Illegal move"));
}

void GameController::CommentEdited(const std::string& text) {
    GameSession& g = *game_;
    // A running search moves GamePly while it looks ahead; the comment belongs to the
    // position it started from.
    const int ply = g.busy ? search_->searchStartPly : g.gamePly;
    if (ply >= 0 && ply < kHistorySize) g.comments[ply] = text;
}

// ---------------------------------------------------------------------------------------
// Position set-up

// A choice in the set-up popup ends the game in progress: asked once per popup, as New
// Game and Open ask.
bool GameController::SetupMayEndTheGame() {
    const GameSession& g = *game_;
    if (!g.gameStarted) return true;
    if (setupAnswer_ == 0)
        setupAnswer_ = ui_.Message(ui_.Translate("Game", "Quit current game?"),
                                   ui_.Translate("Game", "Confirmation"), Icon::Question,
                                   Buttons::YesNo) == Answer::Yes
                           ? 1
                           : -1;
    return setupAnswer_ == 1;
}

void GameController::SetupSquare(int square, int value) {
    GameSession& g = *game_;
    if (g.busy || !IsPlayingSquare(square)) return;
    if (value != kEmpty && value != kWhiteMan && value != kBlackMan) return;
    if (!SetupMayEndTheGame()) return;
    setupMode_ = true;
    g.board[square] = value;
}

void GameController::SetupClearBoard() {
    GameSession& g = *game_;
    if (g.busy || !SetupMayEndTheGame()) return;
    setupMode_ = true;
    for (int square : kPlayingSquares)
        g.board[square] = kEmpty;
}

void GameController::SetupSideToMove(int side) {
    GameSession& g = *game_;
    if (g.busy || !SetupMayEndTheGame()) return;
    setupMode_ = true;
    g.side = side == kWhite ? kWhite : kBlack;
    ui_.SetText(Display::Status, g.side == kWhite ? ui_.Translate("Game", "White moves")
                                                  : ui_.Translate("Game", "Black moves"));
}

void GameController::SetupPopupClosed() {
    GameSession& g = *game_;
    if (g.busy || !setupMode_) {
        setupAnswer_ = 0;
        return;
    }
    // After a set-up every popup restarts the game from the position on the board, also
    // one closed without a choice: a game played on since is not lost without the question.
    const bool mayEnd = SetupMayEndTheGame();
    setupAnswer_ = 0;
    if (!mayEnd) return;
    ui_.SetListLines(ListId::Analysis, {});
    g.initialBoard = g.board;
    g.active.flag(BlackStarts) = g.side == kWhite ? 0 : 1;
    g.handSetUp = true;
    SetUpNewGame();
    ClearAnalysisTable();
    pressSuppressed_ = true;
    ResetGameDisplays();
    ShowVariantName();
}

}  // namespace zelkor
