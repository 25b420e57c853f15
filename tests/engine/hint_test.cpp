#include <gtest/gtest.h>

#include "engine/driver.h"
#include "engine/hint.h"
#include "engine_fixture.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

using Hint = EngineTest;

TEST_F(Hint, StoredReplyIsShownWithoutSearching) {
    s.hintFrom = SquareNumber("E1");
    s.hintTo = SquareNumber("D2");
    s.nodes = 0;
    GiveHint(e);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Hint: Try e1-d2");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    EXPECT_EQ(s.nodes, 0u);
    EXPECT_EQ(s.hintFrom, 0);
    EXPECT_EQ(hooks.idle, std::vector<Computation>{Computation::Hint});

    // A second hint in the same position searches; so does one whose stored reply is
    // not legal here (e2 is empty).
    s.hintFrom = SquareNumber("E2");
    s.hintTo = SquareNumber("E3");
    GiveHint(e);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text.rfind("Try ", 0), 0u);
    EXPECT_GT(s.nodes, 0u);
    EXPECT_EQ(s.noiseAmplitude, 5);
    EXPECT_EQ(g.ply, 0);
    EXPECT_EQ(g.gamePly, 0);
    Board start = EmptyBoard();
    ApplySetupText(kDefaultSetup, start);
    EXPECT_EQ(g.board, start);
}

TEST_F(Hint, SearchedHintIsALegalMoveOfTheBestOnes) {
    // Only a1xc3 is legal.
    SetUp(DefaultRules(), kOneMove, kWhite, 0);
    GiveHint(e);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Try a1xc3");
}

TEST_F(Hint, FinishedGameSuggestsNothing) {
    // White has just filled its camp; Black is to move.
    SetUp(DefaultRules(), kWhiteFilled, kBlack, 31);
    GiveHint(e);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Congratulations: You have already won!");
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
}

TEST_F(Hint, DrawOfferFollowsTheLastScore) {
    // Before any move of the game.
    OfferDraw(e);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Draw Offer: Offer rejected... Play on!");
    EXPECT_FALSE(g.gameOver);

    g.gameStarted = true;
    s.bestScore = 1;
    OfferDraw(e);
    EXPECT_EQ(ui.messages.back().text, "Offer rejected... Play on!");
    EXPECT_FALSE(g.gameOver);
    EXPECT_TRUE(hooks.ratingUpdates.empty());

    s.bestScore = 0;
    OfferDraw(e);
    EXPECT_EQ(Shown(ui.messages.back()), "Congratulations: OK... It's a draw!\r\nRating");
    EXPECT_EQ(ui.messages.back().icon, Icon::Exclamation);
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{0.5});
    EXPECT_EQ(hooks.bookkeeping, std::vector<int>{2});
    EXPECT_EQ(ui.Text(Display::Status), "It's a draw!");
}

TEST_F(Hint, ResignationIsAComputerWin) {
    Resign(e);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Shown(ui.messages[0]), "Congratulations: OK... Computer wins!\r\nRating");
    EXPECT_TRUE(g.gameOver);
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{0});
    EXPECT_EQ(hooks.bookkeeping, std::vector<int>{0});
    EXPECT_EQ(ui.Text(Display::Status), "Computer wins!");
}

TEST_F(Hint, ComputerMoveStoresTheExpectedReply) {
    settings.SearchDepth = 2;
    ComputerMove(e);
    ASSERT_GT(s.hintFrom, 0);
    const int from = s.hintFrom;
    const int to = s.hintTo;
    EXPECT_EQ(g.board[from], kBlackMan);
    EXPECT_EQ(g.board[to], kEmpty);
    ui.messages.clear();
    GiveHint(e);
    EXPECT_EQ(ui.messages[0].text,
              "Try " + SquareNotation(g.board, from) + "-" + SquareNotation(g.board, to));
}

}  // namespace
}  // namespace zelkor::test
