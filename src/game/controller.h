// The game controller: the part of the main window that is not drawing. It owns the
// program-wide state, runs the commands of the menus and the toolbar, the turn loop,
// move input, the move lists and navigation, and keeps the command states. The Qt window
// forwards user actions here and implements UserInterface; zelkor-cli drives it headless.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/driver.h"
#include "engine/engine.h"
#include "game/board_marks.h"
#include "game/game_session.h"
#include "game/search_runner.h"
#include "game/user_interface.h"
#include "records/book.h"
#include "records/settings.h"
#include "rules/game_end.h"

namespace zelkor {

class RunLog;
struct MasterChoice;
struct MasterPlay;

inline constexpr const char* kNoCalculation = QT_TRANSLATE_NOOP("Game", "no calculation");
// The move list, the record and the position history end at 1000 half-moves.
inline constexpr const char* kMoveLimitMessage = QT_TRANSLATE_NOOP(
    "Game", "The game has reached the limit of 1000 half-moves and cannot go on.");

// " Zelkor 0.24 Beta": the window title without a file name.
std::string ProgramTitle();
// "Strength: 9   Time: 2 sec" or "Strength: 9   Depth: 4 ply"; with `master`, "Master" in
// place of the level's number.
std::string LevelText(const Settings& settings, const Translator& texts = English(),
                      bool master = false);

// The list line of half-move `ply` (1-based): "   1. e1-d2" for the first side, six
// blanks and the move for the other side; "b" is appended for a book move.
std::string GameMoveLine(int ply, const std::string& display, bool bookMove);
// A typed move made ready for InputMove: upper case, every jump character removed (either
// case), split at "-" with one-character parts padded by a leading blank.
std::string NormaliseTypedMove(const std::string& text, char jumpChar);

// The calculation display's text for a new best move: "Depth: 3   Best: a1-b2   Score: 10",
// then the main line or "Book" on a line of its own.
std::string CalculationText(const NewBestReport& report, const Translator& texts = English());
// "Computer is winning in 3 moves! " / "Computer is losing in 1 move! " for a best score
// of a forced result, empty for any other score.
std::string AnnouncementText(int bestScore, const Translator& texts = English());

// Which way a human move entered the game; the turn loop differs slightly between them.
enum class MoveSource { Dragged, Typed, LegalList, AnalysisList };

// The long computations; each leaves its own commands usable.
enum class Computation { Move, Analysis, Hint };

// One line of the analysis list under the heading "      moves    score   depth    main":
// the move, its score ("<=" before a value that is only an upper bound, "n/a" for a move
// not searched), the iteration that gave it, and the main line when one is given.
std::string AnalysisLine(const Position& g, const RootEntry& entry, const std::string& mainLine);

class GameController {
  public:
    GameController(UserInterface& ui, Clock& clock, Random& random, std::filesystem::path dataDir);
    virtual ~GameController();
    GameController(const GameController&) = delete;
    GameController& operator=(const GameController&) = delete;

    // Start-up and exit.
    void StartUp();       // rating, settings, log, new game, board, level label
    void SaveSettings();  // settings file and rating file, written safely
    bool ConfirmExit();   // asks when ConfirmExit is on; true when the run may end
    void Shutdown();      // SaveSettings and close the log; safe inside a running search

    // Game menu.
    void NewGameCommand(bool chooseVariant);
    void Open();    // LoadGame with the open dialog
    void Save();    // under the current file name (asks when there is none)
    void SaveAs();  // always asks
    bool LoadGameFile(
        const std::filesystem::path& file);  // the replay behind Open; true when loaded
    bool SaveGameFile(const std::filesystem::path& file);  // writes the record; true on success

    // Play menu.
    void ComputeCommand();
    void CancelCommand();
    void First();
    void Back();
    void Forward();
    void Last();
    void OfferDrawCommand();
    void ResignCommand();
    void HintCommand();
    void SelectPlayerComputer();
    void SelectPlayerPlayer();
    void RunComputerComputer();
    void AnalyzeCommand();

    // Board and View menus.
    void TurnBoard();
    void SetNotation(int value);
    void ToggleCalculation();
    void ShowRating();
    void LowerDepth();      // double-click on the strength display
    void OptionsApplied();  // after the options dialog closed: displays, names, board, lists

    // Move input. A move text names the from- and to-square in its first four characters.
    bool InputMove(const std::string& text);  // plays a legal move; true when played
    void TypedMove(const std::string& text);  // the move box's Enter key, with its messages
    // A drag on the board ended: from and to are board square numbers (to 0 = off the board).
    void BoardDrop(int from, int to);
    // Checks a press on a square before a drag starts; shows the rejection messages.
    bool CanStartDrag(int square);
    std::vector<int> MovableSquares();  // from-squares of the legal moves
    void LegalMoveChosen(int line);     // double-click in the legal-move list
    void AnalysisMoveChosen(int line);  // double-click in the analysis list
    void GameMoveClicked(int line);     // click on a line of the game move list
    void CommentEdited(const std::string& text);
    void BoardPointerMoved() { pressSuppressed_ = false; }  // ends the press lock of a set-up
    bool pressSuppressed() const { return pressSuppressed_; }

    // Position setup from the board's popup menu.
    void SetupSquare(int square, int value);  // value 0, 1 or -1
    void SetupClearBoard();
    void SetupSideToMove(int side);
    void SetupPopupClosed();  // applies the set-up when any popup choice was made

    // Where the searches of the computer's moves and the analysis run (inline by default);
    // the runner must outlive the controller's use of it.
    void SetSearchRunner(SearchRunner* runner) { runner_ = runner ? runner : &inlineRunner_; }
    // Asks a running search to stop (the window is going away).
    void StopSearch() { stopRequest_.store(true); }

    // The Master level chosen in the options, with its threads; kept in its own file.
    MasterChoice& masterChoice();
    // The strength display: LevelText, or Master's ("Strength: Master   Time: 2 sec").
    std::string StrengthText() const;

    // The current variant becomes number `number` of the variant file, its rules active.
    void SelectVariant(int number);

    // Pieces of the controller the window and the command-line tool use directly.
    void UpdatePlayerLabels();
    void SwapSideNames();
    void FillLegalMoveList();
    void NavigateBy(int count, bool keepTables);
    void StepForward();
    // Every command's enabled and checked state, worked out from the computation running,
    // the play mode, the end of the game, the position in the record and a file being read;
    // run whenever one of them changes.
    void UpdateCommandStates();
    void UpdateCheckMarks();  // the play mode's, the notation's and the calculation's
    void ShowVariantName();   // the name, with " (M)" when the active rules differ
    bool RulesModified() const;
    // For the rules window: the rules in force when they differ from the variant's own
    // (its help text then no longer tells them all), else empty.
    std::string RulesInForce() const;

    // State the window reads.
    const GameSession& game() const { return *game_; }
    GameSession& game() { return *game_; }
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    SearchState& search() { return *search_; }
    int rating() const { return rating_; }
    void setRating(int rating) { rating_ = rating; }
    bool rated() const { return game_->rated; }
    bool setupMode() const { return setupMode_; }
    bool loading() const { return loading_; }
    bool shutDown() const { return shutDown_; }
    const std::filesystem::path& dataDir() const { return dataDir_; }
    std::string currentFileName() const { return currentFile_; }
    bool variantFileMissing() const { return variantFileMissing_; }
    const std::vector<std::string>& legalMoveLines() const { return legalLines_; }
    BoardFeedback& feedback() { return feedback_; }
    const BoardFeedback& feedback() const { return feedback_; }
    // The moves played since the game was last saved or loaded, as the move list writes
    // them ("5. c3-d4 e6-e5"); empty when there are none.
    std::string UnsavedMoves() const;
    // Ctrl+Z: takes back the player's last move together with the computer's reply.
    void TakeBackPlayerMove();

    // What the computer's move and the analysis ask of the game around them.
    // A book move for the current position as (from, to), (0, 0) for none.
    virtual std::pair<int, int> BookMove(bool fromGames);
    // The move at gamePly was just played by the computer: the move list line ("b" for a
    // book move), the move-text record with marker "1" and the depth, the log line, the
    // position record of the draw rules, and the board redrawn.
    virtual void RecordComputerMove(int depth, bool bookMove);
    // Removes move-list lines, texts and scores beyond gamePly.
    void CutRecordToCurrentPly();
    // The rating update for the human's result (1 win, 0.5 draw, 0 loss); the rating text.
    std::string UpdateRating(double playerScore);
    // Result text and command states of an ended game (ResultCode::Win, ResultCode::Draw).
    void GameEndBookkeeping(ResultCode code);
    // Refills the game move list and the legal-move list after a computation.
    void RefreshLists();
    // A computation starts (commands off, Cancel on) and ends (the idle game's commands).
    void ComputationBusy(Computation kind);
    void ComputationIdle(Computation kind);

  private:
    std::string ShownName(const std::string& name) const;  // a side's name as shown
    void CannotWrite(const std::filesystem::path& file);   // the message box
    bool SetupMayEndTheGame();  // asks "Quit current game?" once per popup during a game
    Engine MakeEngine();
    void SetUpNewGame();  // the new-game procedure: position, rules tables, per-game state
    void ResetGameDisplays();
    void RebuildRuleTables();
    void AssignNamesForSideToMove();
    bool FirstSideToMove() const;
    bool AtMoveLimit();  // shows the limit message when no further move fits the record
    void RecordPlayedMove(const std::string& text, bool jump);
    void RecordPly(const std::string& raw, const std::string& display, const std::string& byWhom,
                   bool bookMove, const std::string& depth, const std::string& logLine);
    void CutRecordTo(int plies);
    void AfterHumanMove(MoveSource source);
    // The draw test and the game-end test after a move, and the end told: the status, the
    // message (held while a record is read), the rating and the command states. Without
    // `announce` (a return to the end of a finished game) the status line alone tells it.
    void RunGameEndDetection(bool announce = true);
    // True when the side is the player's, as the names of the sides say.
    bool PlayerPlays(int side) const;
    void ShowWindowTitle();
    std::string QuitQuestion(const std::string& question) const;
    bool MayQuitGame();  // asks "Quit current game?" when moves would be lost
    bool MayLoseRating(const std::string& question);  // asks when a rated game would end so
    void RestoreOwnLevel();
    void ShowSideToMove();
    void PlayComputerReply();
    // The computer's move; `then` runs once it is over (at once when the search runs inline).
    void RunComputerMove(const std::function<void()>& then);
    // Its steps around the search (computer_turn.cpp): the start, which ends the move when
    // the game is already decided, and playing the move the search found.
    std::optional<MovePlan> BeginComputerMove();
    void FinishComputerMove(const MovePlan& plan, const SearchResult& result);
    void StartComputation(Computation kind);  // the engine's start, the marks off the board
    bool AnnounceDecidedGame(bool bothComputer);
    // The root moves, the limits and the progress display, the book move, the root table.
    MovePlan PlanRootSearch(Computation kind);
    bool PlayBestMove(const MovePlan& plan, bool bothComputer);
    void ProposeDrawWhenStable(bool bothComputer);
    void CheckEndAfterMove(const std::string& computerWins);
    void EndComputerMove(bool searchedToEnd, bool bookMove);
    std::string ComputerWinsText(bool bothComputer) const;
    // The search's progress in the status line ("Thinking... (" or "Analyzing... (" before
    // the iteration and the move), the calculation display, the progress bar, the countdown.
    SearchProgress ProgressShown(const char* status);
    // The analysis in the same steps (analysis_turn.cpp).
    std::optional<MovePlan> BeginAnalysis();
    void FinishAnalysis(const SearchResult& result);
    bool AnnounceDecidedPosition();
    void AnnounceFindings();
    void EndAnalysis();
    // Sorts the root table and returns the analysis list's lines; none before a best move.
    std::vector<std::string> SortedRootLines();
    // EndGame without its message, for a move that has just won: the message waits until
    // the move is recorded (TellResult). Returns the rating report.
    std::string DecideGame(ResultCode code, std::optional<double> playerScore,
                           const std::string& status);
    // The result text and command states once more, a pause and the message.
    void TellResult(ResultCode code, const std::string& message);
    struct SearchCopy;
    // Runs the planned search through the runner; `done` gets its result on this thread.
    void StartSearch(const MovePlan& plan, const char* status,
                     std::function<void(const SearchResult&)> done);
    // The Master level's hook points (master_play.cpp): whether Master searches the planned
    // move or analysis, its search through the runner, and its hint (false: not Master's).
    bool UseMaster(const MovePlan& plan) const;
    void StartMasterSearch(const char* status, std::function<void(const SearchResult&)> done);
    bool MasterHint();
    std::function<void(const SearchResult&)> WithMasterStrength(
        std::function<void(const SearchResult&)> done);
    void ShowHint(const std::string& text);  // the hint's box, the move on the board
    void EndHint();
    // Ends the game and tells the player: the result text and command states of `code`
    // (ResultCode::Win, ResultCode::Draw), GameOver and the rating update for the player's score,
    // the status line and, after a pause when `pause`, the message with the rating report.
    // Without a score (the analysis) the game goes on and the rating stays.
    void EndGame(ResultCode code, std::optional<double> playerScore, const std::string& status,
                 const std::string& message, bool pause);
    void ComputerComputerLoop();
    void ComputerComputerStep();
    void EndComputerComputer();
    void ApplyCommandStatesAfterComputation();
    // No bar and no countdown: nothing is being computed.
    void ClearProgressDisplays();
    void ClearAnalysisTable();
    void ShowGameMoveList();
    void ShowComment();
    void WriteLog(const std::string& line);
    void WriteLogHeader();
    bool PlayTextMove(const std::string& text, MoveSource source);
    void HumanMovePlayed(const std::string& text, MoveSource source);
    void TakeBackOnePly();
    int QuickScore();
    bool MoveIsInBook();
    std::vector<std::string> CurrentBookMoves();

    UserInterface& ui_;
    Clock& clock_;
    Random& random_;
    std::filesystem::path dataDir_;
    UiFaultReport faultReport_;  // the game's internal faults are told in the window
    std::unique_ptr<GameSession> game_;
    std::unique_ptr<SearchState> search_;
    std::unique_ptr<RunLog> log_;
    Settings settings_;
    int rating_ = 1200;
    std::string ratingText_;  // the report of the last rating update
    bool setupMode_ = false;
    int setupAnswer_ = 0;  // "Quit current game?" in this popup: 0 not asked, 1 Yes, -1 No
    bool variantFileMissing_ = false;
    bool loading_ = false;
    // What the command states follow besides the game itself.
    std::optional<Computation> computing_;  // from its start to its end
    bool cancelPressed_ = false;            // in the computation running
    bool boardHeld_ = false;         // a reply or an analysis is on its way: the Board menu waits
    bool gameEndShown_ = false;      // the commands of an ended game are off
    bool analysisListLive_ = true;   // made for the position shown: no move since
    bool typedMoveRefused_ = false;  // while "Illegal move" is shown
    std::string heldEndMessage_;     // the end of a game being read, shown once it is on screen
    bool shutDown_ = false;
    bool settingsSaved_ = false;
    bool keepSettingsFile_ = false;  // a damaged zelkor.ini that could not be kept aside
    bool pressSuppressed_ = false;
    bool lastMoveWasJump_ = false;
    std::vector<std::string> legalLines_;
    BoardFeedback feedback_;
    int savedLength_ = 0;  // plies of the record the last save or load holds
    // The names the labels showed when the game ended, for a return to its end.
    std::optional<std::pair<std::string, std::string>> finalNames_;
    // The player's own level and name while a loaded game's file values are in force.
    struct OwnLevel {
        int32_t searchDepth;
        uint8_t useDepth;
        std::string playerName;
        bool operator==(const OwnLevel&) const = default;
    };
    std::optional<OwnLevel> ownLevel_;
    OwnLevel fileLevel_{};
    std::string currentFile_;            // the file's name, shown in the title
    std::filesystem::path currentPath_;  // where "Save" writes it
    BookCache bookCache_;                // the book file, read once per change
    // Cancel's request to the running search; cleared when a computation starts.
    std::atomic<bool> stopRequest_{false};
    SearchRunner inlineRunner_;
    SearchRunner* runner_ = &inlineRunner_;
    std::unique_ptr<MasterPlay> master_;
    bool stepRunning_ = false;  // a Computer-Computer move is being started
    bool nextStep_ = false;     // ... and has asked for the next one
    bool hintRunning_ = false;  // the hint's search is running
};

}  // namespace zelkor
