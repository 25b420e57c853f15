#include <gtest/gtest.h>

#include <random>

#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/perft.h"
#include "rules_test_util.h"

namespace zelkor {
namespace {

using test::EmptyGame;
using test::Place;
using test::Sq;

int FindMove(const GameState& g, const std::string& text) {
    const auto texts = test::MoveTexts(g);
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return g.plyStart[g.ply] + static_cast<int>(i);
    return -1;
}

TEST(MakeMove, JumpMovesOnlyTheJumperAndIsTakenBack) {
    auto g = EmptyGame(DefaultRules());
    Place(*g, {"d4"}, {"d5"});
    GenerateMoves(*g, 1);
    const int jump = FindMove(*g, "d4xd6");
    ASSERT_GE(jump, 0);
    const Board before = g->board;
    ASSERT_TRUE(PerformMove(*g, jump));
    EXPECT_EQ(g->board[Sq("d4")], kEmpty);
    EXPECT_EQ(g->board[Sq("d5")], kBlackMan);
    EXPECT_EQ(g->board[Sq("d6")], kWhiteMan);
    EXPECT_EQ(g->jumpAtPly[1], 1);
    EXPECT_EQ(g->ply, 1);
    EXPECT_EQ(g->gamePly, 1);
    EXPECT_EQ(g->side, kBlack);
    ASSERT_TRUE(TakeBackMove(*g, jump));
    EXPECT_EQ(g->board, before);
    EXPECT_EQ(g->ply, 0);
    EXPECT_EQ(g->gamePly, 0);
    EXPECT_EQ(g->side, kWhite);
}

TEST(MakeMove, InitGameTreeOnlyResetsPly) {
    auto g = test::DefaultGame();
    GenerateMoves(*g, 1);
    ASSERT_TRUE(PerformMove(*g, 0));
    const Board board = g->board;
    InitGameTree(*g);
    EXPECT_EQ(g->ply, 0);
    EXPECT_EQ(g->gamePly, 1);
    EXPECT_EQ(g->side, kBlack);
    EXPECT_EQ(g->board, board);
}

// Random walks down the tree and back restore everything.
TEST(MakeMove, NestedPairsRestoreBoardSideAndCounters) {
    std::mt19937 rng(7);
    for (int game = 0; game < 50; ++game) {
        auto g = test::DefaultGame();
        g->gamePly = 17;
        const Board board = g->board;
        std::vector<int> played;
        for (int depth = 0; depth < 40; ++depth) {
            GenerateMoves(*g, rng() % 2);
            const int n = MoveCount(*g);
            if (n == 0) break;
            const int move = g->plyStart[g->ply] + static_cast<int>(rng() % n);
            ASSERT_TRUE(PerformMove(*g, move));
            played.push_back(move);
        }
        while (!played.empty()) {
            ASSERT_TRUE(TakeBackMove(*g, played.back()));
            played.pop_back();
        }
        EXPECT_EQ(g->board, board);
        EXPECT_EQ(g->side, kWhite);
        EXPECT_EQ(g->ply, 0);
        EXPECT_EQ(g->gamePly, 17);
    }
}

TEST(MakeMove, TheTreeEndsAtItsLastPlyWithoutTouchingTheBoard) {
    auto g = test::DefaultGame();
    GenerateMoves(*g, 1);
    g->ply = kMaxPly;
    g->plyStart[kMaxPly] = 0;
    const Board board = g->board;
    EXPECT_FALSE(PerformMove(*g, 0));
    EXPECT_EQ(g->cancelRequest, 1);
    EXPECT_EQ(g->board, board);
    EXPECT_EQ(g->ply, kMaxPly);
    EXPECT_EQ(g->gamePly, 0);
    // A caller that takes back the refused move anyway changes nothing either.
    EXPECT_FALSE(TakeBackMove(*g, 0));
    EXPECT_EQ(g->board, board);
    EXPECT_EQ(g->ply, kMaxPly);
    // Generating at the last ply stays inside the tables.
    GenerateMoves(*g, 1);
    EXPECT_EQ(g->plyStart[kMaxPly + 1], 24);
}

TEST(MakeMove, RefusesRecordsThatAreNoMoveOfTheSideToMove) {
    auto g = test::DefaultGame();
    const Board board = g->board;
    g->movePool[5] = Move{Sq("a5"), Sq("a4"), 0, 0};  // a Black man, White to move
    EXPECT_FALSE(PerformMove(*g, 5));
    g->movePool[5] = Move{Sq("e1"), Sq("f1"), 0, 0};  // onto an occupied square
    EXPECT_FALSE(PerformMove(*g, 5));
    g->movePool[5] = Move{0, 500, 0, 0};
    EXPECT_FALSE(PerformMove(*g, 5));
    EXPECT_FALSE(PerformMove(*g, -1));
    EXPECT_FALSE(PerformMove(*g, kMovePoolSize));
    EXPECT_EQ(g->board, board);
    EXPECT_EQ(g->gamePly, 0);
}

TEST(MakeMove, GameRecordFullAtTheEndOfTheMoveList) {
    auto g = test::DefaultGame();
    g->gamePly = kMaxGamePlies - 1;
    EXPECT_FALSE(GameRecordFull(*g));
    g->gamePly = kMaxGamePlies;
    EXPECT_TRUE(GameRecordFull(*g));
    g->gamePly = kGameRecordSize - 1;
    GenerateMoves(*g, 1);
    EXPECT_FALSE(PerformMove(*g, 0));  // the game record has no entry for it
}

// The same tree walked with the literal rules, making moves by hand.
uint64_t ReferencePerft(GameState& g, int depth) {
    const auto moves = test::ReferenceMoves(g, 1, 1000000);
    if (depth == 1) return moves.size();
    uint64_t nodes = 0;
    for (const auto& m : moves) {
        const int from = Sq(m.substr(0, 2)), to = Sq(m.substr(3, 2));
        g.board[to] = g.board[from];
        g.board[from] = kEmpty;
        g.side = -g.side;
        nodes += ReferencePerft(g, depth - 1);
        g.side = -g.side;
        g.board[from] = g.board[to];
        g.board[to] = kEmpty;
    }
    return nodes;
}

TEST(Perft, LiteralRulesGiveTheSameTree) {
    auto g = test::DefaultGame();
    EXPECT_EQ(ReferencePerft(*g, 3), 20050u);
}

TEST(Perft, DefaultStartCountsLeaveTheGameAsItWas) {
    auto g = test::DefaultGame();
    const Board board = g->board;
    EXPECT_EQ(Perft(*g, 1), 24u);
    EXPECT_EQ(Perft(*g, 2), 576u);
    EXPECT_EQ(Perft(*g, 3), 20050u);
    EXPECT_EQ(Perft(*g, 4), 699750u);
    const auto entries = PerftDivide(*g, 3);
    ASSERT_EQ(entries.size(), 24u);
    EXPECT_EQ(entries[0].from, Sq("e1"));
    EXPECT_EQ(entries[0].to, Sq("d2"));
    uint64_t total = 0;
    for (const auto& e : entries)
        total += e.count;
    EXPECT_EQ(total, 20050u);
    EXPECT_EQ(g->board, board);
    EXPECT_EQ(g->side, kWhite);
    EXPECT_EQ(g->ply, 0);
    EXPECT_EQ(g->gamePly, 0);
}

}  // namespace
}  // namespace zelkor
