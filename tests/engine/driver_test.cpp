#include <gtest/gtest.h>

#include <algorithm>

#include "engine/driver.h"
#include "engine/evaluate.h"
#include "engine_fixture.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/text_lines.h"

namespace zelkor::test {
namespace {

using Driver = EngineTest;

// White's nine men are home; b4-a5 fills the camp.
const std::string kWinInOne = SetupOf("A8 B8 C8 D8 A7 B7 C7 A6 B6 B4", "E1 F1 E4");

bool HasMessage(const RecordingUi& ui, const std::string& text, const std::string& title) {
    for (const ShownMessage& m : ui.messages)
        if (m.text == text && m.title == title) return true;
    return false;
}

TEST(Announcements, TextsPluralsAndThresholds) {
    EXPECT_EQ(AnnouncementText(31995), "Computer is winning in 3 moves! ");
    EXPECT_EQ(AnnouncementText(31999), "Computer is winning in 1 move! ");
    EXPECT_EQ(AnnouncementText(31980), "Computer is winning in 10 moves! ");
    EXPECT_EQ(AnnouncementText(31979), "");
    EXPECT_EQ(AnnouncementText(-31998), "Computer is losing in 1 move! ");
    EXPECT_EQ(AnnouncementText(-31980), "Computer is losing in 10 moves! ");
    EXPECT_EQ(AnnouncementText(-31979), "");
    EXPECT_EQ(AnnouncementText(0), "");
    EXPECT_EQ(SignedText(7), " 7");
    EXPECT_EQ(SignedText(-7), "-7");
}

TEST(TimeManager, FallingScoreBuysHalfTheLimitAgain) {
    EXPECT_FALSE(TimeManagerStops(1, 2, 0, 0));
    EXPECT_TRUE(TimeManagerStops(2, 2, 0, 0));
    EXPECT_TRUE(TimeManagerStops(2, 2, -50, 0));  // a fall of 50 is not enough
    EXPECT_FALSE(TimeManagerStops(2, 2, -51, 0));
    EXPECT_TRUE(TimeManagerStops(3, 2, -500, 0));  // never beyond 1.5 x the limit
    EXPECT_FALSE(TimeManagerStops(14, 10, -500, 0));
    EXPECT_TRUE(TimeManagerStops(15, 10, -500, 0));
}

TEST_F(Driver, OneLegalMoveSearchesOneIterationAndPlaysIt) {
    SetUp(DefaultRules(), kOneMove, kWhite, 0);
    settings.SearchDepth = 3;
    ComputerMove(e);
    EXPECT_EQ(g.board[SquareNumber("C3")], kWhiteMan);
    EXPECT_EQ(g.board[SquareNumber("A1")], kEmpty);
    EXPECT_EQ(g.gamePly, 1);
    EXPECT_EQ(g.side, kBlack);
    EXPECT_EQ(g.gameRecord[1].Source, SquareNumber("A1"));
    EXPECT_EQ(g.gameRecord[1].dest, SquareNumber("C3"));
    EXPECT_EQ(g.gameRecord[1].jump, 1);
    EXPECT_EQ(g.gameRecord[2].Source, 0);
    EXPECT_EQ(g.recordLength, 1);
    EXPECT_EQ(s.depthReached, 1);
    EXPECT_EQ(settings.SearchDepth, 3);
    EXPECT_EQ(hooks.recordedDepths, std::vector<int>{1});
    EXPECT_EQ(hooks.cuts, 1);
    EXPECT_EQ(s.rootMoveCounts[1], 1);
    EXPECT_EQ(s.scoreHistory[1], s.bestScore);
    EXPECT_EQ(ui.Text(Display::Calculation).rfind("Depth: 1   Best: a1xc3   Score:", 0), 0u);
    for (const char* status : {"Thinking...", "Thinking... (1)  a1xc3"})
        EXPECT_NE(std::count(ui.statusHistory.begin(), ui.statusHistory.end(), status), 0)
            << status;
    EXPECT_EQ(ui.Text(Display::Strength), "Strength: 9   Depth: 3 ply");
    EXPECT_EQ(ui.list(ListId::Analysis).size(), 1u);
    EXPECT_EQ(ui.list(ListId::Analysis)[0].rfind("       a1c3 ", 0), 0u);
    EXPECT_EQ(hooks.idle, std::vector<Computation>{Computation::Move});
    EXPECT_TRUE(g.gameStarted);
    EXPECT_FALSE(g.gameOver);
    EXPECT_TRUE(hooks.ratingUpdates.empty());
}

TEST_F(Driver, CommandsAreBusyDuringTheSearch) {
    bool checked = false;
    ui.onProcessEvents = [&] {
        if (checked) return;
        checked = true;
        EXPECT_EQ(hooks.busy, std::vector<Computation>{Computation::Move});
        EXPECT_TRUE(hooks.idle.empty());
    };
    ComputerMove(e);
    EXPECT_TRUE(checked);
    EXPECT_EQ(hooks.idle.size(), 1u);
}

TEST_F(Driver, WinningMoveEndsTheGame) {
    SetUp(DefaultRules(), kWinInOne, kWhite, 30);
    ComputerMove(e);
    EXPECT_EQ(g.board[SquareNumber("A5")], kWhiteMan);
    EXPECT_EQ(s.bestScore, 31998);  // the win shows at the node after the reply's turn
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(ui.Text(Display::Status), "Computer wins!");
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{0});
    EXPECT_EQ(hooks.bookkeeping, (std::vector<int>{0, 0}));
    EXPECT_TRUE(HasMessage(ui, "Computer wins!\r\nRating", "Congratulations"));
    EXPECT_FALSE(s.announced);
}

TEST_F(Driver, ForcedWinIsAnnounced) {
    SetUp(DefaultRules(), kTwoFromCamp, kWhite, 30);
    settings.SearchDepth = 3;
    ComputerMove(e);
    ASSERT_GE(s.bestScore, 31980);
    EXPECT_FALSE(g.gameOver);
    EXPECT_EQ(ui.Text(Display::Status), AnnouncementText(s.bestScore));
    EXPECT_TRUE(s.announced);
}

TEST_F(Driver, DecidedGameAndNoMoveEndBeforeSearching) {
    // Black has filled its camp; White (the computer) is to move.
    SetUp(DefaultRules(), SetupOf("D4", "E1 F1 G1 H1 F2 G2 H2 G3 H3 H4"), kWhite, 40);
    ComputerMove(e);
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(g.gamePly, 40);
    // Black, the side that has just moved, is the player: named and rated the winner.
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{1});
    EXPECT_TRUE(HasMessage(ui, "Player wins!\r\nRating", "Congratulations"));
    EXPECT_EQ(clock.pauses, std::vector<double>{0.5});

    // The same camp with Black, the computer, to move: the computer has won.
    g.gameOver = false;
    g.side = kBlack;
    hooks.ratingUpdates.clear();
    ComputerMove(e);
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{0});
    EXPECT_TRUE(HasMessage(ui, "Computer wins!\r\nRating", "Congratulations"));
    EXPECT_EQ(g.gamePly, 40);

    SetUp(DefaultRules(), kWhiteStuck, kWhite, 4);
    hooks.ratingUpdates.clear();
    ComputerMove(e);
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(g.gamePly, 4);
    EXPECT_EQ(ui.Text(Display::Status), "Player wins!");
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{1});
    EXPECT_TRUE(HasMessage(ui, "Player wins!\r\nRating", "Congratulations"));
}

TEST_F(Driver, CancelStillPlaysAMove) {
    settings.SearchDepth = 6;
    ui.onProcessEvents = [this] {
        if (ui.eventsProcessed == 300) g.cancelRequest = 1;
    };
    ComputerMove(e);
    EXPECT_EQ(g.gamePly, 1);
    EXPECT_EQ(g.searchStopped, 1);
    EXPECT_EQ(g.timeUp, 0);
    EXPECT_NE(g.gameRecord[1].Source, 0);
    EXPECT_EQ(hooks.recordedDepths.size(), 1u);
    EXPECT_EQ(ui.Text(Display::Strength), "");  // not rewritten after a stop
}

TEST_F(Driver, FlexibleTimeNeverRunsPastOneAndAHalfLimits) {
    settings.UseDepth = 0;
    settings.FixedTime = 0;
    settings.ThinkTime = 2;
    clock.tick = 0.05;
    ComputerMove(e);
    const double start = 43200.5;  // after the preparation's pause
    EXPECT_LE(clock.now - start, 3.6);
    EXPECT_GE(clock.now - start, 1.4);
    EXPECT_EQ(g.gamePly, 1);
    EXPECT_EQ(g.cancelRequest, 0);
    EXPECT_EQ(g.searchStopped, 0);
    EXPECT_EQ(g.timeUp, 0);
}

TEST_F(Driver, FixedTimeStopsInsideTheSearchAndStillPlays) {
    settings.UseDepth = 0;
    settings.FixedTime = 1;
    settings.ThinkTime = 2;
    clock.tick = 0.0005;  // every reading of the clock lets time pass
    ComputerMove(e);
    EXPECT_EQ(ui.progressMaximum, 2);
    EXPECT_EQ(g.timeUp, 1);
    EXPECT_EQ(g.searchStopped, 1);
    EXPECT_EQ(g.gamePly, 1);
    EXPECT_GE(s.depthReached, 1);
    EXPECT_LT(s.depthReached, 20);
    EXPECT_EQ(ui.Text(Display::Strength), "");  // only depth mode rewrites it
}

class DrawProposal : public EngineTest {
  protected:
    DrawProposal() {
        settings.SearchDepth = 1;
        SetUp(DefaultRules(), kDefaultSetup, kWhite, 100);
        s.stableScoreCounter = 2;
        s.lastDrawOfferPly = 60;
    }
    int Questions() const {
        int count = 0;
        for (const ShownMessage& m : ui.messages)
            if (m.text == "How about a draw?" && m.title == "Question" &&
                m.buttons == Buttons::YesNo && m.icon == Icon::Question)
                ++count;
        return count;
    }
};

TEST_F(DrawProposal, AskedOncePer41PliesAndDeclinedPlaysOn) {
    ui.answers = {Answer::No};
    ComputerMove(e);
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(s.lastDrawOfferPly, 101);
    EXPECT_FALSE(g.gameOver);

    SetUp(DefaultRules(), kDefaultSetup, kWhite, 100);
    s.lastDrawOfferPly = 61;  // 40 plies ago: too soon
    ComputerMove(e);
    EXPECT_EQ(Questions(), 1);
}

TEST_F(DrawProposal, NeverAfterAnAnnouncement) {
    s.announced = true;
    ComputerMove(e);
    EXPECT_EQ(Questions(), 0);
}

TEST_F(DrawProposal, AcceptedEndsTheGameAsADraw) {
    ui.answers = {Answer::Yes};
    ComputerMove(e);
    EXPECT_EQ(Questions(), 1);
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(hooks.bookkeeping, std::vector<int>{2});
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{0.5});
    EXPECT_EQ(ui.Text(Display::Status), "It's a draw!");
    EXPECT_TRUE(HasMessage(ui, "It's a draw!\r\nRating", "Congratulations"));
}

TEST_F(DrawProposal, ComputerAgainstComputerDrawsWithoutAsking) {
    g.playMode = PlayMode::ComputerComputer;
    random.fallback = 0.05;
    ComputerMove(e);
    EXPECT_EQ(Questions(), 0);
    EXPECT_TRUE(g.gameOver);
    EXPECT_TRUE(HasMessage(ui, "It's a draw!\r\nRating", "Congratulations"));
}

TEST_F(Driver, RootTableHoldsMoreThan201Moves) {
    VariantRules rules = DefaultRules();
    rules.flag(LongKings) = 1;
    SetUp(rules, SetupOf("C3 F3 C6 F6 D4 E5 B5 G4 A1 H8 D7 E2 B7 G2 A4 H5", "H1 A8"), kWhite, 10);
    InitGameTree(g);
    GenerateMoves(g, 0);
    const int n = MoveCount(g);
    ASSERT_GT(n, 201);
    settings.SearchDepth = 1;
    ComputerMove(e);
    EXPECT_EQ(g.gamePly, 11);
    EXPECT_EQ(static_cast<int>(ui.list(ListId::Analysis).size()), n);
    EXPECT_EQ(s.rootMoveCounts[11], n);
}

TEST_F(Driver, BookMoveAmongTheRootMovesIsPlayed) {
    settings.UseBook = 1;
    hooks.bookMove = {SquareNumber("E1"), SquareNumber("D2")};
    ComputerMove(e);
    EXPECT_EQ(g.board[SquareNumber("D2")], kWhiteMan);
    EXPECT_EQ(hooks.recordedBook, std::vector<bool>{true});
    EXPECT_NE(ui.Text(Display::Calculation).find("\r\nBook"), std::string::npos);

    // A proposal that is no legal move is dropped.
    SetUp(DefaultRules(), kDefaultSetup, kWhite, 0);
    hooks.bookMove = {SquareNumber("E1"), SquareNumber("E5")};
    ComputerMove(e);
    EXPECT_EQ(hooks.recordedBook.back(), false);
}

TEST_F(Driver, StopAfterAForcedWinKeepsItsScore) {
    // The stop comes in the iteration after the one that found the win.
    SetUp(DefaultRules(), kTwoFromCamp, kWhite, 30);
    settings.SearchDepth = 6;
    ui.onProcessEvents = [this] {
        if (ui.Text(Display::Status).rfind("Thinking... (5)", 0) == 0) g.cancelRequest = 1;
    };
    ComputerMove(e);
    EXPECT_EQ(g.searchStopped, 1);
    EXPECT_GE(s.bestScore, 31980);
    EXPECT_EQ(ui.Text(Display::Status), AnnouncementText(s.bestScore));
}

}  // namespace
}  // namespace zelkor::test
