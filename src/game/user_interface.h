// The narrow interface through which the game reaches the user. The Qt window
// implements it; tests use a recording fake. The clock and the random numbers are
// injected the same way, so that every test is deterministic.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/reader_ui.h"
#include "rules/clock_random.h"
#include "rules/fault_report.h"

namespace zelkor {

// Commands whose enabled or checked state the game changes. A command that exists as a
// menu item and a toolbar button changes both together.
enum class Command {
    NewGame,
    NewVariant,
    Open,
    Save,    // the "Save" menu item
    SaveAs,  // the "Save As..." item and the Save toolbar button
    Exit,
    Compute,
    Cancel,
    First,
    Back,
    Forward,
    Last,
    OfferDraw,
    Resign,
    Hint,
    PlayerComputer,
    PlayerPlayer,
    ComputerComputer,
    Options,
    Analyze,
    TurnBoard,
    NotationNone,
    NotationAlgebraic,
    PiecesDefault,
    Calculation,
    Rating,
    Rules,
    About,
    GameMenu,
    PlayMenu,
    BoardMenu,
    ViewMenu,
    HelpMenu,
    Toolbar,
    TypedMoveBox,
    GameMoveList,
    LegalMoveList,
    AnalysisList,
    kCount
};

// Texts the game writes into the window.
enum class Display {
    Status,       // first panel of the status line
    OpeningName,  // third panel of the status line
    Calculation,  // CalculationDisplay
    Strength,     // StrengthDisplay
    Countdown,
    VariantName,
    WindowTitle,
    FirstSideColour,
    FirstSideName,
    SecondSideColour,
    SecondSideName,
    Comment,
    TypedMove,
    FirstHomeCount,  // progress label of the side that moves first
    SecondHomeCount,
    kCount
};

enum class ListId { GameMoves, LegalMoves, Analysis };

// The message box, the book-move dialog and the translation of the texts are the readers'
// part (ReaderUi).
class UserInterface : public ReaderUi {
  public:
    virtual void SetText(Display display, const std::string& text) = 0;
    virtual std::string Text(Display display) const = 0;
    void ShowOpeningName(const std::string& name) final { SetText(Display::OpeningName, name); }
    // Highlights the name of the side to move: the first side's row when true.
    virtual void HighlightSideToMove(bool firstSide) = 0;

    virtual void SetEnabled(Command command, bool enabled) = 0;
    virtual void SetChecked(Command command, bool checked) = 0;

    virtual void SetListLines(ListId list, const std::vector<std::string>& lines) = 0;
    virtual void SelectListLine(ListId list, int line) = 0;  // -1 selects nothing

    virtual void SetProgressMaximum(int maximum) = 0;
    virtual void SetProgressValue(int value) = 0;
    // Countdown instead of the progress bar (time mode with the countdown timer on).
    virtual void ShowCountdown(bool countdown) = 0;

    // Repaints the whole board from the game state (pieces, shades, coordinates, counts).
    virtual void RedrawBoard() = 0;
    // Marks a hinted move on the board: the squares it stops on and the squares it runs
    // over; empty lists remove the mark. A user interface without a board ignores it.
    virtual void ShowHint(const std::vector<int>& stops, const std::vector<int>& passed) {
        (void)stops;
        (void)passed;
    }
    virtual void SetWaitCursor(bool waiting) = 0;

    // Standard file dialogs; nothing when the user cancels.
    virtual std::optional<std::string> AskSaveFile(const std::string& title,
                                                   const std::string& filter) = 0;
    virtual std::optional<std::string> AskOpenFile(const std::string& title,
                                                   const std::string& filter) = 0;

    // Shows the modal variant dialog ("New Variant..."); the dialog edits the active rules
    // and the variant number itself. Returns when it closes.
    virtual void ShowVariantDialog() = 0;

    // Lets pending window events run (repaints, the Cancel command). Called at every node
    // of the search, so it must be cheap when called often.
    virtual void ProcessEvents() = 0;

    // The fatal path: closes the secondary windows and ends the process at once without
    // saving. Never returns.
    [[noreturn]] virtual void Terminate() = 0;
};

// Shows "Error found! Zelkor will exit" (or the given text) titled "Error" and ends the
// process through UserInterface::Terminate.
[[noreturn]] void FatalError(UserInterface& ui,
                             const std::string& text = "Error found! Zelkor will exit");

// An internal fault of the rules told through a user interface: FatalError with its text.
class UiFaultReport : public FaultReport {
  public:
    explicit UiFaultReport(UserInterface& ui) : ui_(ui) {}
    [[noreturn]] void Fatal(const std::string& text) override;

  private:
    UserInterface& ui_;
};

}  // namespace zelkor
