// The narrow interface through which the game reaches the user. The Qt window
// implements it; tests use a recording fake. The clock and the random numbers are
// injected the same way, so that every test is deterministic.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rules/clock_random.h"

// Marks a text of the Qt-free layers for lupdate where it is not passed straight to
// UserInterface::Translate (a constant translated later). The same definition as Qt's own.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace zelkor {

// The context of the Qt-free layers' texts in the translation catalogues.
inline constexpr const char* kTextContext = "Game";

enum class Icon { None, Exclamation, Question, Information };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

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

// Puts the English source texts into the user's language. lupdate reads every call
// Translate("Game", "...") as a text to translate; a composed text is built from a
// translated pattern whose %1, %2 ... are filled afterwards (Fill), never translated whole.
// The command line and the log keep the English texts: the default returns them as they are.
class Translator {
  public:
    virtual ~Translator() = default;
    virtual std::string Translate(const char* context, const char* text) const {
        (void)context;
        return text;
    }
};
// The English texts as they are; the default of the functions that compose texts.
const Translator& English();

class UserInterface : public Translator {
  public:
    virtual void SetText(Display display, const std::string& text) = 0;
    virtual std::string Text(Display display) const = 0;
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

    // A modal message box; the answer is Yes or No for Buttons::YesNo, else Ok.
    virtual Answer Message(const std::string& text, const std::string& title, Icon icon,
                           Buttons buttons = Buttons::Ok) = 0;

    // Standard file dialogs; nothing when the user cancels.
    virtual std::optional<std::string> AskSaveFile(const std::string& title,
                                                   const std::string& filter) = 0;
    virtual std::optional<std::string> AskOpenFile(const std::string& title,
                                                   const std::string& filter) = 0;

    // The "Book moves" dialog: returns the selected line, empty when none is selected.
    virtual std::string ChooseBookMove(const std::vector<std::string>& lines,
                                       const std::string& gamesLabel,
                                       const std::string& movesLabel) = 0;

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

// `pattern` with %1, %2 ... %9 replaced by `args` in order (as QString::arg does, without
// looking into the inserted texts again).
std::string Fill(const std::string& pattern, const std::vector<std::string>& args);

// Shows "Error found! Zelkor will exit" (or the given text) titled "Error" and ends the
// process through UserInterface::Terminate.
[[noreturn]] void FatalError(UserInterface& ui,
                             const std::string& text = "Error found! Zelkor will exit");

}  // namespace zelkor
