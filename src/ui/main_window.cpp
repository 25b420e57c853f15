#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "records/data_folder.h"
#include "rules/variant_file.h"
#include "ui/board_view.h"
#include "ui/book_dialog.h"
#include "ui/info_windows.h"
#include "ui/options_dialog.h"
#include "ui/score_graph_view.h"
#include "ui/toolbar_icons.h"
#include "ui/variant_dialog_window.h"

namespace zelkor::ui {

namespace {

// A label that reports double-clicks (the strength display).
class ClickLabel : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> onDoubleClick;

  protected:
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (onDoubleClick) onDoubleClick();
    }
};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// "Games (*.zlk)|*.zlk" style filters become Qt's "Games (*.zlk)".
QString QtFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split('|');
    if (parts.size() < 2) return Q(filter);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        if (!description.contains('(')) description += " (" + parts[i + 1] + ")";
        filters << description;
    }
    return filters.join(";;");
}

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
    static const std::vector<CommandEntry> table = {
        {"New1", "New Game", "Ctrl+N", "New Game", "New Game", Command::NewGame},
        {"NewVariant", "New Variant...", "Ctrl+V", "New Variant", "New Variant",
         Command::NewVariant},
        {"Open1", "Open...", "Ctrl+O", "Open", "Open", Command::Open},
        {"SaveOpen", "Save", "Ctrl+S", "Save", "Save", Command::Save},
        {"Save", "Save As...", "", "", "", Command::SaveAs},
        {"Exit", "Exit", "Ctrl+X", "", "", Command::Exit},
        {"Compute", "Compute", "Ctrl+C", "Compute", "Compute", Command::Compute},
        {"mnu_Play_Cancel", "Cancel", "Ctrl+E", "Cancel", "Cancel Computing", Command::Cancel},
        {"First", "First", "", "First", "Back to First Move", Command::First},
        {"Moveback", "Back", "Ctrl+B", "Back", "Move Back", Command::Back},
        {"MoveForward", "Forward", "Ctrl+F", "Forward", "Move Forward", Command::Forward},
        {"Last", "Last", "", "Last", "Forward to Last Move", Command::Last},
        {"Offerdraw", "Offer draw", "", "Draw", "Offer Draw", Command::OfferDraw},
        {"Resign", "Resign", "", "Resign", "Resign", Command::Resign},
        {"Hint", "Hint", "", "Hint", "Hint", Command::Hint},
        {"Cplayer", "Player-Computer", "", "ComputerPlayer", "Computer-Player",
         Command::PlayerComputer},
        {"Pplayer", "Player-Player", "", "PlayerPlayer", "Player-Player", Command::PlayerPlayer},
        {"mnu_Play_Ccomputer", "Computer-Computer", "", "ComputerComputer", "Computer-Computer",
         Command::ComputerComputer},
        {"Options", "Options...", "", "Options", "Options", Command::Options},
        {"Analyze", "Analyze", "Ctrl+A", "Analyze", "Analyze", Command::Analyze},
        {"Turn", "Turn Board", "Ctrl+T", "TurnBoard", "Turn Board", Command::TurnBoard},
        {"Nonotation", "None", "", "", "", Command::NotationNone},
        {"mnu_Board_Notation_Chess", "Algebraic", "", "", "", Command::NotationAlgebraic},
        {"mnuDefault", "Default", "", "", "", Command::PiecesDefault},
        {"calculation", "Calculation", "", "", "", Command::Calculation},
        {"rating", "Rating...", "", "", "", Command::Rating},
        {"Rules", "Rules", "F1", "", "", Command::Rules},
        {"mnu_Help_About", "About", "", "", "", Command::About},
    };
    return table;
}

const std::array<const char*, 27>& ToolbarKeys() {
    static const std::array<const char*, 27> keys = {"New Game",
                                                     "New Variant",
                                                     "",
                                                     "Open",
                                                     "Save",
                                                     "",
                                                     "Compute",
                                                     "Cancel",
                                                     "",
                                                     "First",
                                                     "Back",
                                                     "Forward",
                                                     "Last",
                                                     "",
                                                     "Draw",
                                                     "Resign",
                                                     "Hint",
                                                     "",
                                                     "ComputerPlayer",
                                                     "PlayerPlayer",
                                                     "ComputerComputer",
                                                     "",
                                                     "Options",
                                                     "",
                                                     "Analyze",
                                                     "",
                                                     "TurnBoard"};
    return keys;
}

frmMain::frmMain(Clock& clock, Random& random, std::filesystem::path dataDir, QWidget* parent)
    : QMainWindow(parent),
      clock_(clock),
      random_(random),
      dataDir_(std::move(dataDir)),
      piecesDir_(dataDir_ / "pieces") {
    setObjectName("frmMain");
    setWindowTitle("Zelkor");
    controller_ = std::make_unique<GameController>(*this, clock_, random_, dataDir_);
    BuildMenus();
    BuildToolbar();
    BuildPanels();
    BuildSetupPopup();
    variantNames = [this] { return ListVariantNames(dataDir_, controller_->variantFileMissing()); };
    variantReader = [this](int number) -> std::optional<VariantRules> {
        GameState& g = controller_->game();
        uint8_t variant = static_cast<uint8_t>(number);
        const DialogVariant read = ReadVariantForDialog(g, dataDir_, variant, *this);
        if (read.status != VariantFileStatus::Loaded) return std::nullopt;
        VariantRules rules = g.defined;
        rules.flags = g.active.flags;
        rules.home = read.home;
        rules.directions = read.directionTexts;
        return rules;
    };
    sinceEvents_.start();
    resize(1100, 720);
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus() {
    std::map<Command, const CommandEntry*> byCommand;
    for (const CommandEntry& entry : CommandTable())
        byCommand[entry.command] = &entry;
    auto add = [&](QMenu* menu, Command command) {
        const CommandEntry& entry = *byCommand.at(command);
        QAction* action = menu->addAction(entry.caption);
        action->setObjectName(entry.menuName);
        if (*entry.shortcut) action->setShortcut(QKeySequence(entry.shortcut));
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        commandTargets_[command].push_back(action);
        menuActions_[entry.menuName] = action;
        return action;
    };

    QMenu* game = menuBar()->addMenu("&Game");
    game->setObjectName("mnuGame");
    add(game, Command::NewGame);
    add(game, Command::NewVariant);
    game->addSeparator();
    add(game, Command::Open);
    add(game, Command::Save);
    add(game, Command::SaveAs);
    game->addSeparator();
    add(game, Command::Exit);

    QMenu* play = menuBar()->addMenu("&Play");
    play->setObjectName("mnuPlay");
    add(play, Command::Compute);
    add(play, Command::Cancel)->setEnabled(false);
    play->addSeparator();
    add(play, Command::First);
    add(play, Command::Back);
    add(play, Command::Forward);
    add(play, Command::Last);
    play->addSeparator();
    add(play, Command::OfferDraw);
    add(play, Command::Resign);
    add(play, Command::Hint);
    play->addSeparator();
    for (Command mode : {Command::PlayerComputer, Command::PlayerPlayer, Command::ComputerComputer})
        add(play, mode)->setCheckable(true);
    play->addSeparator();
    add(play, Command::Options);
    add(play, Command::Analyze);

    boardMenu_ = menuBar()->addMenu("&Board");
    boardMenu_->setObjectName("mnuBoard");
    add(boardMenu_, Command::TurnBoard);
    QMenu* notation = boardMenu_->addMenu("Notation");
    notation->setObjectName("mnuNotation");
    add(notation, Command::NotationNone)->setCheckable(true);
    add(notation, Command::NotationAlgebraic)->setCheckable(true);
    QMenu* pieces = boardMenu_->addMenu("Pieces");
    pieces->setObjectName("mnuPieces");
    add(pieces, Command::PiecesDefault)->setCheckable(true);
    brownAndBlack_ = pieces->addAction("Brown and Black");
    brownAndBlack_->setObjectName("mnuBrownAndBlack");
    brownAndBlack_->setCheckable(true);
    connect(brownAndBlack_, &QAction::triggered, this,
            [this] { Run([this] { LoadBitmapPieceSet(); }); });

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    add(view, Command::Calculation)->setCheckable(true);
    add(view, Command::Rating);
    scoreGraphAction_ = view->addAction("Score graph");
    scoreGraphAction_->setObjectName("mnuScoreGraph");
    scoreGraphAction_->setCheckable(true);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    add(help, Command::Rules);
    add(help, Command::About);

    commandTargets_[Command::GameMenu].push_back(game->menuAction());
    commandTargets_[Command::PlayMenu].push_back(play->menuAction());
    commandTargets_[Command::BoardMenu].push_back(boardMenu_->menuAction());
    commandTargets_[Command::ViewMenu].push_back(view->menuAction());
    commandTargets_[Command::HelpMenu].push_back(help->menuAction());
}

void frmMain::BuildToolbar() {
    toolbar_ = addToolBar("Toolbar");
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    commandTargets_[Command::Toolbar].push_back(toolbar_);
    std::map<QString, Command> byKey;
    for (const CommandEntry& entry : CommandTable())
        if (*entry.toolbarKey) byKey[entry.toolbarKey] = entry.command;

    int index = 0;
    for (const char* key : ToolbarKeys()) {
        ++index;
        if (!*key) {
            QAction* separator = toolbar_->addSeparator();
            separator->setObjectName(QString("tbrSeparator%1").arg(index));
            separator->setProperty("index", index);
            continue;
        }
        const QString k(key);
        const CommandEntry* entry = nullptr;
        for (const CommandEntry& e : CommandTable())
            if (k == e.toolbarKey) entry = &e;
        QAction* action = nullptr;
        if (k == "Save") {
            // A drop-down button whose menu holds "Save As...".
            auto* button = new QToolButton;
            auto* menu = new QMenu(button);
            QAction* saveAs = menu->addAction("Save As...");
            saveAs->setObjectName("tbrSaveAs");
            connect(saveAs, &QAction::triggered, this,
                    [this, saveAs] { DispatchToolbarMenu(saveAs->text()); });
            auto* click = new QAction(ToolbarIcon(k), k, button);
            click->setToolTip(entry->tooltip);
            connect(click, &QAction::triggered, this, [this, k] { DispatchToolbarButton(k); });
            button->setDefaultAction(click);
            button->setMenu(menu);
            button->setPopupMode(QToolButton::MenuButtonPopup);
            action = toolbar_->addWidget(button);
            button->setObjectName("tbrSaveButton");
            commandTargets_[Command::SaveAs].push_back(action);
            commandTargets_[Command::SaveAs].push_back(click);
        } else {
            action = toolbar_->addAction(ToolbarIcon(k), k);
            action->setToolTip(entry->tooltip);
            connect(action, &QAction::triggered, this, [this, k] { DispatchToolbarButton(k); });
            const Command command = byKey.at(k);
            commandTargets_[command].push_back(action);
            if (command == Command::PlayerComputer || command == Command::PlayerPlayer ||
                command == Command::ComputerComputer)
                action->setCheckable(true);
            if (command == Command::Cancel) action->setEnabled(false);
        }
        action->setObjectName("tbr" + QString(k).remove(' '));
        action->setProperty("key", k);
        action->setProperty("index", index);
    }
}

void frmMain::BuildPanels() {
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);

    board_ = new BoardView(controller_->game(), controller_->settings());
    connect(board_, &BoardView::pressed, this, &frmMain::BoardPressed);
    connect(board_, &BoardView::moved, this, &frmMain::BoardMoved);
    connect(board_, &BoardView::released, this, &frmMain::BoardReleased);
    connect(board_, &BoardView::left, this, &frmMain::BoardLeft);
    layout->addWidget(board_, 3);

    auto* panel = new QWidget;
    panel->setMinimumWidth(380);
    panel->setMaximumWidth(520);
    auto* side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    auto label = [this](const char* name, Display display) {
        auto* l = new QLabel;
        l->setObjectName(name);
        displays_[display] = l;
        return l;
    };
    QLabel* variant = label("VariantName", Display::VariantName);
    QFont bold = variant->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    variant->setFont(bold);
    side->addWidget(variant);

    auto* players = new QGridLayout;
    QLabel* firstColour = label("FirstSideColourLabel", Display::FirstSideColour);
    firstName_ = label("FirstSideNameLabel", Display::FirstSideName);
    QLabel* firstHome = label("FirstHomeCount", Display::FirstHomeCount);
    QLabel* secondColour = label("SecondSideColourLabel", Display::SecondSideColour);
    secondName_ = label("SecondSideNameLabel", Display::SecondSideName);
    QLabel* secondHome = label("SecondHomeCount", Display::SecondHomeCount);
    for (QLabel* l : {firstName_, secondName_}) {
        l->setAutoFillBackground(true);
        l->setMargin(3);
        l->setFont(bold);
    }
    for (QLabel* l : {firstHome, secondHome}) {
        l->setToolTip("Men on their home squares");
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    players->addWidget(firstColour, 0, 0);
    players->addWidget(firstName_, 0, 1);
    players->addWidget(firstHome, 0, 2);
    players->addWidget(secondColour, 1, 0);
    players->addWidget(secondName_, 1, 1);
    players->addWidget(secondHome, 1, 2);
    players->setColumnStretch(1, 1);
    side->addLayout(players);

    auto* strength = new ClickLabel;
    strength->setObjectName("StrengthDisplay");
    strength->setToolTip("Double-click to search one ply less deep");
    strength->onDoubleClick = [this] {
        Run([this] {
            if (controller_->settings().SearchDepth > 1) controller_->LowerDepth();
        });
    };
    displays_[Display::Strength] = strength;
    side->addWidget(strength);

    QLabel* calculation = label("CalculationDisplay", Display::Calculation);
    calculation->setFrameShape(QFrame::StyledPanel);
    calculation->setWordWrap(true);
    calculation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    calculation->setMinimumHeight(calculation->fontMetrics().lineSpacing() * 4 + 8);
    calculation->setText("no calculation");
    side->addWidget(calculation);

    auto list = [&](const char* name, Command command) {
        auto* l = new QListWidget;
        l->setObjectName(name);
        l->setFont(fixed);
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        commandTargets_[command].push_back(l);
        return l;
    };
    gameMoves_ = list("GameMoveList", Command::GameMoveList);
    legalMoves_ = list("LegalMoveList", Command::LegalMoveList);
    analysis_ = list("AnalysisList", Command::AnalysisList);
    connect(gameMoves_, &QListWidget::clicked, this, [this](const QModelIndex& index) {
        Run([this, row = index.row()] {
            if (!controller_->game().busy) controller_->GameMoveClicked(row);
        });
    });
    connect(legalMoves_, &QListWidget::doubleClicked, this, [this](const QModelIndex& index) {
        Run([this, row = index.row()] { controller_->LegalMoveChosen(row); });
    });
    connect(analysis_, &QListWidget::doubleClicked, this, [this](const QModelIndex& index) {
        Run([this, row = index.row()] { controller_->AnalysisMoveChosen(row); });
    });
    legalMoves_->installEventFilter(this);
    analysis_->installEventFilter(this);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel("Game"), 0, 0);
    lists->addWidget(new QLabel("Legal moves"), 0, 1);
    lists->addWidget(gameMoves_, 1, 0);
    lists->addWidget(legalMoves_, 1, 1);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 2);
    side->addLayout(lists, 3);
    scoreGraph_ = new ScoreGraphView(controller_->game(), controller_->search());
    scoreGraph_->setVisible(false);
    side->addWidget(scoreGraph_, 2);
    connect(scoreGraphAction_, &QAction::toggled, scoreGraph_, &QWidget::setVisible);
    connect(scoreGraph_, &ScoreGraphView::plyClicked, this,
            [this](int ply) { Run([this, ply] { controller_->GameMoveClicked(ply - 1); }); });
    side->addWidget(new QLabel("Analysis"));
    side->addWidget(analysis_, 1);

    auto* comment = new QLineEdit;
    comment->setObjectName("CommentBox");
    comment->setPlaceholderText("Comment on the current move");
    displays_[Display::Comment] = comment;
    connect(comment, &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_->CommentEdited(text.toStdString()); });
    auto* typed = new QLineEdit;
    typed->setObjectName("TypedMoveBox");
    typed->setPlaceholderText("Type a move, e.g. c3d4, and press Enter");
    displays_[Display::TypedMove] = typed;
    commandTargets_[Command::TypedMoveBox].push_back(typed);
    connect(typed, &QLineEdit::returnPressed, this, [this, typed] {
        Run([this, typed] {
            if (controller_->game().busy) return;
            const std::string text = typed->text().toStdString();
            typed->clear();
            controller_->TypedMove(text);
        });
    });
    auto* entry = new QGridLayout;
    auto* commentLabel = new QLabel("&Comment:");
    commentLabel->setBuddy(comment);
    auto* typedLabel = new QLabel("&Move:");
    typedLabel->setBuddy(typed);
    entry->addWidget(commentLabel, 0, 0);
    entry->addWidget(comment, 0, 1);
    entry->addWidget(typedLabel, 1, 0);
    entry->addWidget(typed, 1, 1);
    side->addLayout(entry);

    layout->addWidget(panel, 2);
    setCentralWidget(central);

    QLabel* status = label("StatusText", Display::Status);
    status->setMinimumWidth(260);
    statusBar()->addWidget(status, 3);
    progress_ = new QProgressBar;
    progress_->setObjectName("ProgressBar1");
    progress_->setTextVisible(false);
    progress_->setMaximumWidth(180);
    countdown_ = label("CountdownLabel", Display::Countdown);
    countdown_->setVisible(false);
    statusBar()->addWidget(progress_, 1);
    statusBar()->addWidget(countdown_, 1);
    QLabel* opening = label("OpeningName", Display::OpeningName);
    statusBar()->addWidget(opening, 2);
}

void frmMain::BuildSetupPopup() {
    setupMenu_ = new QMenu("mnuPopup", this);
    setupMenu_->setObjectName("mnuSetup");
    auto add = [this](const char* name, const char* caption, std::function<void(int)> run,
                      bool checkable) {
        QAction* action = setupMenu_->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, run] { run(popupSquare_); });
        setupActions_[name] = action;
    };
    add(
        "mnu_PopUp_ClearBoard", "Clear Board", [this](int) { controller_->SetupClearBoard(); },
        false);
    setupMenu_->addSeparator();
    add(
        "empty1", "Empty", [this](int sq) { controller_->SetupSquare(sq, kEmpty); }, true);
    add(
        "mnu_PopUp_BlackChecker", "Black Checker",
        [this](int sq) { controller_->SetupSquare(sq, kBlackMan); }, true);
    add(
        "Whitechecker", "White Checker",
        [this](int sq) { controller_->SetupSquare(sq, kWhiteMan); }, true);
    setupMenu_->addSeparator();
    add(
        "mnu_PopUp_BlackM", "Black moves", [this](int) { controller_->SetupSideToMove(kBlack); },
        true);
    add(
        "WhiteM", "White moves", [this](int) { controller_->SetupSideToMove(kWhite); }, true);
}

void frmMain::StartUp() {
    Run([this] {
        controller_->StartUp();
        if (controller_->settings().PieceSet == 1 && LoadBitmapPieceSet()) return;
        SetChecked(Command::PiecesDefault, true);
        brownAndBlack_->setChecked(false);
    });
}

void frmMain::Run(const std::function<void()>& action) {
    ++running_;
    action();
    --running_;
    if (running_ == 0 && closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

bool frmMain::ShowRulesOnFirstStart() {
    if (!IsFirstStart(dataDir_)) return false;
    // Remembered first, so that a crash in the window cannot show it on every start.
    MarkFirstStartDone(dataDir_);
    RunCommand(Command::Rules);
    return true;
}

int frmMain::ExecDialog(QDialog* dialog) {
    if (dialogHook) return dialogHook(dialog);
    return dialog->exec();
}

void frmMain::RunCommand(Command command) {
    if (command == Command::Exit) {
        close();  // waits for a running computation by itself
        return;
    }
    Run([this, command] {
        GameController& c = *controller_;
        switch (command) {
            case Command::NewGame:
                c.NewGameCommand(false);
                break;
            case Command::NewVariant:
                c.NewGameCommand(true);
                break;
            case Command::Open:
                c.Open();
                break;
            case Command::Save:
                c.Save();
                break;
            case Command::SaveAs:
                c.SaveAs();
                break;
            case Command::Compute:
                c.ComputeCommand();
                break;
            case Command::Cancel:
                c.CancelCommand();
                break;
            case Command::First:
                c.First();
                break;
            case Command::Back:
                c.Back();
                break;
            case Command::Forward:
                c.Forward();
                break;
            case Command::Last:
                c.Last();
                break;
            case Command::OfferDraw:
                c.OfferDrawCommand();
                break;
            case Command::Resign:
                c.ResignCommand();
                break;
            case Command::Hint:
                c.HintCommand();
                break;
            case Command::PlayerComputer:
                c.SelectPlayerComputer();
                break;
            case Command::PlayerPlayer:
                c.SelectPlayerPlayer();
                break;
            case Command::ComputerComputer:
                c.RunComputerComputer();
                break;
            case Command::Options:
                ShowOptions();
                break;
            case Command::Analyze:
                c.AnalyzeCommand();
                break;
            case Command::TurnBoard:
                c.TurnBoard();
                break;
            case Command::NotationNone:
                c.SetNotation(1);
                break;
            case Command::NotationAlgebraic:
                c.SetNotation(0);
                break;
            case Command::PiecesDefault:
                UseDefaultPieces();
                break;
            case Command::Calculation:
                c.ToggleCalculation();
                break;
            case Command::Rating:
                c.ShowRating();
                break;
            case Command::Rules: {
                frmRules rules(c.game().active.name, c.game().active.help, c.RulesInForce(), this);
                ExecDialog(&rules);
                break;
            }
            case Command::About: {
                frmAbout about(this);
                ExecDialog(&about);
                break;
            }
            default:
                break;
        }
    });
}

void frmMain::DispatchToolbarButton(const QString& key) {
    for (const CommandEntry& entry : CommandTable())
        if (key == entry.toolbarKey) RunCommand(entry.command);
}

void frmMain::DispatchToolbarMenu(const QString& entry) {
    if (entry == "Save As...") RunCommand(Command::SaveAs);
}

void frmMain::ShowOptions() {
    int rating = controller_->rating();
    {
        frmOptions options(controller_->settings(), rating, this);
        options.messageHook = [this](const QString& text, const QString& title) {
            Message(text.toStdString(), title.toStdString(), Icon::Exclamation, Buttons::Ok);
        };
        connect(&options, &frmOptions::applied, this, [this, &rating] {
            controller_->setRating(rating);
            controller_->OptionsApplied();
        });
        ExecDialog(&options);
    }
    controller_->setRating(rating);
    controller_->OptionsApplied();
}

void frmMain::UseDefaultPieces() {
    board_->UseDefaultPieces();
    controller_->settings().PieceSet = 0;
    SetChecked(Command::PiecesDefault, true);
    brownAndBlack_->setChecked(false);
    RedrawBoard();
}

bool frmMain::LoadBitmapPieceSet() {
    const bool loaded = board_->LoadBitmapPieceSet(piecesDir_ / "brownandblack");
    if (loaded) {
        controller_->settings().PieceSet = 1;
        SetChecked(Command::PiecesDefault, false);
        RedrawBoard();
    }
    brownAndBlack_->setChecked(board_->usingBitmaps());
    return loaded;
}

// --- UserInterface -------------------------------------------------------------------------

void frmMain::SetText(Display display, const std::string& text) {
    if (display == Display::WindowTitle) {
        setWindowTitle(Q(text));
        return;
    }
    const auto it = displays_.find(display);
    if (it == displays_.end()) return;
    if (auto* label = qobject_cast<QLabel*>(it->second))
        label->setText(Q(text));
    else if (auto* edit = qobject_cast<QLineEdit*>(it->second))
        edit->setText(Q(text));
}

std::string frmMain::Text(Display display) const {
    if (display == Display::WindowTitle) return windowTitle().toStdString();
    const auto it = displays_.find(display);
    if (it == displays_.end()) return {};
    if (auto* label = qobject_cast<QLabel*>(it->second)) return label->text().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(it->second)) return edit->text().toStdString();
    return {};
}

void frmMain::HighlightSideToMove(bool firstSide) {
    // The side to move: white text on red; the other: red text on white.
    const QString toMove = "QLabel { background: rgb(255,0,0); color: white; }";
    const QString waiting = "QLabel { background: white; color: rgb(255,0,0); }";
    firstName_->setStyleSheet(firstSide ? toMove : waiting);
    secondName_->setStyleSheet(firstSide ? waiting : toMove);
    firstName_->setProperty("highlighted", firstSide);
    secondName_->setProperty("highlighted", !firstSide);
}

void frmMain::SetEnabled(Command command, bool enabled) {
    const auto it = commandTargets_.find(command);
    if (it == commandTargets_.end()) return;
    for (QObject* target : it->second) {
        if (auto* action = qobject_cast<QAction*>(target))
            action->setEnabled(enabled);
        else if (auto* widget = qobject_cast<QWidget*>(target))
            widget->setEnabled(enabled);
    }
}

void frmMain::SetChecked(Command command, bool checked) {
    const auto it = commandTargets_.find(command);
    if (it == commandTargets_.end()) return;
    for (QObject* target : it->second)
        if (auto* action = qobject_cast<QAction*>(target))
            if (action->isCheckable()) action->setChecked(checked);
}

void frmMain::SetListLines(ListId id, const std::vector<std::string>& lines) {
    QListWidget* list = id == ListId::GameMoves    ? gameMoves_
                        : id == ListId::LegalMoves ? legalMoves_
                                                   : analysis_;
    list->clear();
    for (const std::string& line : lines)
        list->addItem(Q(line));
}

void frmMain::SelectListLine(ListId id, int line) {
    if (id == ListId::GameMoves) scoreGraph_->update();
    QListWidget* list = id == ListId::GameMoves    ? gameMoves_
                        : id == ListId::LegalMoves ? legalMoves_
                                                   : analysis_;
    if (line < 0 || line >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(line);
    list->scrollToItem(list->item(line));
}

void frmMain::SetProgressMaximum(int maximum) {
    progress_->setMaximum(std::max(1, maximum));
}

void frmMain::SetProgressValue(int value) {
    progress_->setValue(std::clamp(value, progress_->minimum(), progress_->maximum()));
}

void frmMain::ShowCountdown(bool countdown) {
    progress_->setVisible(!countdown);
    countdown_->setVisible(countdown);
}

void frmMain::RedrawBoard() {
    board_->Redraw();
    scoreGraph_->update();
    highlightsShown_ = false;
    const GameState& g = controller_->game();
    const bool blackFirst = g.active.flag(BlackStarts) == 1;
    const int white = HomeCount(g, 0);
    const int black = HomeCount(g, 1);
    SetText(Display::FirstHomeCount, std::to_string(blackFirst ? black : white));
    SetText(Display::SecondHomeCount, std::to_string(blackFirst ? white : black));
}

void frmMain::SetWaitCursor(bool waiting) {
    if (waiting == waitCursor_) return;
    waitCursor_ = waiting;
    if (waiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

Answer frmMain::Message(const std::string& text, const std::string& title, Icon icon,
                        Buttons buttons) {
    if (messageHook) return messageHook(text, title, icon, buttons);
    QMessageBox box(this);
    box.setWindowTitle(Q(title));
    box.setText(Q(text));
    switch (icon) {
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::None:
            break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

std::optional<std::string> frmMain::AskSaveFile(const std::string& title,
                                                const std::string& filter) {
    if (fileHook) return fileHook(true, title);
    const QString name = QFileDialog::getSaveFileName(
        this, Q(title), QString::fromStdString(dataDir_.string()), QtFilter(filter));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> frmMain::AskOpenFile(const std::string& title,
                                                const std::string& filter) {
    if (fileHook) return fileHook(false, title);
    const QString name = QFileDialog::getOpenFileName(
        this, Q(title), QString::fromStdString(dataDir_.string()), QtFilter(filter));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::string frmMain::ChooseBookMove(const std::vector<std::string>& lines,
                                    const std::string& gamesLabel, const std::string& movesLabel) {
    frmBook book(lines, gamesLabel, movesLabel, this);
    // 5100 twips right of and 1000 twips below the window's corner.
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    book.move(frameGeometry().topLeft() + QPoint(static_cast<int>(5100 * pixelsPerTwip),
                                                 static_cast<int>(1000 * pixelsPerTwip)));
    ExecDialog(&book);
    return book.SelectedText();
}

void frmMain::ShowVariantDialog() {
    std::vector<std::string> names = variantNames ? variantNames() : std::vector<std::string>{};
    VariantDialogLogic logic(controller_->game(), controller_->settings(), random_, *this,
                             std::move(names), variantReader);
    dlgVariants dialog(logic, this);
    ExecDialog(&dialog);
}

void frmMain::ProcessEvents() {
    // Called at every search node: look at the clock only every 64th call, and let the
    // window breathe only every few milliseconds.
    if ((++eventCalls_ & 63) != 0) return;
    if (sinceEvents_.elapsed() < 15) return;
    QCoreApplication::processEvents();
    sinceEvents_.restart();
}

void frmMain::Terminate() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != this) widget->close();
    std::exit(EXIT_FAILURE);
}

// --- Closing ---------------------------------------------------------------------------------

void frmMain::closeEvent(QCloseEvent* event) {
    if (running_ > 0 || controller_->game().busy) {
        // A computation is running inside an event handler: stop it and close once it
        // has returned.
        closePending_ = true;
        controller_->CancelCommand();
        event->ignore();
        return;
    }
    if (!controller_->ConfirmExit()) {
        event->ignore();
        return;
    }
    controller_->Shutdown();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != this && widget->isVisible()) widget->close();
    event->accept();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto* list = qobject_cast<QListWidget*>(watched);
            if (list && list->currentRow() >= 0) {
                const int row = list->currentRow();
                if (list == legalMoves_)
                    Run([this, row] { controller_->LegalMoveChosen(row); });
                else if (list == analysis_)
                    Run([this, row] { controller_->AnalysisMoveChosen(row); });
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Board pointer handling --------------------------------------------------------------------

void frmMain::ShowHighlights() {
    for (int square : controller_->MovableSquares())
        board_->HighlightSquare(square);
}

void frmMain::BoardPressed(int square, Qt::MouseButton button, QPoint) {
    const GameState& g = controller_->game();
    if (g.busy || popupSquare_ != 0 || controller_->pressSuppressed()) return;
    if (button == Qt::RightButton) {
        // Empty squares take the set-up popup too, so men can be placed on them.
        popupSquare_ = square;
        return;
    }
    if (button != Qt::LeftButton || g.board[square] == kEmpty || g.gameOver) return;
    Run([this, square] {
        if (!controller_->CanStartDrag(square)) {
            board_->update();
            return;
        }
        held_ = square;
        dragCursorShown_ = false;
        if (controller_->settings().ShowMoves) {
            board_->HighlightSquare(square);
            ShowHighlights();
        }
    });
}

void frmMain::BoardMoved(int, QPoint) {
    const GameState& g = controller_->game();
    if (g.busy || g.gameOver) return;
    controller_->BoardPointerMoved();
    if (controller_->settings().ShowMoves && !highlightsShown_) {
        highlightsShown_ = true;
        ShowHighlights();
    }
    if (held_ != 0 && !dragCursorShown_) {
        board_->setCursor(board_->PieceCursor(g.board[held_]));
        dragCursorShown_ = true;
    }
}

void frmMain::BoardReleased(int square, Qt::MouseButton button, QPoint position) {
    if (button == Qt::RightButton) {
        if (controller_->game().busy) return;
        const int pressed = popupSquare_;
        popupSquare_ = 0;
        if (held_ == 0 && pressed != 0 && square == pressed)
            OpenSetupPopup(pressed, board_->mapToGlobal(position));
        return;
    }
    if (button != Qt::LeftButton || held_ == 0) return;
    board_->unsetCursor();
    const int from = held_;
    held_ = 0;
    dragCursorShown_ = false;
    popupSquare_ = 0;
    Run([this, from, square] { controller_->BoardDrop(from, square); });
    board_->update();
}

void frmMain::BoardLeft() {
    if (controller_->settings().ShowMoves) highlightsShown_ = false;
}

void frmMain::OpenSetupPopup(int square, QPoint position) {
    const int value = controller_->game().board[square];
    setupActions_["empty1"]->setChecked(value == kEmpty);
    setupActions_["mnu_PopUp_BlackChecker"]->setChecked(value == kBlackMan);
    setupActions_["Whitechecker"]->setChecked(value == kWhiteMan);
    const bool white = controller_->game().side == kWhite;
    setupActions_["WhiteM"]->setChecked(white);
    setupActions_["mnu_PopUp_BlackM"]->setChecked(!white);
    popupSquare_ = square;
    Run([this, position] {
        if (popupHook) {
            if (QAction* chosen = popupHook(setupMenu_)) chosen->trigger();
        } else {
            setupMenu_->exec(position);
        }
        popupSquare_ = 0;
        controller_->SetupPopupClosed();
    });
}

}  // namespace zelkor::ui
