#include <gtest/gtest.h>

#include <cstring>

#include "rules/game_end.h"
#include "rules/win.h"
#include "rules_test_util.h"

namespace zelkor {
namespace {

using test::EmptyGame;
using test::Place;
using test::Sq;

TEST(DrawRules, RepetitionAndMoveCountLimit) {
    auto g = test::DefaultGame();
    // The position after "e1-d1" returns after half-moves 5 and 9: the third occurrence.
    const char* shuffle[] = {"e1-d1", "a5-b5", "d1-e1", "b5-a5"};
    for (int ply = 0; ply < 8; ++ply) {
        ASSERT_TRUE(test::Play(*g, shuffle[ply % 4]));
        EXPECT_EQ(DrawTest(*g, true), DrawKind::None) << ply;
    }
    ASSERT_TRUE(test::Play(*g, "e1-d1"));
    EXPECT_TRUE(DrawTest(*g, true) == DrawKind::Repetition && g->drawFlag == DrawKind::Repetition);
    g->gameOver = true;
    g->cancelRequest = CancelRequest::Now;
    ResetGameTree(*g);  // a new game tree forgets it, and a Cancel meant for the old game
    EXPECT_EQ(std::tuple(g->drawFlag, g->gamePly, g->gameOver, g->cancelRequest),
              std::tuple(DrawKind::None, 0, false, CancelRequest::None));

    // Distinct positions: only the move count, counted from the last jump, decides.
    g = test::DefaultGame();
    // Jump at half-move index 10, game ply, 15-move rule, flag.
    constexpr DrawKind none = DrawKind::None, moves = DrawKind::MoveCount;
    const std::tuple<bool, int, bool, DrawKind> limits[] = {
        {false, 29, true, none},   {false, 30, true, moves}, {false, 19, false, none},
        {false, 20, false, moves}, {true, 40, true, none},   {true, 41, true, moves},
        {true, 31, false, moves},  {true, 30, false, none}};
    for (auto [jumped, gamePly, rule15, flag] : limits) {
        if (jumped) g->gameRecord[11] = Move{Sq("h1"), Sq("f3"), 1, 0};
        for (int k = 0; k < kHistorySize; ++k)
            g->positionHistory[k] = PositionKey{static_cast<uint64_t>(k) + 99, 7};
        g->gamePly = gamePly;
        EXPECT_EQ(DrawTest(*g, rule15), flag) << gamePly;
    }
    g->gamePly = 41;  // a jump in the record after the position shown does not count
    g->gameRecord[42] = Move{Sq("h1"), Sq("f3"), 1, 0};
    EXPECT_EQ(DrawTest(*g, true), DrawKind::MoveCount);
    // The history beyond its end is not written.
    g->gameRecord[1].jump = 1;
    g->gamePly = kGameRecordSize + 50;
    EXPECT_EQ(DrawTest(*g, true), DrawKind::MoveCount);
    g->gamePly = kHistorySize;
    DrawTest(*g, true);
    EXPECT_EQ(g->positionHistory[kHistorySize - 1], MakePositionKey(g->board));
    // Beyond the history the position is not stored: seen once before, it is no repetition.
    for (int k = 0; k < kHistorySize; ++k)
        g->positionHistory[k] = PositionKey{static_cast<uint64_t>(k) + 99, 7};
    g->positionHistory[0] = MakePositionKey(g->board);
    std::tie(g->gamePly, g->gameRecord[kHistorySize].jump) = std::tuple(kHistorySize + 1, 1);
    EXPECT_EQ(DrawTest(*g, true), DrawKind::None);
    // Before the first move there is nothing to record, and nothing before the history is
    // written either.
    g->gamePly = 0;
    EXPECT_EQ(
        std::tuple(DrawTest(*g, true), g->gameRecord.back().Source, g->gameRecord.back().dest),
        std::tuple(DrawKind::None, 0, 0));
}

// White's home squares filled in slot order with `whiteIn` White, then `blackIn` Black men.
std::unique_ptr<GameState> Camp(int whiteIn, int blackIn, VariantRules rules = DefaultRules()) {
    auto g = EmptyGame(rules);
    for (int slot = 0; slot < whiteIn + blackIn; ++slot)
        g->board[g->active.home[0][slot]] = slot < whiteIn ? kWhiteMan : kBlackMan;
    return g;
}

TEST(WinConditions, FullCampsCountedSlotBySlot) {
    const WinState full = CheckWinConditions(*Camp(10, 0));
    EXPECT_TRUE(full.whiteWon && !full.blackWon && !CheckWinConditions(*Camp(9, 0)).whiteWon);
    // Counted slot by slot: of 15 squares the first ten count; a square listed twice, twice.
    VariantRules listed = DefaultRules();
    listed.home[0] = ParseHomeSquares("A8B8C8D8E8F8G8H8A7B7C7D7E7F7G7");
    auto wide = EmptyGame(listed);
    for (int slot = 5; slot < kHomeSlots; ++slot)
        wide->board[wide->active.home[0][slot]] = kWhiteMan;
    EXPECT_FALSE(CheckWinConditions(*wide).whiteWon);
    listed.home[0] = DefaultRules().home[0];
    listed.home[0][9] = listed.home[0][0];
    auto twice = Camp(10, 0, listed);  // nine men
    EXPECT_EQ(std::count(twice->board.begin(), twice->board.end(), kWhiteMan), 9);
    EXPECT_TRUE(CheckWinConditions(*twice).whiteWon);
}

TEST(ResultTextTest, CodesAndBlockedSidesLeaveTheMoveListsAlone) {
    auto g = test::DefaultGame();
    EXPECT_EQ(ResultText(*g, ResultCode::Draw), "1/2-1/2");
    GenerateMoves(*g, MoveSet::All);
    ASSERT_TRUE(PerformMove(*g, 3));
    GenerateMoves(*g, MoveSet::All);
    const auto pool = g->movePool;
    const auto plyStarts = g->plyStart;
    EXPECT_EQ(ResultText(*g, ResultCode::Win), "");  // both sides can move
    EXPECT_EQ(std::tuple(g->plyStart, g->ply), std::tuple(plyStarts, 1));
    EXPECT_EQ(std::memcmp(g->movePool.data(), pool.data(), sizeof pool), 0);

    for (int starts : {0, 1}) {
        VariantRules rules = DefaultRules();
        rules.flags[BlackStarts] = static_cast<uint8_t>(starts);
        auto h = EmptyGame(rules);
        Place(*h, {"a2", "b2", "b1", "a3", "c3", "c1"}, {"a1"});
        h->side = kBlack;  // Black has no move
        EXPECT_EQ(ResultText(*h, ResultCode::Win), starts ? "0-1" : "1-0");
        h->board = EmptyBoard();
        Place(*h, {"a1"}, {"a2", "b2", "b1", "a3", "c3", "c1"});
        h->side = kWhite;  // White has no move: Black won
        EXPECT_EQ(ResultText(*h, ResultCode::Win), starts ? "1-0" : "0-1");
        auto none = EmptyGame(rules);
        Place(*none, {"c3"}, {});
        const std::string noBlack = ResultText(*none, ResultCode::Win);
        none->board[SquareNumber("C3")] = kBlackMan;  // then no White man
        EXPECT_EQ(noBlack + ResultText(*none, ResultCode::Win), starts ? "0-11-0" : "1-00-1");
    }
    EXPECT_EQ(
        std::tuple(DrawAnnouncement(DrawKind::MoveCount), DrawAnnouncement(DrawKind::Repetition),
                   WinnerColourText(kBlack)),
        std::tuple("It's a draw! 50 Moves Rule", "It's a draw! Triple Repetition", "Black wins!"));
}

}  // namespace
}  // namespace zelkor
