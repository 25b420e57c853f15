// The main window over the real game: its menus and toolbar, moves made on the board and
// typed, every rejection message, navigation, the new-game question, position set-up,
// the options dialog and a picture of a game in progress.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <cstdlib>

#include "ui/options_dialog.h"
#include "window_fixture.h"

using namespace zelkor;
using namespace zelkor::test;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void menusHoldEveryCommand() {
        WindowFixture f;
        QCOMPARE(f.window->objectName(), QString("frmMain"));
        QStringList menus;
        for (QAction* a : f.window->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"&Game", "&Play", "&Board", "&View", "&Help"}));
        for (const ui::CommandEntry& entry : ui::CommandTable()) {
            QAction* a = f.action(entry.menuName);
            QVERIFY2(a, entry.menuName);
            QCOMPARE(a->text(), QString(entry.caption));
            QCOMPARE(a->shortcut(), QKeySequence(entry.shortcut));
        }
        QCOMPARE(f.action("Compute")->shortcut(), QKeySequence("Ctrl+C"));
        QCOMPARE(f.action("Rules")->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(!f.action("mnu_Play_Cancel")->isEnabled());
        QVERIFY(f.action("Cplayer")->isChecked());
        QVERIFY(!f.action("Pplayer")->isChecked());
        QVERIFY(f.action("mnu_Board_Notation_Chess")->isChecked());
        QVERIFY(f.action("mnuDefault")->isChecked());
        QVERIFY(f.action("calculation")->isChecked());
    }

    void toolbarHasItsTwentySevenButtons() {
        WindowFixture f;
        auto* bar = f.window->findChild<QToolBar*>("Toolbar1");
        QVERIFY(bar);
        const QList<QAction*> actions = bar->actions();
        QCOMPARE(actions.size(), 27);
        const auto& keys = ui::ToolbarKeys();
        for (int i = 0; i < 27; ++i) {
            QCOMPARE(actions[i]->property("index").toInt(), i + 1);
            QCOMPARE(actions[i]->isSeparator(), *keys[i] == '\0');
            if (*keys[i]) QCOMPARE(actions[i]->property("key").toString(), QString(keys[i]));
        }
        QCOMPARE(actions[7]->toolTip(), QString("Cancel Computing"));
        QCOMPARE(actions[9]->toolTip(), QString("Back to First Move"));
        QCOMPARE(actions[18]->toolTip(), QString("Computer-Player"));
        QVERIFY(actions[18]->isCheckable() && actions[18]->isChecked());
        QVERIFY(!actions[7]->isEnabled());
        auto* save = f.window->findChild<QToolButton*>("tbrSaveButton");
        QVERIFY(save && save->menu());
        QCOMPARE(save->menu()->actions().value(0)->text(), QString("Save As..."));
        QCOMPARE(save->toolTip(), QString("Save"));

        // The toolbar dispatches on the key.
        const int turned = f.controller().settings().BoardTurned;
        f.window->findChild<QAction*>("tbrTurnBoard")->trigger();
        QCOMPARE(f.controller().settings().BoardTurned, 1 - turned);
        f.window->findChild<QAction*>("tbrPlayerPlayer")->trigger();
        QVERIFY(f.action("Pplayer")->isChecked());
        QVERIFY(actions[19]->isChecked());
        QVERIFY(!actions[18]->isChecked());
        QCOMPARE(f.text(zelkor::Display::Status), std::string("Player-Player mode"));
    }

    void startUpShowsTheGame() {
        WindowFixture f;
        QCOMPARE(f.text(zelkor::Display::VariantName), std::string("Halma"));
        QCOMPARE(f.text(zelkor::Display::FirstSideColour), std::string("White"));
        QCOMPARE(f.text(zelkor::Display::FirstSideName), std::string("Player"));
        QCOMPARE(f.text(zelkor::Display::SecondSideName), std::string("Computer"));
        auto* first = f.window->findChild<QLabel*>("FirstSideNameLabel");
        QVERIFY(first->styleSheet().contains("background: rgb(255,0,0)"));
        QVERIFY(f.list("LegalMoveList")->count() > 0);
        QCOMPARE(f.list("GameMoveList")->count(), 0);
        QCOMPARE(f.text(zelkor::Display::Status), std::string("White moves"));
        QCOMPARE(f.text(zelkor::Display::Calculation), std::string("no calculation"));
        QCOMPARE(f.text(zelkor::Display::FirstHomeCount), std::string("0"));
        QCOMPARE(f.window->findChild<QLabel*>("AnalysisHeading")->text(),
                 QString("      moves    score   depth    main"));
    }

    void humanMoveOnTheBoardAndTheComputersReply() {
        WindowFixture f;
        const QString move = f.FirstLegalMove();
        f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
        QTRY_COMPARE(f.list("GameMoveList")->count(), 2);
        QVERIFY(f.messages.empty());
        const QStringList lines = f.lines("GameMoveList");
        QCOMPARE(lines[0], "   1. " + move.left(2).toLower() + "-" + move.mid(2).toLower());
        QVERIFY(lines[1].startsWith("      "));
        QCOMPARE(f.game().gamePly, 2);
        QVERIFY(!f.game().busy);
        QVERIFY(!f.action("mnu_Play_Cancel")->isEnabled());
        QVERIFY(f.action("Compute")->isEnabled());
        QVERIFY(f.action("Moveback")->isEnabled());
        QVERIFY(!f.action("MoveForward")->isEnabled());
        QCOMPARE(f.text(zelkor::Display::FirstSideName), std::string("Player"));
    }

    void typedMovesInEveryForm() {
        WindowFixture f;
        f.action("Pplayer")->trigger();
        const QString first = f.FirstLegalMove();
        f.Type(first.toLower());
        QCOMPARE(f.list("GameMoveList")->count(), 1);
        QCOMPARE(f.window->findChild<QLineEdit*>("TypedMoveBox")->text(), QString());
        QCOMPARE(f.text(zelkor::Display::Status), std::string("Player-Player mode"));
        const QString second = f.FirstLegalMove();
        f.Type(second.left(2) + "-" + second.mid(2).toLower());
        QCOMPARE(f.list("GameMoveList")->count(), 2);
        QCOMPARE(f.lines("GameMoveList")[1].trimmed(),
                 second.left(2).toLower() + "-" + second.mid(2).toLower());
        QVERIFY(f.messages.empty());
    }

    void aGameTypedIntoTheMoveBoxAsTheComputerReplies() {
        WindowFixture f;
        auto* typed = f.window->findChild<QLineEdit*>("TypedMoveBox");
        // The keys go wherever the focus is; it must come back to the move box each time.
        for (int move = 1; move <= 6; ++move) {
            QCOMPARE(f.window->focusWidget(), typed);
            QTest::keyClicks(f.window->focusWidget(), f.FirstLegalMove().toLower());
            QTest::keyClick(f.window->focusWidget(), Qt::Key_Return);
            QCOMPARE(f.game().gamePly, 2 * move);
        }
        f.action("Moveback")->trigger();
        f.action("MoveForward")->trigger();
        QCOMPARE(f.window->focusWidget(), typed);
        QCOMPARE(f.window->findChild<QLineEdit*>("CommentBox")->text(), QString());
        QVERIFY(f.messages.empty());
    }

    void commandKeysWinInTheTextBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::newRow("move box") << "TypedMoveBox";
        QTest::newRow("comment box") << "CommentBox";
    }
    void commandKeysWinInTheTextBoxes() {
        QFETCH(QString, box);
        WindowFixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        auto* edit = f.window->findChild<QLineEdit*>(box);
        edit->setFocus();
        QTest::keyClicks(edit, "ab");
        auto pressed = [&](const char* action, Qt::Key key) {
            QSignalSpy spy(f.action(action), &QAction::triggered);
            QTest::keyClick(edit, key, Qt::ControlModifier);
            return spy.count();
        };
        QCOMPARE(pressed("Compute", Qt::Key_C), 1);
        QCOMPARE(f.game().gamePly, 1);
        QCOMPARE(pressed("Analyze", Qt::Key_A), 1);
        QVERIFY(f.list("AnalysisList")->count() > 0);
        int dialogs = 0;
        f.onDialog = [&](QDialog*) { return ++dialogs, int(QDialog::Rejected); };
        QCOMPARE(pressed("NewVariant", Qt::Key_V), 1);
        QCOMPARE(dialogs, 1);
        f.action("mnu_Play_Cancel")->setEnabled(true);  // as during a computation
        QCOMPARE(pressed("mnu_Play_Cancel", Qt::Key_E), 1);
        if (edit->objectName() == "CommentBox") {
            // The user's selected text is still copied, cut and replaced by a paste.
            edit->setText("good");
            edit->selectAll();
            QCOMPARE(pressed("Compute", Qt::Key_C), 0);
            QCOMPARE(pressed("Exit", Qt::Key_X), 0);
            QCOMPARE(edit->text(), QString());
            QTest::keyClicks(edit, "ok");
            edit->selectAll();
            QCOMPARE(pressed("NewVariant", Qt::Key_V), 0);
        }
        QCOMPARE(pressed("Exit", Qt::Key_X), 1);
        QVERIFY(!f.window->isVisible());
    }

    void rejectedMovesShowTheirMessages() {
        WindowFixture f;
        f.action("Pplayer")->trigger();
        // A block of white men in the corner: the one in a1 cannot move.
        Board& board = f.game().board;
        for (int square : kPlayingSquares)
            board[square] = kEmpty;
        for (const char* name : {"A1", "B1", "C1", "A2", "B2", "C2", "A3", "B3", "C3"})
            board[SquareOf(name)] = kWhiteMan;
        board[SquareOf("H8")] = kBlackMan;
        f.window->RedrawBoard();
        const std::vector<int> movable = f.controller().MovableSquares();
        int black = 0, stuck = 0, other = 0;
        for (int square : kPlayingSquares) {
            const int man = f.game().board[square];
            if (man == kBlackMan && !black) black = square;
            const bool canMove = std::find(movable.begin(), movable.end(), square) != movable.end();
            if (man == kWhiteMan && !canMove && !stuck) stuck = square;
        }
        QVERIFY(black && stuck);
        f.Drag(black, 0);
        QCOMPARE(f.messages.size(), size_t(1));
        QCOMPARE(f.messages[0].text, std::string("White moves"));
        QCOMPARE(f.messages[0].title, std::string("Error"));
        QVERIFY(f.messages[0].icon == Icon::Exclamation);
        f.Drag(stuck, 0);
        QCOMPARE(f.messages.back().text, std::string("You cannot move that piece"));

        // A drop on an occupied square with no move there, and on an unreachable empty one.
        const int from = movable.front();
        for (int square : kPlayingSquares)
            if (square != from && f.game().board[square] == kWhiteMan) other = square;
        f.Drag(from, other);
        QCOMPARE(f.messages.back().text, std::string("Illegal move: that square is not empty"));
        QCOMPARE(f.messages.back().title, std::string("Error"));
        const int far = SquareOf("H1");
        QCOMPARE(f.game().board[far], kEmpty);
        f.Drag(from, far);
        QCOMPARE(f.messages.back().text, std::string("Illegal move"));
        const size_t shown = f.messages.size();
        // Off the board or back home: the drag is cancelled silently.
        f.Drag(from, 0);
        f.Drag(from, from);
        QCOMPARE(f.messages.size(), shown);
        // Typed texts that are no legal move.
        for (const char* text : {"abc", "A1A2", "zz99"}) {
            f.Type(text);
            QCOMPARE(f.messages.back().text, std::string("Illegal move"));
            QVERIFY(f.window->findChild<QLineEdit*>("TypedMoveBox")->isEnabled());
        }
        QCOMPARE(f.list("GameMoveList")->count(), 0);
        QCOMPARE(f.game().gamePly, 0);
    }

    void dragShowsThePieceCursorAndTheMovablePieces() {
        WindowFixture f;
        f.controller().settings().ShowMoves = 1;
        const std::vector<int> movable = f.controller().MovableSquares();
        const int from = movable.front();
        const QPoint start = f.board().SquareRect(from).center();
        f.Hover(start);
        for (int square : movable)
            QVERIFY(f.board().highlighted(square));
        QTest::mousePress(&f.board(), Qt::LeftButton, {}, start);
        QTest::mouseMove(&f.board(), start + QPoint(3, 3));
        QCOMPARE(f.board().cursor().shape(), Qt::BitmapCursor);
        // The man's picture follows the pointer; its square shows empty meanwhile.
        const QPoint middle = f.board().SquareRect(SquareOf("D5")).center();
        QTest::mouseMove(&f.board(), middle);
        const QImage shown = f.board().grab().toImage();
        QVERIFY(shown.pixelColor(middle).blue() > 200);  // a white man on a brown square
        QVERIFY(shown.pixelColor(start).blue() < 170);
        // Back on its own square: cancelled silently, the normal cursor returns.
        QTest::mouseRelease(&f.board(), Qt::LeftButton, {}, start);
        QCOMPARE(f.board().cursor().shape(), Qt::ArrowCursor);
        QVERIFY(f.messages.empty());
        QCOMPARE(f.game().gamePly, 0);
        QVERIFY(!f.board().highlighted(from));
    }

    void commentsFollowTheirMove() {
        WindowFixture f;
        f.action("Pplayer")->trigger();
        auto* comment = f.window->findChild<QLineEdit*>("CommentBox");
        f.Type(f.FirstLegalMove());
        QTest::keyClicks(comment, "good start");
        f.Type(f.FirstLegalMove());
        QCOMPARE(comment->text(), QString());
        f.action("Moveback")->trigger();
        QCOMPARE(comment->text(), QString("good start"));
        f.action("MoveForward")->trigger();
        QCOMPARE(comment->text(), QString());
    }

    void navigationThroughTheGame() {
        WindowFixture f;
        f.action("Pplayer")->trigger();
        for (int i = 0; i < 3; ++i)
            f.Type(f.FirstLegalMove());
        QCOMPARE(f.list("GameMoveList")->count(), 3);
        f.action("Moveback")->trigger();
        QCOMPARE(f.game().gamePly, 2);
        QVERIFY(f.action("MoveForward")->isEnabled());
        QVERIFY(f.action("Last")->isEnabled());
        QCOMPARE(f.list("GameMoveList")->count(), 3);
        f.action("First")->trigger();
        QCOMPARE(f.game().gamePly, 0);
        QVERIFY(!f.action("First")->isEnabled());
        QVERIFY(!f.action("Moveback")->isEnabled());
        f.window->findChild<QAction*>("tbrLast")->trigger();
        QCOMPARE(f.game().gamePly, 3);
        QVERIFY(!f.action("MoveForward")->isEnabled());
        // A click on a line of the game list goes to the position after that move.
        QListWidget* moves = f.list("GameMoveList");
        const QRect line0 = moves->visualItemRect(moves->item(0));
        QTest::mouseClick(moves->viewport(), Qt::LeftButton, {}, line0.center());
        QCOMPARE(f.game().gamePly, 1);
        QCOMPARE(moves->currentRow(), 0);
        f.action("MoveForward")->trigger();
        QCOMPARE(f.game().gamePly, 2);
        // A new move away from the end cuts the record.
        f.Type(f.FirstLegalMove());
        QCOMPARE(f.list("GameMoveList")->count(), 3);
        QVERIFY(!f.action("MoveForward")->isEnabled());
        QVERIFY(!f.action("Last")->isEnabled());
        // In Player-Player mode the names stay when going back.
        f.action("Moveback")->trigger();
        QCOMPARE(f.text(zelkor::Display::FirstSideName), std::string("Player"));
        QCOMPARE(f.text(zelkor::Display::SecondSideName), std::string("Player"));
    }

    void legalMoveListDoubleClickPlaysTheMove() {
        WindowFixture f;
        f.action("Pplayer")->trigger();
        QListWidget* legal = f.list("LegalMoveList");
        const QString line = legal->item(0)->text();
        const QRect rect = legal->visualItemRect(legal->item(0));
        WindowFixture::DoubleClick(legal->viewport(), rect.center());
        QCOMPARE(f.list("GameMoveList")->count(), 1);
        QCOMPARE(f.lines("GameMoveList")[0], "   1. " + line);
    }

    void newGameAsksOnlyWhenAGameIsRunning() {
        WindowFixture f;
        f.action("New1")->trigger();
        QVERIFY(f.messages.empty());
        f.action("Pplayer")->trigger();
        f.Type(f.FirstLegalMove());
        f.answers = {Answer::No};
        f.action("New1")->trigger();
        QCOMPARE(f.messages.size(), size_t(1));
        QCOMPARE(f.messages[0].text, std::string("Quit current game?"));
        QCOMPARE(f.messages[0].title, std::string("Confirmation"));
        QVERIFY(f.messages[0].icon == Icon::Question);
        QVERIFY(f.messages[0].buttons == Buttons::YesNo);
        QCOMPARE(f.list("GameMoveList")->count(), 1);
        f.window->findChild<QAction*>("tbrNewGame")->trigger();  // answered Yes
        QCOMPARE(f.list("GameMoveList")->count(), 0);
        QCOMPARE(f.game().gamePly, 0);
    }

    void newVariantShowsTheVariantDialog() {
        WindowFixture f;
        QString title;
        int count = 0;
        f.onDialog = [&](QDialog* dialog) {
            title = dialog->windowTitle();
            auto* combo = dialog->findChild<QComboBox*>("cboVariants");
            count = combo ? combo->count() : 0;
            return int(QDialog::Rejected);
        };
        f.action("NewVariant")->trigger();
        QCOMPARE(title, QString("Variants"));
        QVERIFY(count > 1);

        // Choosing the second variant and OK starts a game of it.
        QString chosen;
        f.onDialog = [&](QDialog* dialog) {
            auto* combo = dialog->findChild<QComboBox*>("cboVariants");
            combo->setCurrentIndex(1);
            emit combo->activated(1);
            chosen = combo->currentText();
            dialog->findChild<QPushButton*>("cmdOK")->click();
            return dialog->result();
        };
        f.window->findChild<QAction*>("tbrNewVariant")->trigger();
        QCOMPARE(int(f.controller().settings().Variant), 2);
        QCOMPARE(QString::fromStdString(f.text(zelkor::Display::VariantName)), chosen);
        QCOMPARE(f.game().active.name, chosen.toStdString());
    }

    void positionSetupFromThePopup() {
        WindowFixture f;
        // Closing the popup without a choice before any set-up changes nothing.
        const Board before = f.game().board;
        f.SetupPopup(SquareOf("E1"), nullptr);
        QVERIFY(f.game().board == before);
        QVERIFY(!f.controller().setupMode());

        // Replacing a piece: a black man on a white man's square.
        f.SetupPopup(SquareOf("E1"), "mnu_PopUp_BlackChecker");
        QCOMPARE(f.game().board[SquareOf("E1")], kBlackMan);
        QVERIFY(QString::fromStdString(f.text(zelkor::Display::VariantName)).endsWith(" (M)"));
        QCOMPARE(f.list("GameMoveList")->count(), 0);
        QVERIFY(!f.action("First")->isEnabled());
        QVERIFY(!f.action("Moveback")->isEnabled());

        // Presses are ignored until the pointer moves over the board again.
        f.Hover(SquareOf("A1"));
        f.SetupPopup(SquareOf("C4"), "Whitechecker");  // an empty square takes a man too
        QCOMPARE(f.game().board[SquareOf("C4")], kWhiteMan);

        f.Hover(SquareOf("A1"));
        f.SetupPopup(SquareOf("C4"), "mnu_PopUp_ClearBoard");
        f.Hover(SquareOf("A1"));
        f.SetupPopup(SquareOf("C4"), "WhiteM");
        for (int square : kPlayingSquares)
            QCOMPARE(f.game().board[square], kEmpty);
        QCOMPARE(f.game().side, kWhite);
        QCOMPARE(f.text(zelkor::Display::Status), std::string("White moves"));
    }

    void setupPopupShowsTheSquaresContent() {
        WindowFixture f;
        QStringList checked;
        f.window->popupHook = [&](QMenu* menu) -> QAction* {
            for (QAction* a : menu->actions())
                if (a->isChecked()) checked << a->objectName();
            return nullptr;
        };
        const QPoint point = f.board().SquareRect(SquareOf("A8")).center();
        QTest::mousePress(&f.board(), Qt::RightButton, {}, point);
        QTest::mouseRelease(&f.board(), Qt::RightButton, {}, point);
        QCOMPARE(checked, QStringList({"mnu_PopUp_BlackChecker", "WhiteM"}));
        // Released on another square: no popup.
        checked.clear();
        QTest::mousePress(&f.board(), Qt::RightButton, {}, point);
        QTest::mouseRelease(&f.board(), Qt::RightButton, {},
                            f.board().SquareRect(SquareOf("B8")).center());
        QVERIFY(checked.isEmpty());
        // A right release while the program is busy still ends the right click, so that
        // the board takes presses again.
        QTest::mousePress(&f.board(), Qt::RightButton, {}, point);
        f.game().busy = true;
        QTest::mouseRelease(&f.board(), Qt::RightButton, {}, point);
        f.game().busy = false;
        QVERIFY(checked.isEmpty());
        const QString move = f.FirstLegalMove();
        f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
        QCOMPARE(f.game().gamePly, 2);
    }

    void optionsDialogUpdatesTheWindow() {
        WindowFixture f;
        f.onDialog = [](QDialog* dialog) {
            dialog->findChild<QCheckBox*>("Check1")->setChecked(true);
            dialog->findChild<QSlider*>("Slider4")->setValue(3);
            dialog->findChild<QSlider*>("Slider2")->setValue(10);
            dialog->findChild<QPushButton*>("cmdOK")->click();
            return dialog->result();
        };
        f.action("Options")->trigger();
        QCOMPARE(f.controller().settings().SearchDepth, 3);
        QCOMPARE(f.text(zelkor::Display::Strength), std::string("Strength: 10   Depth: 3 ply"));
        // Double-clicks on the strength display lower the depth, never below 1.
        auto* strength = f.window->findChild<QLabel*>("StrengthDisplay");
        for (int i = 0; i < 4; ++i)
            QTest::mouseDClick(strength, Qt::LeftButton);
        QCOMPARE(f.controller().settings().SearchDepth, 1);
        QCOMPARE(f.text(zelkor::Display::Strength), std::string("Strength: 10   Depth: 1 ply"));
        // "Apply" shows the new level at once; "Reset" of the rating survives Cancel.
        f.controller().setRating(1500);
        QString shownValue;
        std::string levelAfterApply;
        f.onDialog = [&](QDialog* dialog) {
            dialog->show();
            QTest::keyClick(dialog->findChild<QSlider*>("Slider4"), Qt::Key_Right);
            shownValue = dialog->findChild<QLabel*>("Slider4Value")->text();
            dialog->findChild<QPushButton*>("cmdApply")->click();
            levelAfterApply = f.text(zelkor::Display::Strength);
            dialog->findChild<QPushButton*>("Command1")->click();
            dialog->findChild<QPushButton*>("cmdCancel")->click();
            return dialog->result();
        };
        f.action("Options")->trigger();
        QCOMPARE(shownValue, QString("2 ply"));
        QCOMPARE(levelAfterApply, std::string("Strength: 10   Depth: 2 ply"));
        QCOMPARE(f.controller().rating(), 1200);
    }

    void savingAddsTheExtensionAndAsksOnlyItsOwnQuestion() {
        WindowFixture f;
        QCOMPARE(f.window->fileFolder(), QDir::currentPath());
        std::filesystem::create_directory(f.dir / "games");
        f.window->fileHook = [&](bool, const std::string&) {
            return std::optional<std::string>((f.dir / "games" / "first").string());
        };
        f.Type(f.FirstLegalMove());
        f.action("Save")->trigger();
        QVERIFY(std::filesystem::exists(f.dir / "games" / "first.zlk"));
        QCOMPARE(f.window->fileFolder(), QString::fromStdString((f.dir / "games").string()));
        f.action("Save")->trigger();
        QCOMPARE(f.messages.size(), size_t(1));
        QCOMPARE(f.messages[0].text, std::string("first.zlk already exists, overwrite?"));
    }

    void messageBoxesShowTheirWholeTitle() {
        WindowFixture f;
        f.window->messageHook = nullptr;
        int width = 0, title = 0;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            width = box->width();
            title = box->fontMetrics().horizontalAdvance("Congratulations");
            box->close();
        });
        f.window->Message("You win!", "Congratulations", zelkor::Icon::Information);
        QVERIFY2(width > title + 100, qPrintable(QString("%1 %2").arg(width).arg(title)));
    }

    void rulesAndAboutWindows() {
        WindowFixture f;
        QString rulesTitle, rulesText, version;
        f.onDialog = [&](QDialog* dialog) {
            if (auto* help = dialog->findChild<QLabel*>("lblHelp")) {
                rulesTitle = dialog->windowTitle();
                rulesText = help->text();
            }
            if (auto* v = dialog->findChild<QLabel*>("lblVersion")) version = v->text();
            return int(QDialog::Accepted);
        };
        f.action("Rules")->trigger();
        QCOMPARE(rulesTitle, QString(" Rules for Halma"));
        QVERIFY(rulesText.startsWith("Each side has ten men"));
        f.game().active.help.clear();
        f.action("Rules")->trigger();
        QCOMPARE(rulesText, QString("No help available"));
        f.action("mnu_Help_About")->trigger();
        QCOMPARE(version, QString("Version 0.24"));

        // After "Random" the rules window tells the rules in force below the help text.
        QString inForce;
        f.onDialog = [&](QDialog* dialog) {
            if (auto* random = dialog->findChild<QPushButton*>("cmdRandom")) {
                random->click();
                dialog->findChild<QPushButton*>("cmdOK")->click();
                return dialog->result();
            }
            if (auto* label = dialog->findChild<QLabel*>("lblInForce")) inForce = label->text();
            return int(QDialog::Accepted);
        };
        f.random.fallback = 0.75;  // every flag drawn as 1
        f.action("NewVariant")->trigger();
        QCOMPARE(f.text(zelkor::Display::VariantName), std::string("Halma (M)"));
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        QVERIFY(inForce.startsWith("Black moves first."));
        QVERIFY(inForce.contains("A man slides over any number of empty squares"));
        QCOMPARE(inForce.toStdString(), f.controller().RulesInForce());
    }

    void piecesAndNotation() {
        WindowFixture f;
        std::filesystem::copy(ShippedDataDir() / "pieces", f.dir / "pieces",
                              std::filesystem::copy_options::recursive);
        f.window->findChild<QAction*>("mnuBrownAndBlack")->trigger();
        QVERIFY(f.board().usingBitmaps());
        QCOMPARE(f.controller().settings().PieceSet, 1);
        QVERIFY(!f.action("mnuDefault")->isChecked());
        f.action("mnuDefault")->trigger();
        QVERIFY(!f.board().usingBitmaps());
        QVERIFY(f.action("mnuDefault")->isChecked());
        QCOMPARE(f.controller().settings().PieceSet, 0);
        f.action("Nonotation")->trigger();
        QVERIFY(f.action("Nonotation")->isChecked());
        QVERIFY(!f.action("mnu_Board_Notation_Chess")->isChecked());
        QCOMPARE(int(f.controller().settings().Notation), 1);
    }

    void theNextStartUpUsesTheChosenPieces() {
        WindowFixture f;
        std::filesystem::copy(ShippedDataDir() / "pieces", f.dir / "pieces",
                              std::filesystem::copy_options::recursive);
        f.window->findChild<QAction*>("mnuBrownAndBlack")->trigger();
        QVERIFY(f.window->close());
        for (bool bitmaps : {true, false}) {
            ui::frmMain next(f.clock, f.random, f.dir.path());
            next.messageHook = f.window->messageHook;
            next.StartUp();
            QCOMPARE(next.board()->usingBitmaps(), bitmaps);
            QCOMPARE(next.findChild<QAction*>("mnuDefault")->isChecked(), !bitmaps);
            next.controller().settings().ConfirmExit = 0;
            if (bitmaps) next.findChild<QAction*>("mnuDefault")->trigger();
            QVERIFY(next.close());
        }
    }

    void pictureOfAGameInProgress() {
        WindowFixture f;
        f.controller().settings().ShowMoves = 1;
        for (int i = 0; i < 3; ++i) {
            const QString move = f.FirstLegalMove();
            f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
            QTRY_COMPARE(f.game().gamePly, 2 * (i + 1));
        }
        f.Hover(SquareOf("D4"));
        const QImage picture = f.window->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                colours.insert(picture.pixel(x, y));
        QVERIFY2(colours.size() > 20, "the window looks blank");
        const char* folder = std::getenv("ZELKOR_PICTURE_DIR");
        const std::filesystem::path dir = folder ? folder : ".";
        std::filesystem::create_directories(dir);
        QVERIFY(picture.save(QString::fromStdString((dir / "main_window.png").string())));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
