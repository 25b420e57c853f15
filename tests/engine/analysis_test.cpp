#include <gtest/gtest.h>

#include "engine/driver.h"
#include "engine_fixture.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

using Analysis = EngineTest;

TEST_F(Analysis, LeavesTheGameAsItWasAndNeverRates) {
    // Two plies played, then one stepped back: the recorded game goes on beyond GamePly.
    SetUp(DefaultRules(), kDefaultSetup, kBlack, 1);
    g.recordLength = 2;
    g.gameRecord[1] = Move{28, 46, 1, 0};
    g.gameRecord[2] = Move{61, 62, 0, 0};
    const Board board = g.board;
    const auto record = g.gameRecord;
    settings.SearchDepth = 3;
    AnalyzePosition(e);

    EXPECT_EQ(g.board, board);
    EXPECT_EQ(g.side, kBlack);
    EXPECT_EQ(g.gamePly, 1);
    EXPECT_EQ(g.recordLength, 2);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(g.gameRecord[k].Source, record[k].Source) << k;
        EXPECT_EQ(g.gameRecord[k].dest, record[k].dest) << k;
    }
    EXPECT_TRUE(hooks.ratingUpdates.empty());
    EXPECT_TRUE(hooks.recordedDepths.empty());
    EXPECT_EQ(hooks.cuts, 0);
    EXPECT_FALSE(g.gameOver);
    EXPECT_EQ(s.depthReached, 3);
    EXPECT_EQ(s.hintFrom, 0);  // the main line's reply is the opponent's, no hint
    EXPECT_FALSE(ui.list(ListId::Analysis).empty());
    EXPECT_NE(std::find(ui.statusHistory.begin(), ui.statusHistory.end(), "Analyzing..."),
              ui.statusHistory.end());
    bool perMove = false;
    for (const std::string& text : ui.statusHistory)
        perMove = perMove || text.rfind("Analyzing... (3)  ", 0) == 0;
    EXPECT_TRUE(perMove);
    EXPECT_EQ(ui.Text(Display::Status), "");
    EXPECT_EQ(hooks.idle, std::vector<Computation>{Computation::Analysis});
    for (const ShownMessage& m : ui.messages)
        EXPECT_NE(m.title, "Question");  // no draw proposal
}

TEST_F(Analysis, SingleLegalMoveKeepsTheDepthSetting) {
    SetUp(DefaultRules(), kOneMove, kWhite, 0);
    settings.SearchDepth = 4;
    AnalyzePosition(e);
    EXPECT_EQ(s.depthReached, 1);
    EXPECT_EQ(settings.SearchDepth, 4);
    EXPECT_EQ(g.board[SquareNumber("A1")], kWhiteMan);
}

TEST_F(Analysis, OnlyTheBookFileIsAsked) {
    settings.UseBook = 1;
    settings.BookFromGames = 1;
    AnalyzePosition(e);
    EXPECT_TRUE(hooks.bookLookups.empty());
    settings.BookFromGames = 0;
    AnalyzePosition(e);
    EXPECT_EQ(hooks.bookLookups, std::vector<bool>{false});
}

}  // namespace
}  // namespace zelkor::test
