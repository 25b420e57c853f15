// The main window itself: its menus, toolbar and panels, the commands they run, start-up
// and closing. What the controller shows is in main_window_display.cpp, the mouse and
// keyboard handling in main_window_input.cpp.
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "game/rules_text.h"
#include "records/data_folder.h"
#include "records/log.h"
#include "records/text_file.h"
#include "records/variant_file.h"
#include "ui/board_view.h"
#include "ui/book_dialog.h"
#include "ui/info_windows.h"
#include "ui/manual_window.h"
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

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
    static const std::vector<CommandEntry> table = {
        {"New1", QT_TRANSLATE_NOOP("Commands", "New Game"), "Ctrl+N", "New Game",
         QT_TRANSLATE_NOOP("Commands", "New Game"), Command::NewGame},
        {"NewVariant", QT_TRANSLATE_NOOP("Commands", "New Variant..."), "Ctrl+V", "New Variant",
         QT_TRANSLATE_NOOP("Commands", "New Variant"), Command::NewVariant},
        {"Open1", QT_TRANSLATE_NOOP("Commands", "Open..."), "Ctrl+O", "Open",
         QT_TRANSLATE_NOOP("Commands", "Open"), Command::Open},
        {"SaveOpen", QT_TRANSLATE_NOOP("Commands", "Save"), "Ctrl+S", "Save",
         QT_TRANSLATE_NOOP("Commands", "Save"), Command::Save},
        {"Save", QT_TRANSLATE_NOOP("Commands", "Save As..."), "", "", "", Command::SaveAs},
        {"Exit", QT_TRANSLATE_NOOP("Commands", "Exit"), "Ctrl+X", "", "", Command::Exit},
        {"Compute", QT_TRANSLATE_NOOP("Commands", "Compute"), "Ctrl+C", "Compute",
         QT_TRANSLATE_NOOP("Commands", "Compute"), Command::Compute},
        {"mnu_Play_Cancel", QT_TRANSLATE_NOOP("Commands", "Cancel"), "Ctrl+E", "Cancel",
         QT_TRANSLATE_NOOP("Commands", "Cancel Computing"), Command::Cancel},
        {"First", QT_TRANSLATE_NOOP("Commands", "First"), "", "First",
         QT_TRANSLATE_NOOP("Commands", "Back to First Move"), Command::First},
        {"Moveback", QT_TRANSLATE_NOOP("Commands", "Back"), "Ctrl+B", "Back",
         QT_TRANSLATE_NOOP("Commands", "Move Back"), Command::Back},
        {"MoveForward", QT_TRANSLATE_NOOP("Commands", "Forward"), "Ctrl+F", "Forward",
         QT_TRANSLATE_NOOP("Commands", "Move Forward"), Command::Forward},
        {"Last", QT_TRANSLATE_NOOP("Commands", "Last"), "", "Last",
         QT_TRANSLATE_NOOP("Commands", "Forward to Last Move"), Command::Last},
        {"Offerdraw", QT_TRANSLATE_NOOP("Commands", "Offer draw"), "", "Draw",
         QT_TRANSLATE_NOOP("Commands", "Offer Draw"), Command::OfferDraw},
        {"Resign", QT_TRANSLATE_NOOP("Commands", "Resign"), "", "Resign",
         QT_TRANSLATE_NOOP("Commands", "Resign"), Command::Resign},
        {"Hint", QT_TRANSLATE_NOOP("Commands", "Hint"), "", "Hint",
         QT_TRANSLATE_NOOP("Commands", "Hint"), Command::Hint},
        {"Cplayer", QT_TRANSLATE_NOOP("Commands", "Player-Computer"), "", "ComputerPlayer",
         QT_TRANSLATE_NOOP("Commands", "Computer-Player"), Command::PlayerComputer},
        {"Pplayer", QT_TRANSLATE_NOOP("Commands", "Player-Player"), "", "PlayerPlayer",
         QT_TRANSLATE_NOOP("Commands", "Player-Player"), Command::PlayerPlayer},
        {"mnu_Play_Ccomputer", QT_TRANSLATE_NOOP("Commands", "Computer-Computer"), "",
         "ComputerComputer", QT_TRANSLATE_NOOP("Commands", "Computer-Computer"),
         Command::ComputerComputer},
        {"Options", QT_TRANSLATE_NOOP("Commands", "Options..."), "", "Options",
         QT_TRANSLATE_NOOP("Commands", "Options"), Command::Options},
        {"Analyze", QT_TRANSLATE_NOOP("Commands", "Analyze"), "Ctrl+A", "Analyze",
         QT_TRANSLATE_NOOP("Commands", "Analyze"), Command::Analyze},
        {"Turn", QT_TRANSLATE_NOOP("Commands", "Turn Board"), "Ctrl+T", "TurnBoard",
         QT_TRANSLATE_NOOP("Commands", "Turn Board"), Command::TurnBoard},
        {"Nonotation", QT_TRANSLATE_NOOP("Commands", "None"), "", "", "", Command::NotationNone},
        {"mnu_Board_Notation_Chess", QT_TRANSLATE_NOOP("Commands", "Algebraic"), "", "", "",
         Command::NotationAlgebraic},
        {"mnuDefault", QT_TRANSLATE_NOOP("Commands", "Default"), "", "", "",
         Command::PiecesDefault},
        {"calculation", QT_TRANSLATE_NOOP("Commands", "Calculation"), "", "", "",
         Command::Calculation},
        {"rating", QT_TRANSLATE_NOOP("Commands", "Rating..."), "", "", "", Command::Rating},
        {"Rules", QT_TRANSLATE_NOOP("Commands", "Rules"), "F1", "", "", Command::Rules},
        {"mnu_Help_About", QT_TRANSLATE_NOOP("Commands", "About"), "", "", "", Command::About},
    };
    return table;
}

const std::array<const char*, 27>& ToolbarKeys() {
    static const std::array<const char*, 27> keys = {
        QT_TRANSLATE_NOOP("Toolbar", "New Game"),
        QT_TRANSLATE_NOOP("Toolbar", "New Variant"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "Open"),
        QT_TRANSLATE_NOOP("Toolbar", "Save"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "Compute"),
        QT_TRANSLATE_NOOP("Toolbar", "Cancel"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "First"),
        QT_TRANSLATE_NOOP("Toolbar", "Back"),
        QT_TRANSLATE_NOOP("Toolbar", "Forward"),
        QT_TRANSLATE_NOOP("Toolbar", "Last"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "Draw"),
        QT_TRANSLATE_NOOP("Toolbar", "Resign"),
        QT_TRANSLATE_NOOP("Toolbar", "Hint"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "ComputerPlayer"),
        QT_TRANSLATE_NOOP("Toolbar", "PlayerPlayer"),
        QT_TRANSLATE_NOOP("Toolbar", "ComputerComputer"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "Options"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "Analyze"),
        "",
        QT_TRANSLATE_NOOP("Toolbar", "TurnBoard")};
    return keys;
}

frmMain::frmMain(Clock& clock, Random& random, std::filesystem::path dataDir, QWidget* parent)
    : QMainWindow(parent),
      clock_(clock),
      random_(random),
      dataDir_(std::move(dataDir)),
      piecesDir_(dataDir_ / "pieces"),
      manualFile_(dataDir_ / kManualFileName) {
    setObjectName("frmMain");
    setWindowTitle("Zelkor");
    controller_ = std::make_unique<GameController>(*this, clock_, random_, dataDir_);
    runner_ = std::make_unique<ThreadSearchRunner>([this](std::function<void()> task) {
        QMetaObject::invokeMethod(
            this, [this, task = std::move(task)] { Run(task); }, Qt::QueuedConnection);
    });
    controller_->SetSearchRunner(runner_.get());
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
        VariantRules rules = g.defined;  // the reading filled the camps and the movement
        rules.flags = g.active.flags;
        return rules;
    };
    BuildKeyActions();
    sinceEvents_.start();
    fileFolder_ = QDir::currentPath();
    resize(1100, 720);
    RestoreWindowState();
}

frmMain::~frmMain() {
    // A search still running is stopped and waited for; what it would post is dropped.
    controller_->StopSearch();
    runner_.reset();
    controller_->SetSearchRunner(nullptr);
}

void frmMain::BuildMenus() {
    std::map<Command, const CommandEntry*> byCommand;
    for (const CommandEntry& entry : CommandTable())
        byCommand[entry.command] = &entry;
    auto add = [&](QMenu* menu, Command command) {
        const CommandEntry& entry = *byCommand.at(command);
        QAction* action = menu->addAction(QCoreApplication::translate("Commands", entry.caption));
        action->setObjectName(entry.menuName);
        if (*entry.shortcut) action->setShortcut(QKeySequence(entry.shortcut));
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        commandTargets_[command].push_back(action);
        menuActions_[entry.menuName] = action;
        return action;
    };

    QMenu* game = menuBar()->addMenu(tr("&Game"));
    game->setObjectName("mnuGame");
    add(game, Command::NewGame);
    add(game, Command::NewVariant);
    game->addSeparator();
    add(game, Command::Open);
    add(game, Command::Save);
    add(game, Command::SaveAs);
    game->addSeparator();
    add(game, Command::Exit);

    QMenu* play = menuBar()->addMenu(tr("&Play"));
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

    boardMenu_ = menuBar()->addMenu(tr("&Board"));
    boardMenu_->setObjectName("mnuBoard");
    add(boardMenu_, Command::TurnBoard);
    QMenu* notation = boardMenu_->addMenu(tr("Notation"));
    notation->setObjectName("mnuNotation");
    add(notation, Command::NotationNone)->setCheckable(true);
    add(notation, Command::NotationAlgebraic)->setCheckable(true);
    QMenu* pieces = boardMenu_->addMenu(tr("Pieces"));
    pieces->setObjectName("mnuPieces");
    add(pieces, Command::PiecesDefault)->setCheckable(true);
    brownAndBlack_ = pieces->addAction(tr("Brown and Black"));
    brownAndBlack_->setObjectName("mnuBrownAndBlack");
    brownAndBlack_->setCheckable(true);
    connect(brownAndBlack_, &QAction::triggered, this,
            [this] { Run([this] { LoadBitmapPieceSet(); }); });

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("mnuView");
    add(view, Command::Calculation)->setCheckable(true);
    add(view, Command::Rating);
    scoreGraphAction_ = view->addAction(tr("Score graph"));
    scoreGraphAction_->setObjectName("mnuScoreGraph");
    scoreGraphAction_->setCheckable(true);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName("mnuHelp");
    add(help, Command::Rules);
    QAction* manual = help->addAction(tr("Manual"));
    manual->setObjectName("mnuManual");
    connect(manual, &QAction::triggered, this, [this] {
        Run([this] {
            frmManual window(manualFile_, this);
            ExecDialog(&window);
        });
    });
    add(help, Command::About);

    commandTargets_[Command::GameMenu].push_back(game->menuAction());
    commandTargets_[Command::PlayMenu].push_back(play->menuAction());
    commandTargets_[Command::BoardMenu].push_back(boardMenu_->menuAction());
    commandTargets_[Command::ViewMenu].push_back(view->menuAction());
    commandTargets_[Command::HelpMenu].push_back(help->menuAction());
}

void frmMain::BuildToolbar() {
    toolbar_ = addToolBar(tr("Toolbar"));
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
            QAction* saveAs =
                menu->addAction(QCoreApplication::translate("Commands", "Save As..."));
            saveAs->setObjectName("tbrSaveAs");
            connect(saveAs, &QAction::triggered, this,
                    [this] { DispatchToolbarMenu("Save As..."); });
            auto* click =
                new QAction(ToolbarIcon(k), QCoreApplication::translate("Toolbar", key), button);
            click->setToolTip(QCoreApplication::translate("Commands", entry->tooltip));
            connect(click, &QAction::triggered, this, [this, k] { DispatchToolbarButton(k); });
            button->setDefaultAction(click);
            button->setMenu(menu);
            button->setPopupMode(QToolButton::MenuButtonPopup);
            action = toolbar_->addWidget(button);
            button->setObjectName("tbrSaveButton");
            commandTargets_[Command::SaveAs].push_back(action);
            commandTargets_[Command::SaveAs].push_back(click);
        } else {
            action =
                toolbar_->addAction(ToolbarIcon(k), QCoreApplication::translate("Toolbar", key));
            action->setToolTip(QCoreApplication::translate("Commands", entry->tooltip));
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
    board_->SetFeedback(&controller_->feedback());
    // The board takes focus when clicked, so that it gets it back after a computation, and
    // by Tab, which shows the keyboard's square cursor.
    board_->setFocusPolicy(Qt::StrongFocus);
    board_->setAccessibleName(tr("Board"));
    board_->installEventFilter(this);  // a move typed after a drag goes to the move box
    layout->addWidget(board_, 3);

    // The side panel gives way first when the window gets small; its lists scroll.
    auto* panel = new QWidget;
    panel->setObjectName("SidePanel");
    panel->setMinimumWidth(220);
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
        l->setToolTip(tr("Men on their home squares"));
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
    strength->setToolTip(tr("Double-click to search one ply less deep"));
    strength->onDoubleClick = [this] {
        Run([this] { controller_->LowerDepth(); });  // which keeps the depth at 1 or more
    };
    displays_[Display::Strength] = strength;
    side->addWidget(strength);

    QLabel* calculation = label("CalculationDisplay", Display::Calculation);
    calculation->setFrameShape(QFrame::StyledPanel);
    calculation->setWordWrap(true);
    calculation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    calculation->setMinimumHeight(calculation->fontMetrics().lineSpacing() * 4 + 8);
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
    for (QListWidget* l : {gameMoves_, legalMoves_})
        l->setToolTip(tr("A \"b\" after a move: the move is in the opening book"));

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(tr("Game")), 0, 0);
    auto* legalHeading = new QLabel(tr("Legal moves"));
    legalHeading->setObjectName("LegalMovesHeading");
    lists->addWidget(legalHeading, 0, 1);
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
    side->addWidget(new QLabel(tr("Analysis")));
    auto* heading = new QLabel(QCoreApplication::translate(kTextContext, kMoveColumnsHeading));
    heading->setObjectName("AnalysisHeading");
    heading->setFont(fixed);
    side->addWidget(heading);
    side->addWidget(analysis_, 1);

    auto* comment = new QLineEdit;
    comment_ = comment;
    comment->setObjectName("CommentBox");
    comment->setPlaceholderText(tr("Comment on the current move"));
    displays_[Display::Comment] = comment;
    connect(comment, &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_->CommentEdited(text.toStdString()); });
    auto* typed = new QLineEdit;
    typedMove_ = typed;
    typed->setObjectName("TypedMoveBox");
    typed->setPlaceholderText(tr("Type a move, e.g. c3d4, and press Enter"));
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
    auto* commentLabel = new QLabel(tr("&Comment:"));
    commentLabel->setBuddy(comment);
    auto* typedLabel = new QLabel(tr("&Move:"));
    typedLabel->setBuddy(typed);
    entry->addWidget(commentLabel, 0, 0);
    entry->addWidget(comment, 0, 1);
    entry->addWidget(typedLabel, 1, 0);
    entry->addWidget(typed, 1, 1);
    side->addLayout(entry);
    comment->installEventFilter(this);
    typed->installEventFilter(this);

    layout->addWidget(panel, 2);
    setCentralWidget(central);
    // A newcomer can type the first move at once.
    typed->setFocus();

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

void frmMain::BuildKeyActions() {
    // Stepping through the game without the mouse. The text boxes keep these keys for
    // their own editing, and the board for its cursor while that is shown.
    struct Key {
        const char* name;
        QKeySequence keys;
        Command enabledWith;
        std::function<void()> run;
    };
    const std::vector<Key> keys = {
        {"keyBack", QKeySequence(Qt::Key_Left), Command::Back, [this] { controller_->Back(); }},
        {"keyForward", QKeySequence(Qt::Key_Right), Command::Forward,
         [this] { controller_->Forward(); }},
        {"keyFirst", QKeySequence(Qt::Key_Home), Command::First, [this] { controller_->First(); }},
        {"keyLast", QKeySequence(Qt::Key_End), Command::Last, [this] { controller_->Last(); }},
        {"keyTakeBack", QKeySequence(Qt::CTRL | Qt::Key_Z), Command::Back,
         [this] { controller_->TakeBackPlayerMove(); }},
    };
    for (const Key& key : keys) {
        auto* action = new QAction(this);
        action->setObjectName(key.name);
        action->setShortcut(key.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        const Command command = key.enabledWith;
        const std::function<void()> run = key.run;
        connect(action, &QAction::triggered, this, [this, command, run] {
            // Only while the menu item could be chosen (not during a computation).
            for (Command c : {command, Command::PlayMenu}) {
                const auto it = commandTargets_.find(c);
                if (it == commandTargets_.end() || it->second.empty()) return;
                auto* item = qobject_cast<QAction*>(it->second.front());
                if (item && !item->isEnabled()) return;
            }
            Run(run);
        });
    }
}

void frmMain::BuildSetupPopup() {
    setupMenu_ = new QMenu("mnuPopup", this);
    setupMenu_->setObjectName("mnuSetup");
    auto add = [this](const char* name, const char* caption, std::function<void(int)> run,
                      bool checkable) {
        QAction* action = setupMenu_->addAction(tr(caption));
        action->setObjectName(name);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, run] { run(popupSquare_); });
        setupActions_[name] = action;
    };
    add(
        "mnu_PopUp_ClearBoard", QT_TR_NOOP("Clear Board"),
        [this](int) { controller_->SetupClearBoard(); }, false);
    setupMenu_->addSeparator();
    add(
        "empty1", QT_TR_NOOP("Empty"), [this](int sq) { controller_->SetupSquare(sq, kEmpty); },
        true);
    add(
        "mnu_PopUp_BlackChecker", QT_TR_NOOP("Black man"),
        [this](int sq) { controller_->SetupSquare(sq, kBlackMan); }, true);
    add(
        "Whitechecker", QT_TR_NOOP("White man"),
        [this](int sq) { controller_->SetupSquare(sq, kWhiteMan); }, true);
    setupMenu_->addSeparator();
    add(
        "mnu_PopUp_BlackM", QT_TR_NOOP("Black moves"),
        [this](int) { controller_->SetupSideToMove(kBlack); }, true);
    add(
        "WhiteM", QT_TR_NOOP("White moves"), [this](int) { controller_->SetupSideToMove(kWhite); },
        true);
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
    if (running_ == 0 && closePending_ && !controller_->game().busy) {
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

namespace {

std::filesystem::path WindowStateFile(const std::filesystem::path& dataDir) {
    return dataDir / "zelkor-window.ini";
}

}  // namespace

// The window state is a small text file read and written like the program's other files
// (a pipe in its place is refused, the data folder's name is used as bytes):
// "[window]", "geometry=" and the saved geometry in base64, "scoreGraph=" true or false.
void frmMain::RestoreWindowState() {
    BoardFeedback& feedback = controller_->feedback();
    const std::optional<std::string> text = ReadDataFile(WindowStateFile(dataDir_), 64 * 1024);
    if (!text) return;
    const auto flag = [](const QByteArray& line, const char* key, bool& value) {
        const QByteArray prefix = QByteArray(key) + "=";
        if (line.startsWith(prefix)) value = line.mid(prefix.size()) == "true";
    };
    for (const QByteArray& raw : QByteArray::fromStdString(*text).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith("geometry=")) {
            const QByteArray geometry = QByteArray::fromBase64(line.mid(9));
            if (!geometry.isEmpty()) restoreGeometry(geometry);
        } else if (line.startsWith("scoreGraph=")) {
            scoreGraphAction_->setChecked(line.mid(11) == "true");
        }
        flag(line, "markLastMove", feedback.lastMove);
        flag(line, "markReachable", feedback.reachable);
        flag(line, "explainRefusals", feedback.reasons);
        flag(line, "hintOnBoard", feedback.hintOnBoard);
    }
}

void frmMain::SaveWindowState() const {
    const BoardFeedback& feedback = controller_->feedback();
    const auto flag = [](const char* key, bool value) {
        return std::string(key) + (value ? "=true\r\n" : "=false\r\n");
    };
    const std::string text =
        "[window]\r\ngeometry=" + saveGeometry().toBase64().toStdString() +
        "\r\nscoreGraph=" + (scoreGraphAction_->isChecked() ? "true" : "false") +
        "\r\n[board]\r\n" + flag("markLastMove", feedback.lastMove) +
        flag("markReachable", feedback.reachable) + flag("explainRefusals", feedback.reasons) +
        flag("hintOnBoard", feedback.hintOnBoard);
    WriteFileSafely(WindowStateFile(dataDir_), text);
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
                frmRules rules(c.game().active.name,
                               HelpForBoard(c.game().active.help, c.settings().BoardTurned != 0),
                               c.RulesInForce(), this);
                ExecDialog(&rules);
                break;
            }
            case Command::About: {
                frmAbout about(this, manualFile_);
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
        options.EditFeedback(&controller_->feedback());
        options.EditMaster(&controller_->masterChoice());
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
    SaveWindowState();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != this && widget->isVisible()) widget->close();
    event->accept();
}

}  // namespace zelkor::ui
