// Thousands of random positions under random rule sets: every generated move is a move of
// the side to move onto an empty square, generation leaves the position alone, and making
// and taking back any move (and any reply) restores everything. Out-of-bounds writes in
// the generator's tables show up in the sanitizer build.
#include <gtest/gtest.h>

#include <random>

#include "rules/make_move.h"
#include "rules/movegen.h"
#include "support/random_positions.h"

namespace zelkor {
namespace {

struct Snapshot {
    Board board;
    int side;
    int ply;
    int gamePly;
    explicit Snapshot(const GameState& g)
        : board(g.board), side(g.side), ply(g.ply), gamePly(g.gamePly) {}
    bool operator==(const Snapshot&) const = default;
};

// Checks the moves of the current ply; with depth > 1 also every reply of the first few.
void CheckMovesAt(GameState& g, int allMoves, int depth, long long& moves) {
    const Snapshot before(g);
    GenerateMoves(g, allMoves);
    ASSERT_TRUE(Snapshot(g) == before) << "generation changed the position";
    const int first = g.plyStart[g.ply];
    const int last = g.plyStart[g.ply + 1];
    ASSERT_LE(first, last);
    ASSERT_LE(last, kMovePoolSize);
    for (int i = first; i < last; ++i) {
        const Move m = g.movePool[i];
        ASSERT_TRUE(IsPlayingSquare(m.Source) && IsPlayingSquare(m.dest));
        ASSERT_NE(m.Source, m.dest);
        ASSERT_EQ(g.board[m.Source], g.side);
        ASSERT_EQ(g.board[m.dest], kEmpty);
        ASSERT_TRUE(PerformMove(g, i));
        ++moves;
        ASSERT_EQ(g.board[m.dest], -g.side);
        ASSERT_EQ(g.board[m.Source], kEmpty);
        if (depth > 1 && i < first + 3) CheckMovesAt(g, allMoves, depth - 1, moves);
        ASSERT_TRUE(TakeBackMove(g, i));
        ASSERT_TRUE(Snapshot(g) == before) << "move " << SquareName(m.Source) << "-"
                                           << SquareName(m.dest) << " was not taken back";
        ASSERT_EQ(g.plyStart[g.ply + 1], last) << "a reply overwrote the moves of this ply";
        ASSERT_EQ(g.movePool[i].Source, m.Source);
        ASSERT_EQ(g.movePool[i].dest, m.dest);
    }
}

TEST(MakeMoveProperty, RandomPositionsAndRulesRestoreEverything) {
    std::mt19937 rng(9091);
    long long moves = 0;
    for (int game = 0; game < 2000; ++game) {
        auto g = test::RandomGame(rng);
        SCOPED_TRACE("case " + std::to_string(game) + ": " + SetupText(g->board));
        CheckMovesAt(*g, static_cast<int>(rng() % 2), 2, moves);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(moves, 10000);
}

TEST(MakeMoveProperty, DeepLinesStayInsideTheTables) {
    // Random walks to the deepest ply the tables hold: PerformMove refuses the move beyond.
    std::mt19937 rng(77);
    for (int game = 0; game < 60; ++game) {
        auto g = test::RandomGame(rng);
        const Snapshot start(*g);
        std::vector<int> played;
        while (g->ply < kMaxPly) {
            GenerateMoves(*g, 1);
            const int count = MoveCount(*g);
            if (count == 0 || g->cancelRequest != 0) break;
            const int chosen = g->plyStart[g->ply] + static_cast<int>(rng() % count);
            ASSERT_TRUE(PerformMove(*g, chosen));
            played.push_back(chosen);
        }
        if (g->ply == kMaxPly) {
            GenerateMoves(*g, 1);
            if (MoveCount(*g) > 0) {
                EXPECT_FALSE(PerformMove(*g, g->plyStart[g->ply]));
            }
        }
        for (auto it = played.rbegin(); it != played.rend(); ++it)
            ASSERT_TRUE(TakeBackMove(*g, *it));
        EXPECT_TRUE(Snapshot(*g) == start);
    }
}

}  // namespace
}  // namespace zelkor
