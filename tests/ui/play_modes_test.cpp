// The computer at work inside the window: Compute, Cancel during a search, the
// Computer-Computer run, and closing the window while the computer thinks. The window
// must stay responsive: Cancel reaches the search through the event loop.
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "window_fixture.h"

using namespace zelkor;
using namespace zelkor::test;

namespace {

// Triggers `action` from the event loop as soon as `ready` holds; checks again on every
// pass of the loop, which runs inside the computation.
void TriggerWhen(QObject* owner, QAction* action, std::function<bool()> ready) {
    auto* timer = new QTimer(owner);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, owner, [timer, action, ready] {
        if (!ready()) return;
        timer->stop();
        timer->deleteLater();
        action->trigger();
    });
    timer->start();
}

}  // namespace

class PlayModesTest : public QObject {
    Q_OBJECT
  private slots:
    void computeSwapsTheNamesAndPlaysOneMove() {
        WindowFixture f;
        f.action("Compute")->trigger();
        QCOMPARE(f.list("GameMoveList")->count(), 1);
        QCOMPARE(f.text(zelkor::Display::FirstSideName), std::string("Computer"));
        QCOMPARE(f.text(zelkor::Display::SecondSideName), std::string("Player"));
        QVERIFY(!f.game().busy);
        QVERIFY(f.action("Compute")->isEnabled());
        QVERIFY(!f.action("mnu_Play_Cancel")->isEnabled());
        QVERIFY(f.window->findChild<QLineEdit*>("TypedMoveBox")->isEnabled());
        // Twice in a row: the computer plays both sides, the names swapped back.
        f.window->findChild<QAction*>("tbrCompute")->trigger();
        QCOMPARE(f.list("GameMoveList")->count(), 2);
        QCOMPARE(f.text(zelkor::Display::FirstSideName), std::string("Player"));
    }

    void cancelStopsALongSearchWithAMove() {
        WindowFixture f;
        f.controller().settings().SearchDepth = 20;  // far beyond what finishes in a test
        bool busyDuringSearch = false;
        bool commandsLocked = false;
        QAction* cancel = f.action("mnu_Play_Cancel");
        TriggerWhen(f.window.get(), cancel, [&] {
            if (!f.game().busy) return false;
            busyDuringSearch = true;
            commandsLocked = !f.action("Compute")->isEnabled() && !f.action("New1")->isEnabled() &&
                             !f.action("Options")->isEnabled() && cancel->isEnabled() &&
                             !f.window->findChild<QLineEdit*>("TypedMoveBox")->isEnabled();
            return true;
        });
        f.action("Compute")->trigger();
        QVERIFY(busyDuringSearch);
        QVERIFY(commandsLocked);
        QCOMPARE(f.list("GameMoveList")->count(), 1);  // the best move found so far
        QVERIFY(!f.game().busy);
        QVERIFY(!cancel->isEnabled());
        QVERIFY(f.action("Compute")->isEnabled());
    }

    void cancelBeforeAnyComputationIsIgnored() {
        WindowFixture f;
        f.controller().CancelCommand();
        QCOMPARE(f.game().cancelRequest, 0);
    }

    void boardInputIsIgnoredWhileTheComputerThinks() {
        WindowFixture f;
        f.controller().settings().SearchDepth = 20;
        const QString move = f.FirstLegalMove();
        auto* timer = new QTimer(f.window.get());
        timer->setInterval(0);
        int attempts = 0;
        connect(timer, &QTimer::timeout, f.window.get(), [&] {
            if (!f.game().busy) return;
            if (++attempts == 1) {
                f.Drag(SquareOf(move.left(2)), SquareOf(move.mid(2)));
                f.Type(move);
                return;
            }
            timer->stop();
            f.action("mnu_Play_Cancel")->trigger();
        });
        timer->start();
        f.action("Compute")->trigger();
        QVERIFY(attempts >= 2);
        QCOMPARE(f.list("GameMoveList")->count(), 1);
        QVERIFY(f.messages.empty());
    }

    void computerComputerRunsUntilCancelled() {
        WindowFixture f;
        QAction* cancel = f.action("mnu_Play_Cancel");
        bool checkedDuringRun = false;
        TriggerWhen(f.window.get(), cancel, [&] {
            if (f.list("GameMoveList")->count() < 6) return false;
            checkedDuringRun = f.action("mnu_Play_Ccomputer")->isChecked() &&
                               !f.action("Cplayer")->isChecked() &&
                               f.text(zelkor::Display::FirstSideName) == "Computer" &&
                               f.text(zelkor::Display::SecondSideName) == "Computer";
            return true;
        });
        f.window->findChild<QAction*>("tbrComputerComputer")->trigger();
        QVERIFY(checkedDuringRun);
        QVERIFY(f.list("GameMoveList")->count() >= 6);
        QVERIFY(!f.game().busy);
        // The run ends in Player-Computer mode with the human on the side to move.
        QVERIFY(f.action("Cplayer")->isChecked());
        QVERIFY(!f.action("mnu_Play_Ccomputer")->isChecked());
        auto* bar = f.window->findChild<QToolBar*>("Toolbar1");
        QVERIFY(bar->actions()[18]->isChecked());
        QVERIFY(!bar->actions()[20]->isChecked());
        const bool whiteToMove = f.game().side == kWhite;
        QCOMPARE(f.text(zelkor::Display::FirstSideName),
                 std::string(whiteToMove ? "Player" : "Computer"));
        QVERIFY(f.list("LegalMoveList")->isEnabled());
        QVERIFY(f.list("LegalMoveList")->count() > 0);
        QVERIFY(f.window->findChild<QMenu*>("mnuBoard")->menuAction()->isEnabled());
        // Every half-move was written and can be stepped through.
        const int plies = f.game().gamePly;
        f.action("Moveback")->trigger();
        QCOMPARE(f.game().gamePly, plies - 1);
    }

    void computerComputerNamesTheWinningColour() {
        WindowFixture f;
        f.window->findChild<QAction*>("tbrComputerComputer")->trigger();
        QVERIFY(f.game().gameOver);
        // The user only watched: the winner is named by colour and no label names the user.
        const QString winner = f.game().side == kWhite ? "Black wins!" : "White wins!";
        QVERIFY(QString::fromStdString(f.messages.back().text).startsWith(winner));
        QCOMPARE(f.text(zelkor::Display::FirstSideName), std::string("Computer"));
        QCOMPARE(f.text(zelkor::Display::SecondSideName), std::string("Computer"));
        QCOMPARE(f.list("LegalMoveList")->count(), 0);
        // One move back the human takes the side to move.
        f.action("Moveback")->trigger();
        const bool whiteToMove = f.game().side == kWhite;
        QCOMPARE(f.text(zelkor::Display::FirstSideName),
                 std::string(whiteToMove ? "Player" : "Computer"));
        QCOMPARE(f.text(zelkor::Display::SecondSideName),
                 std::string(whiteToMove ? "Computer" : "Player"));
        QVERIFY(f.list("LegalMoveList")->count() > 0);
    }

    void closingDuringASearchCancelsItAndEndsCleanly() {
        WindowFixture f;
        f.controller().settings().SearchDepth = 20;
        bool closeSeen = false;
        auto* timer = new QTimer(f.window.get());
        timer->setInterval(0);
        connect(timer, &QTimer::timeout, f.window.get(), [&] {
            if (!f.game().busy) return;
            timer->stop();
            closeSeen = true;
            f.window->close();  // the close request arrives inside the search
        });
        timer->start();
        f.action("Compute")->trigger();
        QVERIFY(closeSeen);
        QCOMPARE(f.list("GameMoveList")->count(), 1);
        QTRY_VERIFY(!f.window->isVisible());
        QVERIFY(f.controller().shutDown());
        QVERIFY(std::filesystem::exists(f.dir / "zelkor.ini"));
    }

    void closeAsksWhenConfirmationIsOn() {
        WindowFixture f;
        f.controller().settings().ConfirmExit = 1;
        f.answers = {Answer::No};
        f.window->close();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.messages.back().title, std::string("Confirmation"));
        f.action("Exit")->trigger();  // answered Yes
        QVERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(PlayModesTest)
#include "play_modes_test.moc"
