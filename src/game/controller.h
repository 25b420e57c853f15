// The game controller: the part of the main window that is not drawing. It owns the
// program-wide state, runs the commands of the menus and the toolbar, the turn loop,
// move input, the move lists and navigation, and keeps the command states. The Qt window
// forwards user actions here and implements UserInterface; zelkor-cli drives it headless.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "records/settings.h"
#include "rules/game_state.h"
#include "rules/user_interface.h"

namespace zelkor {

class GameController : public EngineHooks {
  public:
    GameController(UserInterface& ui, Clock& clock, Random& random, std::filesystem::path dataDir);
    ~GameController() override;

    // Start-up and exit.
    void StartUp();       // rating, settings, log, new game, board, level label
    void SaveSettings();  // settings file and rating file, written safely
    bool ConfirmExit();   // asks when ConfirmExit is on; true when the run may end
    void Shutdown();      // SaveSettings and close the log

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

    // Position setup from the board's popup menu.
    void SetupSquare(int square, int value);  // value 0, 1 or -1
    void SetupClearBoard();
    void SetupSideToMove(int side);
    void SetupPopupClosed();  // applies the set-up when any popup choice was made

    // State the window reads.
    const GameState& game() const { return *game_; }
    GameState& game() { return *game_; }
    Settings& settings() { return settings_; }
    SearchState& search() { return *search_; }
    int rating() const { return rating_; }
    void setRating(int rating) { rating_ = rating; }
    bool setupMode() const { return setupMode_; }
    const std::filesystem::path& dataDir() const { return dataDir_; }
    std::string currentFileName() const { return currentFile_; }
    bool variantFileMissing() const { return variantFileMissing_; }

    // EngineHooks.
    std::pair<int, int> BookMove(bool fromGames) override;
    void RecordComputerMove(int depth, bool bookMove) override;
    void CutRecordToCurrentPly() override;
    std::string UpdateRating(double playerScore) override;
    void GameEndBookkeeping(int code) override;
    void RefreshLists() override;

  private:
    UserInterface& ui_;
    Clock& clock_;
    Random& random_;
    std::filesystem::path dataDir_;
    std::unique_ptr<GameState> game_;
    std::unique_ptr<SearchState> search_;
    Settings settings_;
    int rating_ = 1200;
    bool setupMode_ = false;
    bool variantFileMissing_ = false;
    std::string currentFile_;
};

}  // namespace zelkor
