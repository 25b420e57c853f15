// The main window: menus, toolbar, board, lists and displays. It forwards every user
// action to the game controller and shows what the controller writes through
// UserInterface. Message boxes, file dialogs, modal dialogs and the set-up popup go
// through replaceable hooks, so tests can answer them without showing anything.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "game/controller.h"
#include "game/user_interface.h"
#include "game/variant_dialog.h"

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QToolBar;
class QToolButton;

namespace zelkor::ui {

class BoardView;
class ScoreGraphView;

// One command of the menus and the toolbar.
struct CommandEntry {
    const char* menuName;  // object name of the menu item
    const char* caption;
    const char* shortcut;  // "" when none
    const char* toolbarKey;
    const char* tooltip;
    Command command;
};
const std::vector<CommandEntry>& CommandTable();
// The toolbar keys in button order; "" is a separator (buttons 1..27).
const std::array<const char*, 27>& ToolbarKeys();

class frmMain : public QMainWindow, public UserInterface {
    Q_OBJECT
  public:
    frmMain(Clock& clock, Random& random, std::filesystem::path dataDir, QWidget* parent = nullptr);
    ~frmMain() override;

    GameController& controller() { return *controller_; }
    BoardView* board() const { return board_; }
    ScoreGraphView* scoreGraph() const { return scoreGraph_; }
    // Start-up after the window exists: settings, new game, piece set.
    void StartUp();
    // The folder the piece sets are read from (default: "pieces" in the data folder).
    void SetPiecesFolder(std::filesystem::path folder) { piecesDir_ = std::move(folder); }
    // The manual of Help > Manual (default: manual.md in the data folder).
    void SetManualFile(std::filesystem::path file) { manualFile_ = std::move(file); }
    // On the program's first start in its data folder, shows the rules of the current
    // variant once and remembers that; true when they were shown.
    bool ShowRulesOnFirstStart();

    // Hooks; each is used instead of the real dialog when set.
    std::function<Answer(const std::string& text, const std::string& title, Icon icon,
                         Buttons buttons)>
        messageHook;
    std::function<std::optional<std::string>(bool save, const std::string& title)> fileHook;
    // Called instead of QDialog::exec for every modal dialog the window opens; returns
    // the dialog's result.
    std::function<int(QDialog* dialog)> dialogHook;
    // Called instead of showing the set-up popup; returns the chosen item or nullptr.
    std::function<QAction*(QMenu* menu)> popupHook;
    // The folder the next file dialog opens in: the working directory at first, then the
    // folder of the file chosen last.
    const QString& fileFolder() const { return fileFolder_; }

    // The runs of the commands, as the menus and the toolbar trigger them.
    void DispatchToolbarButton(const QString& key);
    void DispatchToolbarMenu(const QString& entry);
    void ShowOptions();
    void UseDefaultPieces();
    bool LoadBitmapPieceSet();

    // UserInterface.
    std::string Translate(const char* context, const char* text) const override;
    void SetText(Display display, const std::string& text) override;
    std::string Text(Display display) const override;
    void HighlightSideToMove(bool firstSide) override;
    void SetEnabled(Command command, bool enabled) override;
    void SetChecked(Command command, bool checked) override;
    void SetListLines(ListId list, const std::vector<std::string>& lines) override;
    void SelectListLine(ListId list, int line) override;
    void SetProgressMaximum(int maximum) override;
    void SetProgressValue(int value) override;
    void ShowCountdown(bool countdown) override;
    void RedrawBoard() override;
    void ShowHint(const std::vector<int>& stops, const std::vector<int>& passed) override;
    void SetWaitCursor(bool waiting) override;
    Answer Message(const std::string& text, const std::string& title, Icon icon,
                   Buttons buttons = Buttons::Ok) override;
    std::optional<std::string> AskSaveFile(const std::string& title,
                                           const std::string& filter) override;
    std::optional<std::string> AskOpenFile(const std::string& title,
                                           const std::string& filter) override;
    std::string ChooseBookMove(const std::vector<std::string>& lines, const std::string& gamesLabel,
                               const std::string& movesLabel) override;
    void ShowVariantDialog() override;
    void ProcessEvents() override;
    [[noreturn]] void Terminate() override;
    void CloseSecondaryWindows();  // every top-level window but this one

    // Where the variant dialog gets its list and its reader; the window sets them from
    // the variant file, tests may replace them.
    std::function<std::vector<std::string>()> variantNames;
    VariantReader variantReader;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolbar();
    void BuildPanels();
    void BuildSetupPopup();
    void BuildKeyActions();
    // The keyboard on the board: the square cursor, Space to pick up and put down.
    bool BoardKey(const QKeyEvent& key);
    void ShowPickUpMarks(int square);
    void RunCommand(Command command);
    // Runs a user action; a close requested meanwhile is carried out afterwards.
    void Run(const std::function<void()>& action);
    int ExecDialog(QDialog* dialog);
    // Window size, position and the score graph's visibility, kept apart from zelkor.ini.
    void RestoreWindowState();
    void SaveWindowState() const;
    // The dialog's answer; a saved name without extension gets the filter's.
    std::optional<std::string> ChosenFile(std::optional<std::string> chosen,
                                          const std::string& filter, bool save);

    // Keyboard: the program's Ctrl shortcuts in the text boxes, and the focus while a
    // computation has disabled the widget that had it.
    bool CommandKeyWins(const QLineEdit* box, const QKeyEvent& key) const;
    void ParkFocus(QWidget* disabled);
    void ReturnFocus(QWidget* enabled);

    // Board pointer handling.
    void BoardPressed(int square, Qt::MouseButton button, QPoint position);
    void BoardMoved(int square, QPoint position);
    void BoardReleased(int square, Qt::MouseButton button, QPoint position);
    void BoardLeft();
    void OpenSetupPopup(int square, QPoint position);
    void ShowHighlights();

    Clock& clock_;
    Random& random_;
    std::filesystem::path dataDir_;
    std::filesystem::path piecesDir_;
    std::filesystem::path manualFile_;
    std::unique_ptr<GameController> controller_;
    // Runs the computer's searches off this thread; ends (and waits) before the controller.
    std::unique_ptr<ThreadSearchRunner> runner_;

    BoardView* board_ = nullptr;
    ScoreGraphView* scoreGraph_ = nullptr;
    QAction* scoreGraphAction_ = nullptr;
    std::map<Command, std::vector<QObject*>> commandTargets_;
    std::map<QString, QAction*> menuActions_;  // by menu item name
    std::map<Display, QWidget*> displays_;
    QToolBar* toolbar_ = nullptr;
    QMenu* boardMenu_ = nullptr;
    QAction* brownAndBlack_ = nullptr;
    QListWidget* gameMoves_ = nullptr;
    QListWidget* legalMoves_ = nullptr;
    QListWidget* analysis_ = nullptr;
    QLineEdit* typedMove_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QLabel* firstName_ = nullptr;
    QLabel* secondName_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* countdown_ = nullptr;
    QMenu* setupMenu_ = nullptr;
    std::map<QString, QAction*> setupActions_;

    // Input state of the board.
    int held_ = 0;         // square of the held man, 0 when nothing is held
    int popupSquare_ = 0;  // square a right press was made on
    bool dragCursorShown_ = false;
    bool highlightsShown_ = false;
    QPointer<QWidget> focusParkedFrom_;  // the widget that had the focus before it was disabled
    QString fileFolder_;

    QElapsedTimer sinceEvents_;
    QElapsedTimer sinceRepaint_;
    unsigned eventCalls_ = 0;
    int running_ = 0;  // nesting depth of user actions
    bool closePending_ = false;
    bool waitCursor_ = false;
    bool closing_ = false;
};

}  // namespace zelkor::ui
