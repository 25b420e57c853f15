#include "game/controller.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "engine/driver.h"
#include "game/controller.h"
#include "game/hint_board.h"
#include "game/master_play.h"
#include "game/rules_text.h"
#include "records/book_choice.h"
#include "records/log.h"
#include "records/rating.h"
#include "records/variant_file.h"
#include "rules/game_end.h"
#include "rules/game_setup.h"
#include "rules/move_text.h"

namespace zelkor {

namespace {

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::string ProgramTitle() {
    return std::string(" Zelkor ") + kProgramVersion + " Beta";
}

std::string LevelText(const Settings& settings, const Translator& texts, bool master) {
    std::string text =
        master ? texts.Translate("Game", "Strength: Master")
               : Fill(texts.Translate("Game", "Strength:%1"), {SignedText(10 - settings.Handicap)});
    if (settings.UseDepth == 1)
        text +=
            Fill(texts.Translate("Game", "   Depth:%1 ply"), {SignedText(settings.SearchDepth)});
    else
        text += Fill(texts.Translate("Game", "   Time:%1 sec"), {SignedText(settings.ThinkTime)});
    return text;
}

std::string GameMoveLine(int ply, const std::string& display, bool bookMove) {
    std::string line;
    if (ply % 2 == 1)
        line = RightAligned(std::to_string((ply + 1) / 2), 4) + ". " + display;
    else
        line = std::string(6, ' ') + display;
    if (bookMove) line += "b";
    return line;
}

std::string NormaliseTypedMove(const std::string& text, char jumpChar) {
    std::string move = text;
    for (char& c : move)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const char jump = static_cast<char>(std::toupper(static_cast<unsigned char>(jumpChar)));
    while (true) {
        const std::string before = move;
        std::erase(move, jump);
        const size_t dash = move.find('-');
        if (dash != std::string::npos) {
            std::string left = move.substr(0, dash);
            std::string right = move.substr(dash + 1);
            if (left.size() == 1) left = " " + left;
            if (right.size() == 1) right = " " + right;
            move = left + right;
        }
        if (move == before) break;
    }
    return move;
}

GameController::GameController(UserInterface& ui, Clock& clock, Random& random,
                               std::filesystem::path dataDir)
    : ui_(ui),
      clock_(clock),
      random_(random),
      dataDir_(std::move(dataDir)),
      faultReport_(ui),
      game_(std::make_unique<GameSession>()),
      search_(std::make_unique<SearchState>()),
      master_(std::make_unique<MasterPlay>()) {
    GameSession& g = *game_;
    g.faultReport = &faultReport_;
    g.active = DefaultRules();
    g.defined = DefaultRules();
    ApplySetupText(kDefaultSetup, g.board);
    g.initialBoard = g.board;
    RebuildRuleTables();
}

GameController::~GameController() = default;

Engine GameController::MakeEngine() {
    Engine engine{*game_, *search_, settings_, clock_, random_};
    engine.progress.poll = [this] { ui_.ProcessEvents(); };
    engine.stop = &stopRequest_;
    return engine;
}

// ---------------------------------------------------------------------------------------
// New game

void GameController::RebuildRuleTables() {
    ApplyRules(*game_);
}

void GameController::SetUpNewGame() {
    GameSession& g = *game_;
    if (!g.handSetUp) {
        ApplySetupText(kDefaultSetup, g.board);
        g.initialBoard = g.board;
        // The defined rules fall back to the default variant before the file is read; the
        // last three flags keep their values.
        const VariantRules defaults = DefaultRules();
        g.defined.name = kDefaultVariantName;
        g.defined.help.clear();
        for (int f = BlackStarts; f <= MulJumps; ++f)
            g.defined.flags[f] = defaults.flags[f];
        for (int s = 0; s < 2; ++s)
            for (int slot = 0; slot < 10; ++slot)
                g.defined.home[s][slot] = defaults.home[s][slot];
        variantFileMissing_ =
            LoadVariant(g, dataDir_, settings_.Variant, ui_) == VariantFileStatus::Missing;
        g.side = g.rule(BlackStarts) == 1 ? kBlack : kWhite;
    }
    g.active.name = g.defined.name;
    g.active.help = g.defined.help;
    ui_.SetText(Display::WindowTitle, ProgramTitle());
    RebuildRuleTables();
    ShowVariantName();

    g.ply = 0;
    g.plyStart[0] = 0;
    g.plyStart[1] = 0;
    g.cancelRequest = CancelRequest::None;
    g.searchStopped = false;
    g.timeUp = false;
    g.gamePly = 0;
    g.gameOver = false;
    g.gameStarted = false;
    g.busy = false;
    g.drawFlag = DrawKind::None;
    g.positionHistory.fill(PositionKey{});
    g.comments.fill(std::string());
    g.moveScores.fill(0);
    g.moveTexts.fill(MoveTextRow{});
    g.gameMoveLines.clear();
    g.recordLength = 0;
    g.gameRecord.fill(Move{});
    g.resultText.clear();
    search_->ResetForNewGame();
    master_->NewGame();
    game_->rated = !g.handSetUp;
    lastMoveWasJump_ = false;
    currentFile_.clear();
    currentPath_.clear();
    savedLength_ = 0;
    finalNames_.reset();
    ui_.SetText(Display::Calculation, ui_.Translate("Game", kNoCalculation));
    ui_.SetText(Display::Status, g.side == kBlack ? ui_.Translate("Game", "Black moves")
                                                  : ui_.Translate("Game", "White moves"));

    g.jumpChar = settings_.JumpChar == 1 ? ':' : 'x';

    g.firstSideName = settings_.PlayerName;
    g.secondSideName = kComputerName;
    if (g.playMode == PlayMode::PlayerPlayer) g.secondSideName = settings_.PlayerName;
    if (g.playMode == PlayMode::ComputerComputer) g.firstSideName = kComputerName;
}

void GameController::ResetGameDisplays() {
    UpdatePlayerLabels();
    ShowGameMoveList();
    ui_.SetListLines(ListId::Analysis, {});
    ui_.SetText(Display::Comment, "");
    ui_.SetText(Display::TypedMove, "");
    ClearProgressDisplays();
    analysisListLive_ = true;
    gameEndShown_ = false;
    UpdateCommandStates();
    FillLegalMoveList();
    ui_.RedrawBoard();
}

void GameController::ClearAnalysisTable() {
    search_->ClearRootScores();
    search_->rootCount = 0;
    search_->analysedHere = false;
}

void GameController::NewGameCommand(bool chooseVariant) {
    GameSession& g = *game_;
    if (g.busy) return;
    if (!MayQuitGame()) return;
    setupMode_ = false;
    g.handSetUp = false;
    RestoreOwnLevel();
    SetUpNewGame();
    ClearAnalysisTable();
    if (!variantFileMissing_ && chooseVariant) {
        ui_.ShowVariantDialog();
        // The dialog may have chosen another variant or changed the rules: lay the game
        // out again from them.
        SetUpNewGame();
    }
    ResetGameDisplays();
}

void GameController::SelectVariant(int number) {
    GameSession& g = *game_;
    settings_.Variant = static_cast<uint8_t>(std::clamp(number, 1, 255));
    g.handSetUp = false;
    setupMode_ = false;
    variantFileMissing_ =
        LoadVariant(g, dataDir_, settings_.Variant, ui_) == VariantFileStatus::Missing;
    g.active = g.defined;
}

bool GameController::RulesModified() const {
    const GameSession& g = *game_;
    if (g.active.flags != g.defined.flags || g.handSetUp) return true;
    for (int s = 0; s < 2; ++s) {
        const int32_t corner = g.active.home[s][0];
        const auto& list = g.defined.home[s];
        if (std::find(list.begin(), list.end(), corner) == list.end()) return true;
        if (g.active.directions[s] != g.defined.directions[s]) return true;
    }
    return false;
}

std::string GameController::RulesInForce() const {
    if (!RulesModified()) return std::string();
    return RulesInForceText(game_->active, game_->handSetUp, ui_);
}

void GameController::ShowVariantName() {
    ui_.SetText(Display::VariantName, game_->defined.name + (RulesModified() ? " (M)" : ""));
}

// ---------------------------------------------------------------------------------------
// Names and play modes

bool GameController::FirstSideToMove() const {
    const bool blackStarts = game_->rule(BlackStarts) == 1;
    return game_->side == kWhite ? !blackStarts : blackStarts;
}

void GameController::UpdatePlayerLabels() {
    const GameSession& g = *game_;
    const bool blackStarts = g.rule(BlackStarts) == 1;
    const std::string black = ui_.Translate("Game", "Black");
    const std::string white = ui_.Translate("Game", "White");
    ui_.SetText(Display::FirstSideColour, blackStarts ? black : white);
    ui_.SetText(Display::SecondSideColour, blackStarts ? white : black);
    ui_.SetText(Display::FirstSideName, ShownName(g.firstSideName));
    ui_.SetText(Display::SecondSideName, ShownName(g.secondSideName));
    ui_.HighlightSideToMove(FirstSideToMove());
}

std::string GameController::ShownName(const std::string& name) const {
    // The default name in the user's language; the settings and the game files keep it.
    return name == Settings().PlayerName ? ui_.Translate("Game", "Player") : name;
}

void GameController::SwapSideNames() {
    std::swap(game_->firstSideName, game_->secondSideName);
}

void GameController::AssignNamesForSideToMove() {
    GameSession& g = *game_;
    if (FirstSideToMove()) {
        g.firstSideName = settings_.PlayerName;
        g.secondSideName = kComputerName;
    } else {
        g.firstSideName = kComputerName;
        g.secondSideName = settings_.PlayerName;
    }
}

void GameController::SelectPlayerComputer() {
    GameSession& g = *game_;
    if (g.busy) return;
    g.playMode = PlayMode::PlayerComputer;
    UpdateCommandStates();
    AssignNamesForSideToMove();
    UpdatePlayerLabels();
    ui_.SetText(Display::Status, ui_.Translate("Game", "Computer-Player mode"));
}

void GameController::SelectPlayerPlayer() {
    GameSession& g = *game_;
    if (g.busy) return;
    g.playMode = PlayMode::PlayerPlayer;
    UpdateCommandStates();
    ui_.SetText(Display::Status, ui_.Translate("Game", "Player-Player mode"));
    g.firstSideName = settings_.PlayerName;
    g.secondSideName = settings_.PlayerName;
    UpdatePlayerLabels();
}

void GameController::RunComputerComputer() {
    GameSession& g = *game_;
    if (g.busy || g.gameOver) return;
    g.playMode = PlayMode::ComputerComputer;
    game_->rated = false;
    UpdateCommandStates();
    ui_.SetText(Display::Status, "");
    g.firstSideName = kComputerName;
    g.secondSideName = kComputerName;
    UpdatePlayerLabels();
    ui_.SetListLines(ListId::LegalMoves, {});
    ui_.SetListLines(ListId::Analysis, {});

    ComputerComputerLoop();
}

void GameController::ComputerComputerLoop() {
    // Each move's end starts the next one; a move that ends before its start returns (the
    // search ran inline) only asks for the next, so that the moves do not nest.
    do {
        nextStep_ = false;
        stepRunning_ = true;
        ComputerComputerStep();
        stepRunning_ = false;
    } while (nextStep_);
}

void GameController::ComputerComputerStep() {
    GameSession& g = *game_;
    g.busy = true;
    const int plyBefore = g.gamePly;
    RunComputerMove([this, plyBefore] {
        GameSession& game = *game_;
        bool goOn = !shutDown_;
        if (goOn) {
            clock_.Pause(0.5);
            goOn = !game.gameOver && !(game.searchStopped && !game.timeUp) &&  // the user cancelled
                   !stopRequest_.load() &&     // ... after the search had ended
                   game.gamePly != plyBefore;  // no move was made
        }
        if (!goOn)
            EndComputerComputer();
        else if (stepRunning_)
            nextStep_ = true;
        else
            ComputerComputerLoop();
    });
}

void GameController::EndComputerComputer() {
    GameSession& g = *game_;
    g.busy = false;
    g.playMode = PlayMode::PlayerComputer;
    if (shutDown_) return;
    // A game the computer finished against itself keeps both names: the user only watched
    // and neither won nor lost it.
    if (!g.gameOver) AssignNamesForSideToMove();
    UpdatePlayerLabels();
    ApplyCommandStatesAfterComputation();
    FillLegalMoveList();
}

// ---------------------------------------------------------------------------------------
// Computations

// The copies a search works on while the window's thread goes on with the originals.
struct GameController::SearchCopy {
    GameState game;
    SearchState search;
    Settings settings;
};

void GameController::StartSearch(const MovePlan& plan, const char* status,
                                 std::function<void(const SearchResult&)> done) {
    if (master_->choice.master) done = WithMasterStrength(std::move(done));
    if (UseMaster(plan)) return StartMasterSearch(status, std::move(done));
    Engine engine = MakeEngine();
    engine.progress = ProgressShown(status);
    if (!runner_->Threaded()) {
        engine.progress.poll = [this] { ui_.ProcessEvents(); };
        done(SearchRootMoves(engine, plan.limits));
        return;
    }
    const SearchProgress progress = runner_->Wrap(engine.progress);
    auto copy = std::make_shared<SearchCopy>(SearchCopy{*game_, *search_, settings_});
    copy->game.faultReport = nullptr;  // a fault found there is reported on stderr
    runner_->Run(
        [this, copy, progress, limits = plan.limits] {
            Engine e{copy->game, copy->search, copy->settings, clock_, random_};
            e.progress = progress;
            e.stop = &stopRequest_;
            return SearchRootMoves(e, limits);
        },
        [this, copy, done = std::move(done)](const SearchResult& result) {
            // The search left the position as it found it: only its tables come back.
            static_cast<SearchTree&>(*game_) = copy->game;
            static_cast<StopFlags&>(*game_) = copy->game;
            *search_ = copy->search;
            if (shutDown_) {
                game_->busy = false;
                return;
            }
            done(result);
        });
}

void GameController::ClearProgressDisplays() {
    ui_.SetProgressValue(0);
    ui_.SetText(Display::Countdown, "");
}

void GameController::ApplyCommandStatesAfterComputation() {
    computing_.reset();
    boardHeld_ = false;
    if (shutDown_) return;
    // Nothing is computed any more: no full bar, no countdown at 0.
    ClearProgressDisplays();
    analysisListLive_ = true;  // the lists show the position the computation ended in
    gameEndShown_ = false;
    UpdateCommandStates();
}

bool GameController::AtMoveLimit() {
    GameSession& g = *game_;
    if (g.gamePly < kMaxGamePlies) return false;
    if (!g.gameOver) {
        g.gameOver = true;
        UpdateCommandStates();
    }
    ui_.SetText(Display::Status, ui_.Translate("Game", "Move limit reached"));
    ui_.Message(ui_.Translate("Game", kMoveLimitMessage), "Zelkor", Icon::Information);
    return true;
}

void GameController::ComputeCommand() {
    GameSession& g = *game_;
    if (g.gameOver || g.busy) return;
    // The computer takes over the side to move, the player the other side.
    SwapSideNames();
    UpdatePlayerLabels();
    PlayComputerReply();
}

void GameController::CancelCommand() {
    GameSession& g = *game_;
    // A request made while nothing runs would stop the next search at its first node.
    if ((!g.computationStarted && !hintRunning_) || !g.busy) return;
    stopRequest_.store(true);
    cancelPressed_ = true;
    UpdateCommandStates();
}

void GameController::PlayComputerReply() {
    GameSession& g = *game_;
    ui_.SetText(Display::Status, "");
    g.busy = true;
    boardHeld_ = true;
    UpdateCommandStates();
    UpdatePlayerLabels();  // the computer's name is highlighted while it thinks
    RunComputerMove([this] {
        game_->busy = false;
        if (shutDown_) return;
        ApplyCommandStatesAfterComputation();
        UpdatePlayerLabels();
        if (!game_->gameOver && ui_.Text(Display::Status).empty()) ShowSideToMove();
        FillLegalMoveList();
    });
}

// ---------------------------------------------------------------------------------------
// Command states

void GameController::ComputationBusy(Computation kind) {
    stopRequest_.store(false);  // a computation starts with no stop request
    cancelPressed_ = false;
    computing_ = kind;
    UpdateCommandStates();
}

void GameController::ComputationIdle(Computation kind) {
    if (kind == Computation::Hint) {
        computing_.reset();
        UpdateCommandStates();
    } else {
        ApplyCommandStatesAfterComputation();
    }
}

void GameController::UpdateCommandStates() {
    const GameSession& g = *game_;
    const PlayMode mode = g.playMode;
    const bool selfPlay = mode == PlayMode::ComputerComputer;
    // A move's search or an analysis holds every command but Cancel; a hint, a short modal
    // command, holds the menus and the toolbar, as does a file being read.
    const bool searching = computing_ == Computation::Move || computing_ == Computation::Analysis;
    const bool menus = !loading_ && computing_ != Computation::Hint;
    const bool idle = !searching;
    // An ended game computes, offers and hints no more, until a fresh start works the
    // commands out again: a computation's end, a new game, a step in the record, a loaded
    // file. The analysis declares the result of a decided position for as long as it runs.
    if (g.gameOver) gameEndShown_ = true;
    const bool ended = gameEndShown_;
    const bool open = idle && !ended;
    const auto set = [this](Command c, bool enabled) { ui_.SetEnabled(c, enabled); };

    for (Command c : {Command::GameMenu, Command::PlayMenu, Command::ViewMenu, Command::HelpMenu,
                      Command::Toolbar})
        set(c, menus);
    set(Command::BoardMenu, menus && idle && !boardHeld_ && !selfPlay);
    set(Command::TypedMoveBox, !loading_ && idle && !typedMoveRefused_);
    set(Command::Cancel, searching && !cancelPressed_);
    for (Command c :
         {Command::PlayerPlayer, Command::PlayerComputer, Command::TurnBoard, Command::NewGame,
          Command::Open, Command::SaveAs, Command::NewVariant, Command::Options})
        set(c, idle);
    for (Command c : {Command::ComputerComputer, Command::Compute, Command::Analyze})
        set(c, open);
    // The mode decides who may offer a draw, resign or ask for a hint.
    set(Command::OfferDraw, open && mode == PlayMode::PlayerComputer);
    set(Command::Resign, open && mode == PlayMode::PlayerComputer);
    set(Command::Hint, open && !selfPlay);
    set(Command::First, idle && g.gamePly > 0);
    set(Command::Back, idle && g.gamePly > 0);
    set(Command::Forward, idle && g.gamePly < g.recordLength);
    set(Command::Last, idle && g.gamePly < g.recordLength);
    // Computer-Computer play keeps the lists off until its loop ends; the analysis keeps the
    // legal moves; the analysis list goes with the position it was made in.
    set(Command::GameMoveList, idle && !selfPlay);
    set(Command::LegalMoveList, computing_ != Computation::Move && !ended && !selfPlay);
    set(Command::AnalysisList, idle && analysisListLive_ && !selfPlay);
    UpdateCheckMarks();
}

void GameController::UpdateCheckMarks() {
    const PlayMode mode = game_->playMode;
    ui_.SetChecked(Command::PlayerComputer, mode == PlayMode::PlayerComputer);
    ui_.SetChecked(Command::PlayerPlayer, mode == PlayMode::PlayerPlayer);
    ui_.SetChecked(Command::ComputerComputer, mode == PlayMode::ComputerComputer);
    ui_.SetChecked(Command::NotationNone, settings_.Notation == 1);
    ui_.SetChecked(Command::NotationAlgebraic, settings_.Notation != 1);
    ui_.SetChecked(Command::Calculation, settings_.ShowCalculation == 1);
}

// ---------------------------------------------------------------------------------------
// The turn loop

bool GameController::PlayerPlays(int side) const {
    const GameSession& g = *game_;
    const bool firstSide = (side == kWhite) != (g.rule(BlackStarts) == 1);
    return (firstSide ? g.firstSideName : g.secondSideName) == settings_.PlayerName;
}

void GameController::RunGameEndDetection(bool announce) {
    GameSession& g = *game_;
    if (g.gamePly < 1) return;
    DrawTest(g, settings_.DrawRule15 == 1);
    const GameEnd end = DecideGameEnd(g, settings_.ChessDrawRules == 1);
    if (end.kind == GameEndKind::None) return;

    clock_.Pause(0.51);
    g.gameOver = true;
    ui_.SetListLines(ListId::LegalMoves, {});
    ui_.RedrawBoard();
    std::string announcement;
    double playerScore = 0;
    if (end.kind == GameEndKind::Draw) {
        ResultText(g, ResultCode::Draw);
        announcement = DrawAnnouncement(end.drawFlag, ui_);
        playerScore = 0.5;
    } else {
        ResultText(g, ResultCode::Win);
        announcement = WinnerColourText(end.winner, ui_);
        playerScore = PlayerPlays(end.winner) ? 1.0 : 0.0;
    }
    UpdateCommandStates();
    // A return to the end of a finished game shows the result in the status line only: the
    // game was announced and rated when it ended.
    const std::string report = announce ? UpdateRating(playerScore) : std::string();
    ui_.SetText(Display::Status, announcement);
    if (announce && loading_)
        heldEndMessage_ = announcement + report;  // shown once the record is on screen
    else if (announce)
        ui_.Message(announcement + report, ui_.Translate("Game", "Congratulations"),
                    Icon::Exclamation);
    UpdateCommandStates();
}

void GameController::AfterHumanMove(MoveSource source) {
    GameSession& g = *game_;
    RunGameEndDetection();
    if (g.gameOver) {
        if (source == MoveSource::Dragged) ui_.RedrawBoard();
        FillLegalMoveList();
        UpdateCommandStates();
        return;
    }
    if (g.playMode != PlayMode::PlayerComputer) {
        ui_.SetText(Display::Status, ui_.Translate("Game", "Player-Player mode"));
        ClearProgressDisplays();
        UpdatePlayerLabels();
    } else if (source == MoveSource::AnalysisList) {
        ui_.SetText(Display::Status, "");
        g.busy = true;
        boardHeld_ = true;
        UpdateCommandStates();
        SwapSideNames();
        UpdatePlayerLabels();
        ui_.RedrawBoard();
        g.busy = false;
        boardHeld_ = false;
        UpdateCommandStates();
    } else {
        PlayComputerReply();  // refills the legal-move list when the reply is made
        return;
    }
    FillLegalMoveList();
}

// ---------------------------------------------------------------------------------------
// What the computer's move and the analysis ask of the game

std::pair<int, int> GameController::BookMove(bool fromGames) {
    const BookResult result = fromGames ? GamesBookLookup(*game_, dataDir_, ui_)
                                        : bookCache_.Lookup(1, *game_, dataDir_, random_, ui_);
    return {result.from, result.to};
}

void GameController::RecordComputerMove(int depth, bool bookMove) {
    GameSession& g = *game_;
    const int ply = g.gamePly;
    if (ply < 1 || ply > kMaxGamePlies) return;
    g.recordLength = ply;
    const Move& m = g.gameRecord[ply];
    const MoveText text = MoveTextOf(g, m.Source, m.dest, m.jump == 1);
    // A searched move that follows the book is marked too; the look-up names the opening.
    bookMove = MoveIsInBook() || bookMove;
    const std::string line = GameMoveLine(ply, text.display, bookMove);
    RecordPly(text.compact, text.display, "1", bookMove, SignedText(depth),
              ComputerPlyLogLine(line, search_->bestScore, depth, search_->mainLine));
    DrawTest(g, settings_.DrawRule15 == 1);
    ui_.RedrawBoard();
}

void GameController::CutRecordToCurrentPly() {
    CutRecordTo(game_->gamePly);
    ShowGameMoveList();
}

std::string GameController::UpdateRating(double playerScore) {
    const ComputerPlyRecord computer{search_->scoreHistory, search_->rootMoveCounts,
                                     master_->playedThisGame ? kMasterEloOverLevel10 : 0};
    ratingText_ = zelkor::UpdateRating(playerScore, *game_, settings_.UseRating == 1, rating_,
                                       computer, nullptr, ui_);
    return ratingText_;
}

void GameController::GameEndBookkeeping(ResultCode code) {
    game_->resultText = ResultText(*game_, code);
    gameEndShown_ = true;
    UpdateCommandStates();
    legalLines_.clear();
    ui_.SetListLines(ListId::LegalMoves, {});
}

void GameController::RefreshLists() {
    if (shutDown_) return;
    ShowGameMoveList();
    if (game_->playMode != PlayMode::ComputerComputer) FillLegalMoveList();
}

void GameController::WriteLog(const std::string& line) {
    if (!log_ || shutDown_) return;
    log_->WriteLine(line);
}

// ---------------------------------------------------------------------------------------
// Board and View menus

void GameController::TurnBoard() {
    settings_.BoardTurned = settings_.BoardTurned == 1 ? 0 : 1;
    ui_.RedrawBoard();
}

void GameController::SetNotation(int value) {
    settings_.Notation = value == 1 ? 1 : 0;
    UpdateCommandStates();
    ui_.RedrawBoard();
}

void GameController::ToggleCalculation() {
    settings_.ShowCalculation = settings_.ShowCalculation == 1 ? 0 : 1;
    UpdateCommandStates();
    if (settings_.ShowCalculation == 0)
        ui_.SetText(Display::Calculation, ui_.Translate("Game", kNoCalculation));
}

void GameController::ShowRating() {
    ui_.Message(RatingMessage(rating_, ui_), ui_.Translate("Game", "Rating"), Icon::Exclamation);
}

void GameController::LowerDepth() {
    if (settings_.SearchDepth > 1) --settings_.SearchDepth;
    ui_.SetText(Display::Strength, StrengthText());
}

void GameController::OptionsApplied() {
    GameSession& g = *game_;
    // Values chosen in the dialog become the player's own, also over a loaded game's.
    if (ownLevel_ &&
        !(OwnLevel{settings_.SearchDepth, settings_.UseDepth, settings_.PlayerName} == fileLevel_))
        ownLevel_.reset();
    ui_.SetText(Display::Strength, StrengthText());
    ui_.ShowCountdown(settings_.CountdownTimer == 1 && settings_.UseDepth == 0);
    g.jumpChar = settings_.JumpChar == 1 ? ':' : 'x';
    if (g.playMode == PlayMode::PlayerPlayer) {
        g.firstSideName = settings_.PlayerName;
        g.secondSideName = settings_.PlayerName;
    } else {
        AssignNamesForSideToMove();
    }
    UpdatePlayerLabels();
    ui_.RedrawBoard();
    FillLegalMoveList();
}

void GameController::ShowSideToMove() {
    ui_.SetText(Display::Status, game_->side == kBlack ? ui_.Translate("Game", "Black moves")
                                                       : ui_.Translate("Game", "White moves"));
}

void GameController::RestoreOwnLevel() {
    if (!ownLevel_) return;
    settings_.SearchDepth = ownLevel_->searchDepth;
    settings_.UseDepth = ownLevel_->useDepth;
    settings_.PlayerName = ownLevel_->playerName;
    ownLevel_.reset();
    ui_.SetText(Display::Strength, StrengthText());
}

// ---------------------------------------------------------------------------------------
// Unsaved moves

std::string GameController::UnsavedMoves() const {
    const GameSession& g = *game_;
    const int end = std::min<int>(g.recordLength, static_cast<int>(g.gameMoveLines.size()));
    std::string text;
    constexpr int kShown = 12;
    for (int ply = std::max(savedLength_, end - kShown); ply < end; ++ply) {
        std::string line = g.gameMoveLines[ply];
        line.erase(0, line.find_first_not_of(' '));
        if (ply % 2 == 1 && text.empty()) line = std::to_string((ply + 2) / 2) + ". ... " + line;
        text += (text.empty() ? "" : " ") + line;
    }
    if (end - savedLength_ > kShown) text = "... " + text;
    return text;
}

void GameController::ShowWindowTitle() {
    std::string title = ProgramTitle();
    if (!currentFile_.empty()) title += " - " + currentFile_;
    if (!UnsavedMoves().empty()) title += " *";
    ui_.SetText(Display::WindowTitle, title);
}

std::string GameController::QuitQuestion(const std::string& question) const {
    const std::string moves = UnsavedMoves();
    if (moves.empty()) return question;
    return question + "\n\n" +
           Fill(ui_.Translate("Game", "These moves have not been saved: %1"), {moves});
}

bool GameController::MayLoseRating(const std::string& question) {
    if (!game_->rated || settings_.UseRating != 1 || game_->gameOver ||
        game_->playMode != PlayMode::PlayerComputer)
        return true;
    return ui_.Message(question, ui_.Translate("Game", "Confirmation"), Icon::Question,
                       Buttons::YesNo) == Answer::Yes;
}

bool GameController::MayQuitGame() {
    const GameSession& g = *game_;
    if (!g.gameStarted) return true;
    // A finished game that is saved loses nothing.
    if (g.gameOver && UnsavedMoves().empty()) return true;
    return ui_.Message(QuitQuestion(ui_.Translate("Game", "Quit current game?")),
                       ui_.Translate("Game", "Confirmation"), Icon::Question,
                       Buttons::YesNo) == Answer::Yes;
}

}  // namespace zelkor
