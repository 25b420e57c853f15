// The main window over the real game, driven by object name; board shades, pointer, pictures.
#include <sys/stat.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "picture_sum.h"
#include "records/data_folder.h"
#include "records/settings_file.h"
#include "ui/app_icon.h"
#include "ui/program_window.h"
#include "ui/score_graph_view.h"
#include "window_fixture.h"

using namespace zelkor;
using namespace zelkor::test;
using namespace zelkor::ui;
using D = zelkor::Display;
namespace fs = std::filesystem;

namespace {

// Notes whether the watched object gets an event of `type` while `when` holds.
struct EventWatch : QObject {
    QEvent::Type type = QEvent::Paint;
    std::function<bool()> when;
    bool seen = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type && when()) seen = true;
        return false;
    }
};

struct BoardFixture {
    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    Settings settings;
    BoardView view{*game, settings};
    explicit BoardFixture(int width = 400, int height = 400) {
        game->active = DefaultRules();
        game->board = EmptyBoard();
        view.resize(width, height);
        view.Redraw();
    }
    QColor At(int square, QPoint offset = {}) {
        const QRect rect = view.SquareRect(square);
        return view.grab().toImage().pixelColor(offset.isNull() ? rect.center()
                                                                : rect.topLeft() + offset);
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void menusAndToolbar() {
        WindowFixture f;
        QStringList menus;
        for (QAction* a : f.window->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"&Game", "&Play", "&Board", "&View", "&Help"}));
        QStringList named;  // the menus as tests and accessibility tools find them
        for (const QMenu* menu : f.window->menuBar()->findChildren<QMenu*>())
            if (!menu->objectName().isEmpty()) named << menu->objectName();  // not Qt's own
        QCOMPARE(named.join(' '),
                 QString("mnuGame mnuPlay mnuBoard mnuNotation mnuPieces mnuView mnuHelp"));
        QStringList play;  // every command of the Play menu, in its order
        for (QAction* a : f.window->findChild<QMenu*>("mnuPlay")->actions())
            if (!a->isSeparator()) play << a->objectName();
        QCOMPARE(play.join(' '),
                 QString("Compute mnu_Play_Cancel First Moveback MoveForward Last Offerdraw "
                         "Resign Hint Cplayer Pplayer mnu_Play_Ccomputer Options Analyze"));
        for (const char* name : {"Cplayer", "mnu_Board_Notation_Chess", "mnuDefault"})
            QVERIFY2(f.action(name)->isChecked(), name);
        QVERIFY(!f.action("Pplayer")->isChecked() && !f.action("mnu_Play_Cancel")->isEnabled() &&
                f.action("Rules")->shortcut() == QKeySequence(Qt::Key_F1));

        auto* bar = f.window->findChild<QToolBar*>("Toolbar1");
        const QList<QAction*> actions = bar->actions();
        QStringList shown;
        for (QAction* action : actions) {
            if (action->isSeparator()) continue;
            auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
            QVERIFY(button);  // each its own button, showing its command's tooltip
            QAction* command = button->defaultAction() ? button->defaultAction() : action;
            shown << action->property("key").toString() + "=" + command->toolTip();
            QCOMPARE(button->toolTip(), command->toolTip());
        }
        QCOMPARE(shown.join(";"),
                 "New Game=New Game;New Variant=New Variant;Open=Open;Save=Save;Compute=Compute;"
                 "Cancel=Cancel Computing;First=Back to First Move;Back=Move Back;"
                 "Forward=Move Forward;Last=Forward to Last Move;Draw=Offer Draw;Resign=Resign;"
                 "Hint=Hint;ComputerPlayer=Computer-Player;PlayerPlayer=Player-Player;"
                 "ComputerComputer=Computer-Computer;Options=Options;Analyze=Analyze;"
                 "TurnBoard=Turn Board");
        QAction* saveAs =
            f.window->findChild<QToolButton*>("tbrSaveButton")->menu()->actions().value(0);
        std::string asked;  // the Save button's menu saves under a name asked for
        f.window->fileHook = [&](bool save, const std::string& title) {
            asked = std::to_string(save) + title;
            return std::optional<std::string>();
        };
        saveAs->trigger();
        QCOMPARE(saveAs->text() + QString::fromStdString(asked), QString("Save As...1Save Game"));
        // The game's commands switch each menu off by its title (a search does so).
        const std::pair<Command, const char*> titles[] = {{Command::GameMenu, "mnuGame"},
                                                          {Command::PlayMenu, "mnuPlay"},
                                                          {Command::BoardMenu, "mnuBoard"},
                                                          {Command::ViewMenu, "mnuView"},
                                                          {Command::HelpMenu, "mnuHelp"}};
        for (auto [command, name] : titles) {
            f.window->SetEnabled(command, false);
            QVERIFY2(!f.window->findChild<QMenu*>(name)->menuAction()->isEnabled(), name);
        }
        f.window->findChild<QAction*>("tbrPlayerPlayer")->trigger();  // dispatched on the key
        QVERIFY(f.action("Pplayer")->isChecked() && actions[19]->isChecked() &&
                !actions[18]->isChecked() && !actions[0]->isCheckable());
    }

    void moveOnTheBoardAndTheReply() {
        WindowFixture f;
        const QString move = f.FirstLegalMove();
        // The dropped man is painted before the reply starts.
        EventWatch painted;
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        painted.when = [&] { return f.game().gamePly == 1 && !f.game().busy; };
        f.board().installEventFilter(&painted);
        f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
        QTRY_COMPARE(f.list("GameMoveList")->count(), 2);
        f.board().removeEventFilter(&painted);
        const QStringList lines = f.lines("GameMoveList");
        QCOMPARE(lines[0], "   1. " + move.left(2).toLower() + "-" + move.mid(2).toLower());
        QVERIFY(painted.seen && f.messages.empty() && lines[1].startsWith("      ") &&
                !f.game().busy && !f.action("mnu_Play_Cancel")->isEnabled());
        // The reply is marked on the board, from its square to its square.
        const Move& reply = f.game().gameRecord[2];
        const std::vector<int>& stops = f.board().lastMoveRoute().stops;
        QVERIFY(stops.size() >= 2 && stops.front() == reply.Source && stops.back() == reply.dest);
        // Keys typed while the board has the focus after the drag go to the move box.
        auto* typed = f.window->findChild<QLineEdit*>("TypedMoveBox");
        QTest::keyClicks(&f.board(), "e1");
        QCOMPARE(typed->text(), QString("e1"));
        typed->clear();
        QTest::keyClicks(f.window->focusWidget(), f.FirstLegalMove().toLower());
        QTest::keyClick(f.window->focusWidget(), Qt::Key_Return);
        QVERIFY(f.WaitIdle() && f.game().gamePly == 4);
        QCOMPARE(f.window->focusWidget(), typed);  // back after the reply
        f.board().setFocus();  // the focus the user gave the board stays through a move
        f.action("Compute")->trigger();
        QVERIFY(f.WaitIdle() && f.game().gamePly == 5 && f.window->focusWidget() == &f.board());
        // Unless the user clicked into the comment box during the reply.
        auto* comment = f.window->findChild<QLineEdit*>("CommentBox");
        EventWatch click;  // at once when the move box is switched off
        click.type = QEvent::EnabledChange;
        click.when = [&] {
            if (!typed->isEnabled()) comment->setFocus();
            return true;
        };
        typed->installEventFilter(&click);
        f.Type(f.FirstLegalMove().toLower());
        QVERIFY(f.WaitIdle());
        typed->removeEventFilter(&click);
        QVERIFY(f.game().gamePly == 7 && f.window->focusWidget() == comment);
        // Ctrl+Z in the move box undoes its typing, and with none left takes back a move.
        QTest::keyClicks(typed, "e");
        QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(typed->text().isEmpty() && f.game().gamePly == 5);
    }

    void commandKeysWinInTheTextBoxes() {
        WindowFixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* edit = f.window->findChild<QLineEdit*>("CommentBox");
        edit->setFocus();
        QTest::keyClicks(edit, "ab");
        auto pressed = [&](const char* action, Qt::Key key) {
            QSignalSpy spy(f.action(action), &QAction::triggered);
            QTest::keyClick(edit, key, Qt::ControlModifier);
            return spy.count();
        };
        QVERIFY(pressed("Compute", Qt::Key_C) == 1 && f.WaitIdle() && f.game().gamePly == 1);
        QCOMPARE(edit->text(), QString());    // the new move's comment: none yet
        QTest::keyClick(edit, Qt::Key_Home);  // the box's own key, not the record's first move
        QCOMPARE(std::pair(edit->cursorPosition(), f.game().gamePly), std::pair(0, 1));
        QCOMPARE(pressed("NewVariant", Qt::Key_V), 1);
        // Selected text is still copied, cut and replaced by a paste.
        edit->setText("good");
        edit->selectAll();
        QCOMPARE(pressed("Compute", Qt::Key_C) + pressed("Exit", Qt::Key_X), 0);
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, "ok");
        edit->selectAll();
        QCOMPARE(pressed("NewVariant", Qt::Key_V), 0);
        QVERIFY(pressed("Exit", Qt::Key_X) == 1 && !f.window->isVisible());
    }

    void dragShowsThePieceCursorAndTheMovablePieces() {
        WindowFixture f;
        const std::vector<int> movable = f.controller().MovableSquares();
        const QPoint start = f.board().SquareRect(movable.front()).center();
        f.controller().settings().ShowMoves = 0;  // without the option the pointer marks none
        f.Hover(start);
        QTest::mouseClick(&f.board(), Qt::MiddleButton, {}, start);  // takes up no man
        QVERIFY(!f.board().highlighted(movable.front()) && f.board().reachable().empty());
        f.controller().settings().ShowMoves = 1;
        f.Hover(start);
        for (int square : movable)
            QVERIFY(f.board().highlighted(square));
        QTest::mousePress(&f.board(), Qt::LeftButton, {}, start);
        QTest::mouseMove(&f.board(), start + QPoint(3, 3));
        const QCursor held = f.board().cursor();  // the man, held at its middle
        QVERIFY(held.shape() == Qt::BitmapCursor && held.hotSpot().x() == held.hotSpot().y() &&
                std::abs(held.hotSpot().x() * 2 - held.pixmap().width()) <= 1 &&
                held.pixmap().toImage().pixelColor(held.hotSpot()).alpha() == 255);
        QVERIFY(!f.board().reachable().empty());  // where the man can go, a green dot
        const QPoint dot = f.board().SquareRect(f.board().reachable().front().square).center();
        const QColor green = f.board().grab().toImage().pixelColor(dot);
        QVERIFY2(green.green() > 120 && green.red() < 80, qPrintable(green.name()));
        // The man's picture follows the pointer; its square shows empty meanwhile.
        const QPoint middle = f.board().SquareRect(SquareOf("D5")).center();
        QTest::mouseMove(&f.board(), middle);
        const QImage shown = f.board().grab().toImage();
        QVERIFY(shown.pixelColor(middle).blue() > 200 && shown.pixelColor(start).blue() < 170);
        QTest::mouseRelease(&f.board(), Qt::LeftButton, {}, start);  // back on its square
        QCOMPARE(f.board().cursor().shape(), Qt::ArrowCursor);
        const QImage back = f.board().grab().toImage();
        QVERIFY(back.pixelColor(start).blue() > 200 && back.pixelColor(middle).blue() < 170);
        QVERIFY(f.messages.empty() && f.game().gamePly == 0 &&
                !f.board().highlighted(movable.front()) && f.board().reachable().empty());
        f.Hover(middle);  // nothing is held any more; the movable men show again
        QVERIFY(f.board().cursor().shape() == Qt::ArrowCursor &&
                f.board().highlighted(movable.front()));
        f.Drag(SquareOf("A8"), 0);  // a Black man while White is to move
        QCOMPARE(Shown(f.messages.back()), std::string("Error: White moves"));
    }

    void keyboardAloneMovesAndStepsThroughTheGame() {
        WindowFixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        ui::BoardView& board = f.board();
        board.setFocus(Qt::MouseFocusReason);  // a click shows no cursor, Tab or Shift+Tab does
        QCOMPARE(board.cursorSquare(), 0);
        for (Qt::FocusReason reason : {Qt::BacktabFocusReason, Qt::TabFocusReason}) {
            f.window->findChild<QLineEdit*>("CommentBox")->setFocus();
            board.setFocus(reason);
            QCOMPARE(SquareName(board.cursorSquare()), std::string("e4"));
        }
        // Escape puts a man taken up back: Space on the empty e2 then moves nothing.
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Escape,
                            Qt::Key_Up, Qt::Key_Space, Qt::Key_Down})
            QTest::keyClick(&board, key);
        QCOMPARE(f.game().gamePly, 0);
        f.controller().feedback().reachable = false;  // the option off: no squares marked
        QTest::keyClick(&board, Qt::Key_Space);
        QVERIFY(board.highlighted(SquareOf("E1")) && board.reachable().empty());
        QTest::keyClick(&board, Qt::Key_Escape);
        f.controller().feedback().reachable = true;
        QTest::keyClick(&board, Qt::Key_Space);
        QVERIFY(board.highlighted(SquareOf("E1")) && !board.reachable().empty());
        QTest::keyClick(&board, Qt::Key_Up);
        QCOMPARE(board.accessibleDescription(), QString("e2, empty"));  // for screen readers
        QTest::keyClick(&board, Qt::Key_Space);  // puts the man down: e1-e2 and the reply
        QTRY_COMPARE(f.game().gamePly, 2);
        QVERIFY(board.accessibleDescription() == "e2, white man" &&
                ui::SquareDescription(f.game().board, SquareOf("A8")) == "a8, black man");
        std::string path;  // Home, End, Left, Right, and Right at the edge
        for (Qt::Key key :
             {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right, Qt::Key_Right}) {
            QTest::keyClick(&board, key);
            path += SquareName(board.cursorSquare());
        }
        QCOMPARE(path, std::string("a2h2g2h2h2"));
        QCOMPARE(f.lines("GameMoveList")[0], QString("   1. e1-e2"));
        f.window->findChild<QLineEdit*>("CommentBox")->setFocus();  // the cursor goes with it
        QCOMPARE(board.cursorSquare(), 0);
        // Without the cursor the arrows, Home and End step through the game.
        QTest::keyClick(&board, Qt::Key_Escape);
        const std::pair<Qt::Key, int> steps[] = {
            {Qt::Key_Left, 1}, {Qt::Key_Home, 0}, {Qt::Key_End, 2}, {Qt::Key_Right, 2}};
        for (const auto& [key, ply] : steps) {
            QTest::keyClick(&board, key);
            QCOMPARE(f.game().gamePly, ply);
        }
        QTest::keyClick(&board, Qt::Key_Z, Qt::ControlModifier);  // the move and its reply
        QVERIFY(f.game().gamePly == 0 && f.text(D::FirstSideName) == "Player");
        for (const char* name : {"LegalMoveList", "AnalysisList"}) {
            QListWidget* list = f.list(name);
            list->setFocus();
            QTest::keyClick(list, Qt::Key_End);  // a list keeps End for its own lines
            QVERIFY(f.game().gamePly == 0 && list->currentRow() == list->count() - 1);
        }
        // The hint is on the board while its box is open.
        size_t hintShown = 0;
        f.window->messageHook = [&](const std::string&, const std::string& title, Icon,
                                    Buttons buttons) {
            if (title == "Hint") hintShown = board.hint().stops.size();
            return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        };
        f.action("Hint")->trigger();  // its search runs off the window's thread
        QTRY_VERIFY(hintShown >= 2 && !f.game().busy);
        QVERIFY(board.hint().empty());
    }

    void typedMovesAndClicksOnTheLists() {
        WindowFixture f;
        f.action("Pplayer")->trigger();
        f.Type(f.FirstLegalMove().toLower());
        QCOMPARE(f.window->findChild<QLineEdit*>("TypedMoveBox")->text(), QString());
        // The side to move: white on red, the other red on white; both names in bold, and the
        // variant's too.
        const auto background = [&](const char* name) {
            auto* label = f.window->findChild<QLabel*>(name);
            return label->font().bold() ? label->grab().toImage().pixelColor(1, 1) : QColor();
        };
        QCOMPARE(std::pair(background("FirstSideNameLabel"), background("SecondSideNameLabel")),
                 std::pair(QColor(Qt::white), QColor(Qt::red)));
        QVERIFY(f.window->findChild<QLabel*>("VariantName")->font().bold());
        for (int ply = 2; ply <= 3; ++ply)  // typed forms are the controller's to check
            f.Type(f.FirstLegalMove());
        // A click on the game list goes to that move; a double click on a legal move plays it.
        QListWidget* moves = f.list("GameMoveList");
        QTest::mouseClick(moves->viewport(), Qt::LeftButton, {},
                          moves->visualItemRect(moves->item(0)).center());
        QVERIFY(f.game().gamePly == 1 && moves->currentRow() == 0);
        QListWidget* legal = f.list("LegalMoveList");
        const QString line = legal->item(0)->text();
        const QPoint at = legal->visualItemRect(legal->item(0)).center();
        QTest::mouseClick(legal->viewport(), Qt::LeftButton, {}, at);  // as the mouse does it
        QTest::mouseDClick(legal->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(f.lines("GameMoveList") ==
                    QStringList({f.lines("GameMoveList")[0], "      " + line}) &&
                f.messages.empty());
        legal->setCurrentRow(0);  // Return plays the chosen line, the first one too
        QTest::keyClick(legal, Qt::Key_Return);
        QTRY_COMPARE(f.lines("GameMoveList").size(), 3);
    }

    void newVariantFromTheVariantDialog() {
        WindowFixture f;
        f.controller().SetupSquare(SquareOf("A8"), kWhiteMan);  // White's row first: 1 home
        f.controller().SetupPopupClosed();
        QCOMPARE(f.text(D::FirstHomeCount) + f.text(D::SecondHomeCount), std::string("10"));
        QString chosen;  // the ninth variant ("Black Begins") and OK start a game of it
        f.onDialog = [&](QDialog* dialog) {
            auto* combo = dialog->findChild<QComboBox*>("cboVariants");
            combo->setCurrentIndex(8);
            emit combo->activated(1);  // each variant's rules shown in the fields at once
            const QString orthogonal = dialog->findChild<QLineEdit*>("txtDirection0")->text();
            combo->setCurrentIndex(8);
            emit combo->activated(8);
            if (orthogonal == "N;E;S;W") chosen = combo->currentText();
            dialog->findChild<QPushButton*>("cmdOK")->click();
            return dialog->result();
        };
        f.window->findChild<QAction*>("tbrNewVariant")->trigger();
        QCOMPARE(int(f.controller().settings().Variant), 9);
        QVERIFY(f.text(D::VariantName) == chosen.toStdString() &&
                f.game().active.name == f.text(D::VariantName));
        f.controller().SetupSquare(SquareOf("A8"), kWhiteMan);  // Black's row first; White: 1 home
        f.controller().SetupPopupClosed();  // the counts stand right, one under the other
        QVERIFY(f.window->findChild<QLabel*>("SecondHomeCount")->y() ==
                    f.window->findChild<QLabel*>("SecondSideNameLabel")->y() &&
                f.text(D::FirstHomeCount) + f.text(D::SecondHomeCount) == "01" &&
                f.window->findChild<QLabel*>("SecondHomeCount")->alignment() & Qt::AlignRight);
    }

    void positionSetupFromThePopup() {
        WindowFixture f;
        f.SetupPopup(SquareOf("A8"), nullptr);
        QCOMPARE(f.popupChecked, QStringList({"mnu_PopUp_BlackChecker", "WhiteM"}));
        f.popupChecked.clear();  // released on another square: no popup
        const QPoint a8 = f.board().SquareRect(SquareOf("A8")).center();
        QTest::mousePress(&f.board(), Qt::RightButton, {}, a8);
        QTest::mouseRelease(&f.board(), Qt::RightButton, {},
                            a8 + QPoint(f.board().SquareRect(91).width(), 0));
        QTest::mousePress(&f.board(), Qt::RightButton, {}, a8);  // a release while busy still
        f.game().busy = true;                                    // ends the right click
        QTest::mouseRelease(&f.board(), Qt::RightButton, {}, a8);
        f.game().busy = false;
        QTest::mouseRelease(&f.board(), Qt::RightButton, {}, a8);  // no press of its own
        f.Hover(SquareOf("A1"));
        const QPoint g1 = f.board().SquareRect(SquareOf("G1")).center();
        QTest::mousePress(&f.board(), Qt::LeftButton, {}, g1);   // a right click inside a drag
        QTest::mousePress(&f.board(), Qt::RightButton, {}, g1);  // ends with the drop
        QTest::mouseRelease(&f.board(), Qt::LeftButton, {}, g1);
        QTest::mouseRelease(&f.board(), Qt::RightButton, {}, g1);
        QVERIFY(f.popupChecked.isEmpty());
        f.SetupPopup(SquareOf("C4"), "Whitechecker");  // an empty square takes a man too
        QCOMPARE(f.game().board[SquareOf("C4")], kWhiteMan);
        for (auto [item, side] :
             {std::pair("mnu_PopUp_BlackM", kBlack), std::pair("WhiteM", kWhite)}) {
            f.Hover(SquareOf("A1"));
            f.SetupPopup(SquareOf("C4"), item);
            QCOMPARE(f.game().side, side);
        }
        f.Hover(SquareOf("A1"));  // presses are ignored until the pointer moves again
        f.SetupPopup(SquareOf("C4"), "mnu_PopUp_ClearBoard");
        QCOMPARE(f.game().board[SquareOf("E1")], kEmpty);
        QCOMPARE(f.popupChecked.join(' '), QString("empty1 WhiteM Whitechecker WhiteM Whitechecker "
                                                   "mnu_PopUp_BlackM Whitechecker WhiteM"));
        // Jumps compulsory: Space on a man that may not move rings those that must, unless busy.
        for (const char* man : {"D4", "A1"})
            f.controller().SetupSquare(SquareOf(man), kWhiteMan);
        f.controller().SetupSquare(SquareOf("D5"), kBlackMan);
        f.game().active.flags[CapRequired] = 1;
        f.controller().SetupPopupClosed();
        f.board().setFocus();
        f.board().SetCursorSquare(SquareOf("A1"));
        for (bool busy : {true, false}) {
            f.game().busy = busy;
            QTest::keyClick(&f.board(), Qt::Key_Space);
            f.game().busy = false;
            QCOMPARE(f.board().mustMove(), busy ? std::vector<int>{} : std::vector{SquareOf("D4")});
        }
    }

    // A pipe as the log, window-state file or a picture never blocks; a non-UTF-8 folder works.
    void hostileFilesInTheDataFolder() {
        TempDir dir;
        const fs::path folder = dir / "caf\xe9";
        fs::create_directories(folder / "pieces");
        fs::copy(ShippedDataDir() / "pieces", folder / "pieces", fs::copy_options::recursive);
        fs::copy_file(ShippedDataDir() / "variants.ini", folder / "variants.ini");
        RecordingUi recorder;
        FakeClock clock;
        ScriptedRandom random;
        const auto start = [&] {
            auto window = std::make_unique<ui::frmMain>(clock, random, folder);
            window->messageHook = std::bind_front(&RecordingUi::Message, &recorder);
            window->StartUp();
            window->controller().settings().ConfirmExit = 0;
            return window;
        };
        const auto first = start();
        first->resize(first->size() - QSize(40, 30));  // the size comes back at the next start
        QVERIFY(first->close() && recorder.messages.empty() &&
                fs::is_regular_file(folder / "zelkor.log") &&
                fs::is_regular_file(folder / "zelkor-window.ini"));
        QCOMPARE(start()->size(), first->size());

        for (const char* name :
             {"zelkor.log", "zelkor-window.ini", "pieces/brownandblack/white.ico"}) {
            fs::remove(folder / name);
            QCOMPARE(mkfifo((folder / name).c_str(), 0600), 0);
        }
        const auto window = start();
        QVERIFY(!recorder.messages.empty() && Has(recorder.messages.back().text, "zelkor.log"));
        window->findChild<QAction*>("mnuBrownAndBlack")->trigger();
        QVERIFY(!window->board()->usingBitmaps() && window->close() &&
                fs::is_fifo(folder / "zelkor-window.ini"));
    }

    void optionsAndPieces() {
        WindowFixture f;
        // "Apply" shows the new level at once, and Cancel afterwards keeps it.
        std::string levelAfterApply;
        f.onDialog = [&](QDialog* dialog) {
            dialog->findChild<QCheckBox*>("Check1")->setChecked(true);
            dialog->findChild<QSlider*>("Slider4")->setValue(3);
            dialog->findChild<QSlider*>("Slider2")->setValue(10);
            dialog->findChild<QPushButton*>("cmdApply")->click();
            levelAfterApply = f.text(D::Strength);
            dialog->findChild<QPushButton*>("cmdCancel")->click();
            return dialog->result();
        };
        f.action("Options")->trigger();
        QCOMPARE(levelAfterApply, std::string("Strength: 10   Depth: 3 ply"));
        // The board's marks are options too, kept beside zelkor.ini; Reset, then OK: 1200.
        QVERIFY(f.controller().feedback().lastMove);
        f.controller().setRating(1500);
        f.onDialog = [&](QDialog* dialog) {
            dialog->findChild<QCheckBox*>("chkMarkLastMove")->setChecked(false);
            dialog->findChild<QCheckBox*>("chkExplainRefusals")->setChecked(false);
            dialog->findChild<QPushButton*>("Command1")->click();
            dialog->findChild<QPushButton*>("cmdOK")->click();
            return dialog->result();
        };
        f.action("Options")->trigger();
        QVERIFY(!f.controller().feedback().lastMove && f.controller().feedback().reachable &&
                !f.controller().feedback().reasons && f.controller().rating() == 1200);
        QCOMPARE(f.text(D::Strength), levelAfterApply);
        QTest::mouseDClick(f.window->findChild<QLabel*>("StrengthDisplay"), Qt::LeftButton);
        QCOMPARE(f.text(D::Strength), std::string("Strength: 10   Depth: 2 ply"));

        fs::copy(ShippedDataDir() / "pieces", f.dir / "pieces", fs::copy_options::recursive);
        f.window->findChild<QAction*>("mnuBrownAndBlack")->trigger();
        QVERIFY(f.board().usingBitmaps() && !f.action("mnuDefault")->isChecked() &&
                f.action("mnuBrownAndBlack")->isChecked() && f.window->close());
        ui::frmMain next(f.clock, f.random, f.dir.path());  // the next start uses them
        next.StartUp();
        QVERIFY(next.board()->usingBitmaps() && !next.controller().feedback().lastMove &&
                !next.findChild<QAction*>("mnuDefault")->isChecked());
        const std::string ini = ReadFile(f.dir / "zelkor.ini");
        QCOMPARE(std::count(ini.begin(), ini.end(), '\n'), 42);  // zelkor.ini keeps its lines
        next.findChild<QAction*>("mnuDefault")->trigger();
        QVERIFY(!next.board()->usingBitmaps() &&
                next.findChild<QAction*>("mnuDefault")->isChecked() &&
                !next.findChild<QAction*>("mnuBrownAndBlack")->isChecked() &&
                next.controller().settings().PieceSet == 0);  // kept for the next start
    }

    void savingAddsTheExtensionAsksItsOwnQuestionAndBoxesShowTheirTitle() {
        WindowFixture f;
        QCOMPARE(f.window->fileFolder(), QDir::currentPath());
        fs::create_directory(f.dir / "games");
        f.Type(f.FirstLegalMove());
        QVERIFY(f.WaitIdle());
        f.window->fileHook = [](bool, const std::string&) {
            return std::optional<std::string>("");
        };
        f.action("Save")->trigger();  // the dialog left without a name: nothing is saved
        QVERIFY(!f.window->windowTitle().contains(".zlk"));
        const fs::path first = f.dir / "games" / "first.zlk";  // typed without, then with ".zlk"
        f.window->fileHook = [&](bool save, const std::string&) {
            return std::optional<std::string>(
                save && !fs::exists(first) ? first.parent_path() / "first" : first);
        };
        f.action("Save")->trigger();
        QVERIFY(fs::exists(f.dir / "games" / "first.zlk"));
        QCOMPARE(f.window->fileFolder(), QString::fromStdString((f.dir / "games").string()));
        f.action("Save")->trigger();
        QVERIFY(f.messages.size() == 1 &&
                f.messages[0].text == "first.zlk already exists, overwrite?");
        f.action("Open1")->trigger();  // loaded again, with the usual cursor after it
        QVERIFY(f.window->windowTitle().contains("first.zlk") && !QApplication::overrideCursor());
        // A message box is wide enough for its whole title, a question's too.
        f.window->messageHook = nullptr;
        QList<int> widths;
        for (auto buttons : {zelkor::Buttons::Ok, zelkor::Buttons::YesNo}) {
            QTimer::singleShot(0, [&] {
                QWidget* box = QApplication::activeModalWidget();
                const QString title = box->windowTitle();  // given, and not cut
                widths << (title == "Congratulations, Confirmation"
                               ? box->width() - box->fontMetrics().horizontalAdvance(title)
                               : 0);
                box->close();
            });
            f.window->Message("Yes?", "Congratulations, Confirmation", zelkor::Icon::None, buttons);
        }
        QVERIFY(widths.size() == 2 && std::ranges::min(widths) > 100);
        f.window->fileHook = nullptr;  // the file dialog's filter in Qt's form; a name opened as is
        const std::string plain = (f.dir / "plain").string();
        WriteFile(plain, "");
        QStringList filters;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            filters = dialog->nameFilters();
            dialog->selectFile(QString::fromStdString(plain));
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog keeps its own protected
        });
        QVERIFY(f.window->AskOpenFile("Load", "Zelkor File (*.zlk)|*.zlk") == plain &&
                filters == QStringList({"Zelkor File (*.zlk)"}));
    }

    void rulesOnTheFirstStartTheManualAndTheIcon() {
        WindowFixture f;
        QStringList shown;
        QString manual;
        f.onDialog = [&](QDialog* dialog) {
            shown << dialog->metaObject()->className();
            if (auto* help = dialog->findChild<QLabel*>("lblHelp")) shown << help->text();
            if (auto* text = dialog->findChild<QTextBrowser*>("txtManual"))
                manual = dialog->objectName() + ": " + text->toPlainText();
            return int(QDialog::Accepted);
        };
        QVERIFY(IsFirstStart(f.dir.path()) && f.window->ShowRulesOnFirstStart());
        QCOMPARE(shown.first(), QString("zelkor::ui::frmRules"));
        QVERIFY(!f.window->ShowRulesOnFirstStart() && !IsFirstStart(f.dir.path()));  // marked
        f.controller().settings().BoardTurned = 1;
        f.action("Rules")->trigger();  // from the Help menu at any time, for the board as shown
        QVERIFY(shown.size() == 4 && shown[3].contains("White plays towards the bottom right"));
        // Help > Manual shows the shipped manual (Markdown); a missing one is named instead.
        QStringList help;
        for (QAction* a : f.window->findChild<QMenu*>("mnuHelp")->actions())
            help << a->text();
        QCOMPARE(help, QStringList({"Rules", "Manual", "About"}));
        f.action("mnuManual")->trigger();
        QVERIFY2(manual.startsWith("frmManual: The manual could not be read from "),
                 qPrintable(manual));
        QCOMPARE(ui::AppIcon().availableSizes(),
                 QList<QSize>(
                     {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    }

    // As it opens: shipped data, on screen, warnings, first-start rules; the whole board shown.
    void programWindowOpensWithTheWholeBoard() {
        TempDir dir;
        fs::copy_file(ShippedDataDir() / "variants.ini", dir / "variants.ini");
        const DataFolder data{.folder = dir.path(),
                              .shipped = ShippedDataDir(),
                              .warning = "The folder is read-only."};
        FakeClock clock;
        ScriptedRandom random;
        RecordingUi recorder;
        QStringList shown;
        QString manual;
        bool shownBeforeWarning = false;
        const auto window =
            ui::OpenProgramWindow(clock, random, data, dir.path(), QString(), [&](ui::frmMain& w) {
                w.messageHook = [&](const std::string& text, const std::string& title, Icon icon,
                                    Buttons buttons) {
                    shownBeforeWarning = w.isVisible();
                    return recorder.Message(text, title, icon, buttons);
                };
                w.dialogHook = [&](QDialog* dialog) {
                    shown << dialog->metaObject()->className();
                    if (auto* text = dialog->findChild<QTextBrowser*>("txtManual"))
                        manual = text->toPlainText();
                    return int(QDialog::Accepted);
                };
            });
        const QSize screen = window->screen()->availableGeometry().size();
        // 1100x720 leaves room for a title bar and a 40-pixel panel on a 1280x800 screen.
        QCOMPARE(window->size(), QSize(1100, 720).boundedTo(screen - QSize(0, 32)));
        QCOMPARE(Shown(recorder.messages.at(0)), std::string("Zelkor: The folder is read-only."));
        QVERIFY(shownBeforeWarning && recorder.messages.size() == 1 &&
                QGuiApplication::desktopFileName() == ZELKOR_APP_ID &&  // the desktop's names
                !QApplication::windowIcon().isNull() && window->LoadBitmapPieceSet() &&
                window->findChild<QListWidget*>("LegalMoveList")->count() > 0 &&
                window->findChild<QListWidget*>("LegalMoveList")->x() ==
                    window->findChild<QLabel*>("LegalMovesHeading")->x() &&
                window->findChild<QLabel*>("CalculationDisplay")->isVisible());
        QTRY_COMPARE(shown, QStringList{"zelkor::ui::frmRules"});
        window->findChild<QAction*>("mnuManual")->trigger();
        QVERIFY2(manual.startsWith("Zelkor manual\n") && manual.contains("How to play"),
                 qPrintable(manual));
        for (bool graph : {false, true}) {
            window->findChild<QAction*>("mnuScoreGraph")->setChecked(graph);
            QApplication::processEvents();
            const ui::BoardView& board = *window->board();
            QVERIFY(window->height() <= 720 && window->minimumSizeHint().height() <= 720 &&
                    board.rect().contains(board.SquareRect(SquareOf("A1")) |
                                          board.SquareRect(SquareOf("H8"))));
            QVERIFY2(board.squareSize() >= 48, qPrintable(QString::number(board.squareSize())));
        }
        // A long calculation wraps in the panel: six lines and more.
        auto* calculation = window->findChild<QLabel*>("CalculationDisplay");
        calculation->setText(QString("a7xc5 ").repeated(120));
        QApplication::processEvents();
        QVERIFY(calculation->height() >= 6 * calculation->fontMetrics().lineSpacing());
        // At the smallest size the board keeps the larger share and legible coordinates.
        window->resize(1, 1);
        QApplication::processEvents();
        const auto* panel = window->findChild<QWidget*>("SidePanel");
        const ui::BoardView& board = *window->board();
        QVERIFY2(board.squareSize() * 8 > panel->width(),
                 qPrintable(QString("%1 %2").arg(board.squareSize()).arg(panel->width())));
        QFont coordinates = board.font();
        coordinates.setPixelSize(board.coordinateSize());
        QVERIFY(QFontMetrics(coordinates).capHeight() >= 9);
    }

    void scoreGraphFollowsTheGameAndNavigation() {
        WindowFixture f;
        auto* graph = f.window->scoreGraph();
        QVERIFY(!graph->isVisible());  // until it is asked for
        f.action("mnuScoreGraph")->trigger();
        QVERIFY(graph->isVisible() && graph->data().points.empty());
        for (int i = 0; i < 4; ++i) {
            const QString move = f.FirstLegalMove();
            f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
            QTRY_COMPARE(f.game().gamePly, 2 * (i + 1));
        }
        for (int back = 0; back < 2; ++back)
            f.action("Moveback")->trigger();
        const ScoreGraphData data = graph->data();
        QCOMPARE(std::tuple(int(data.points.size()), data.currentPly), std::tuple(4, 6));
        // A click on the graph shows the position after the ply under the pointer.
        const QPointF third = graph->PointAt(3, 0, data);
        QTest::mouseClick(graph, Qt::LeftButton, {}, third.toPoint());
        QVERIFY(f.game().gamePly == 3 && f.list("GameMoveList")->currentRow() == 2);
        QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(graph->width() - 2, 5));
        QCOMPARE(f.game().gamePly, 8);  // beyond the last ply: the last
    }

    void closingDuringASearchCancelsItAndEndsCleanly() {
        WindowFixture f;
        f.controller().settings().SearchDepth = 20;
        bool checkedDuringRun = false;
        QTimer timer;  // fires from the event loop, which runs on while the computer thinks
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!f.game().busy || checkedDuringRun) return;
            checkedDuringRun =
                f.action("mnu_Play_Ccomputer")->isChecked() && !f.action("Cplayer")->isChecked();
            f.window->close();
        });
        timer.start(0);
        f.window->findChild<QAction*>("tbrComputerComputer")->trigger();
        QTRY_VERIFY(checkedDuringRun && !f.window->isVisible());
        QVERIFY(f.list("GameMoveList")->count() == 1 && f.controller().shutDown() &&
                fs::exists(f.dir / "zelkor.ini"));
    }

    void closingWhileADialogIsOpen() {
        WindowFixture options;  // the options' changes are kept
        options.onDialog = [&](QDialog* dialog) {
            options.controller().settings().Handicap = 3;  // as the dialog's OK would store it
            options.window->close();
            dialog->accept();
            return int(QDialog::Accepted);
        };
        options.action("Options")->trigger();
        QCoreApplication::processEvents();
        QVERIFY(!options.window->isVisible() && options.controller().shutDown());
        Settings written;
        QVERIFY(ReadSettings(written, options.dir.path()).status == SettingsReadStatus::Read &&
                written.Handicap == 3);

        WindowFixture stay;  // a close refused at the question is not tried again later
        stay.controller().settings().ConfirmExit = 1;
        stay.answers = {Answer::No};
        stay.onDialog = [&](QDialog*) { return stay.window->close(), int(QDialog::Rejected); };
        stay.action("Options")->trigger();
        QCoreApplication::processEvents();
        stay.onDialog = nullptr;
        stay.action("Options")->trigger();
        QCoreApplication::processEvents();
        QDialog secondary(stay.window.get());  // a fault closes every window but the main one
        secondary.show();
        stay.window->CloseSecondaryWindows();
        QVERIFY(stay.window->isVisible() && stay.messages.size() == 1 && !secondary.isVisible());
    }

    void shadesFollowTheHomeListsAndHomeCounts() {
        const HomeSquares rules = DefaultRules().home;
        QVERIFY(std::tuple(HomeCategory(rules, 91), HomeCategory(rules, 28),
                           HomeCategory(rules, 44)) == std::tuple(0, 1, 2));
        BoardFixture f;  // the shades themselves are pinned with the board's picture below
        // The view shows the position of its last redraw, not the live board.
        f.game->board[91] = kWhiteMan;
        QCOMPARE(f.At(91), f.At(91, {3, 3}));
        f.view.Redraw();  // the camp's shade shows around the man
        QVERIFY(f.At(91, {3, 3}) == f.At(92, {3, 3}) && f.At(91) != f.At(92));
        f.game->board[92] = kWhiteMan;
        f.game->board[93] = kBlackMan;  // on White's home, counts for nobody
        f.game->board[28] = kBlackMan;
        QCOMPARE(HomeCount(*f.game, 0) * 10 + HomeCount(*f.game, 1), 21);
    }

    void pointerGeometry() {
        BoardFixture f(500, 400);
        const QRect a8 = f.view.SquareRect(91), h1 = f.view.SquareRect(28);
        const std::pair<QPoint, int> points[] = {{a8.center(), 91},
                                                 {h1.bottomRight(), 28},
                                                 {a8.topLeft() - QPoint(1, 1), 0},
                                                 {a8.topLeft() + QPoint(-1, 5), 0},
                                                 {h1.bottomRight() + QPoint(1, 0), 0},
                                                 {QPoint(h1.right() + 1, a8.center().y()), 0}};
        for (auto [point, square] : points)
            QCOMPARE(f.view.SquareAt(point), square);
        for (bool turned : {false, true})  // the 64 places are the squares, either way up
            for (int index = -1; index <= 64; ++index) {
                const int square = SquareOfDisplayIndex(index, turned);
                QCOMPARE(index < 0 || index > 63 ? square : DisplayIndexOf(square, turned),
                         index < 0 || index > 63 ? 0 : index);
            }
    }

    void bitmapPieceSetAndBuiltInPictures() {
        BoardFixture f;
        const std::filesystem::path shipped = test::ShippedDataDir() / "pieces" / "brownandblack";
        QVERIFY(f.view.LoadBitmapPieceSet(shipped) && f.view.usingBitmaps());
        f.game->board[44] = kBlackMan;  // drawn from the set's pictures, then built in (below)
        f.view.Redraw();
        QVERIFY(f.At(44).lightness() < 100 && f.At(45).lightness() > 100);
        const QImage white = f.view.PieceCursor(kWhiteMan).pixmap().toImage();
        const QImage black = f.view.PieceCursor(kBlackMan).pixmap().toImage();
        const QPoint middle(white.width() / 2, white.height() / 2);
        QVERIFY(white.pixelColor(middle).lightness() > black.pixelColor(middle).lightness() + 60);
        for (int man : {kWhiteMan, kBlackMan}) {  // the man's picture under the pointer
            f.game->board[44] = man;
            f.view.Redraw();
            f.view.ShowDragged(44, f.view.SquareRect(45).center());
            QCOMPARE(f.At(45).lightness() < 100, man == kBlackMan);
            f.view.ClearDragged();
        }
        f.view.UseDefaultPieces();
        QVERIFY(!f.view.usingBitmaps());
        // A set missing a file or with an unreadable picture is refused.
        test::TempDir dir;
        for (const auto& entry : std::filesystem::directory_iterator(shipped))
            std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
        std::filesystem::remove(dir / "black.ico");
        QVERIFY(!f.view.LoadBitmapPieceSet(dir.path()) && !f.view.usingBitmaps());
        std::filesystem::copy(shipped / "black.ico", dir / "black.ico");
        test::WriteFile(dir / "msquare.bmp", "not a picture");
        QVERIFY(!f.view.LoadBitmapPieceSet(dir.path()));

        // The built-in man is drawn at full resolution: its centre dark, its rim sharp.
        for (int size : {240, 900}) {
            f.view.resize(size, size);
            f.view.Redraw();
            QVERIFY(f.At(44).lightness() < 100 && f.At(44, {2, 2}).lightness() > 100);
        }
    }

    // Board (men, camps, marks, hint, rings; plain and turned) and score graph drawn as approved.
    void boardAndGraphAreDrawnAsApproved() {
        BoardFixture f(480, 440);
        for (auto [square, man] : {std::pair(91, kWhiteMan), std::pair(55, kWhiteMan),
                                   std::pair(44, kBlackMan), std::pair(28, kBlackMan)})
            f.game->board[square] = man;
        const BoardFeedback feedback;  // and the last move's route, e3-e4
        f.view.SetFeedback(&feedback);
        std::tie(f.game->gamePly, f.game->gameRecord[1]) = std::tuple(1, Move{45, 55, 0, 0});
        QStringList sums;
        // Plain, turned (its letters and digits the other way), without coordinates.
        for (auto [turned, notation] : {std::pair(0, 0), std::pair(1, 0), std::pair(0, 1)}) {
            std::tie(f.settings.BoardTurned, f.settings.Notation) = std::tuple(turned, notation);
            f.view.Redraw();
            const QImage plain = f.view.grab().toImage();
            f.view.HighlightSquare(91);
            f.view.HighlightSquare(46);
            f.view.ShowMustMove({55});
            f.view.ShowHint(MoveRoute{{44, 46}, {}});
            f.view.SetCursorSquare(64);  // and the keyboard's cursor, until it goes
            sums << test::SumText(test::PictureSum(f.view.grab().toImage()));
            f.view.SetCursorSquare(0);
            f.view.Redraw();  // the marks, the hint and the rings last until the next redraw
            QCOMPARE(f.view.grab().toImage(), plain);
        }
        SearchState search;
        f.game->recordLength = f.game->gamePly = 6;
        for (int ply = 1; ply <= 6; ++ply) {
            MoveTextRow& row = f.game->moveTexts[(ply + 1) / 2];
            (ply % 2 ? row.firstBy : row.secondBy).assign(1, ply == 4 ? '0' : '1');
            search.scoreHistory[ply] = static_cast<int16_t>(ply % 2 ? 40 * ply : -150);
        }
        search.scoreHistory[5] = 31500;  // a win, at the edge whatever the range,
        search.scoreHistory[2] = 31500;  // and one for Black at the other
        f.game->gamePly = 1;
        ScoreGraphView graph(*f.game, search);
        graph.resize(320, 120);
        sums << test::SumText(test::PictureSum(graph.grab().toImage()));
        QCOMPARE(sums.join(' '),
                 QString("796ecd9df2e7623f 1d1d1a9085099624 5d36fe1590031a5d 1b9efeae9a2326e1"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
