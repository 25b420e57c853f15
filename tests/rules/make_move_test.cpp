// Making and taking back moves, perft counts, and thousands of random positions under
// random rule sets: every generated move is a move of the side to move onto an empty
// square, generation leaves the position alone, and making and taking back any move (and
// any reply) restores everything. Out-of-bounds writes show up in the sanitizer build.
#include <gtest/gtest.h>

#include <random>

#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/perft.h"
#include "rules_test_util.h"
#include "support/random_positions.h"

namespace zelkor {
namespace {

using test::Sq;

struct Snapshot {
    Board board;
    int side, ply, gamePly;
    explicit Snapshot(const GameState& g)
        : board(g.board), side(g.side), ply(g.ply), gamePly(g.gamePly) {}
    bool operator==(const Snapshot&) const = default;
};

TEST(MakeMove, JumpMovesOnlyTheJumperAndIsTakenBack) {
    auto g = test::EmptyGame(DefaultRules());
    test::Place(*g, {"d4"}, {"d5"});
    GenerateMoves(*g, 1);
    const auto texts = test::MoveTexts(*g);
    const int jump =
        static_cast<int>(std::find(texts.begin(), texts.end(), "d4xd6") - texts.begin());
    ASSERT_LT(jump, static_cast<int>(texts.size()));
    const Snapshot before(*g);
    ASSERT_TRUE(PerformMove(*g, jump));
    EXPECT_EQ(std::tuple(g->board[Sq("d4")], g->board[Sq("d5")], g->board[Sq("d6")]),
              std::tuple(kEmpty, kBlackMan, kWhiteMan));
    EXPECT_EQ(std::tuple(g->jumpAtPly[1], g->ply, g->gamePly, g->side),
              std::tuple(1, 1, 1, kBlack));
    ASSERT_TRUE(TakeBackMove(*g, jump));
    EXPECT_TRUE(Snapshot(*g) == before);
}

TEST(MakeMove, RefusesWhatIsNoMoveAndStaysInsideTheTables) {
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

    // The tree ends at its last ply without touching the board.
    GenerateMoves(*g, 1);
    g->ply = kMaxPly;
    g->plyStart[kMaxPly] = 0;
    EXPECT_FALSE(PerformMove(*g, 0));
    EXPECT_EQ(g->cancelRequest, 1);
    EXPECT_FALSE(TakeBackMove(*g, 0));  // taking back the refused move changes nothing
    EXPECT_EQ(std::tuple(g->board, g->ply, g->gamePly), std::tuple(board, kMaxPly, 0));
    GenerateMoves(*g, 1);  // generating at the last ply stays inside the tables
    EXPECT_EQ(g->plyStart[kMaxPly + 1], 24);

    // The game record ends at the end of the move list.
    auto h = test::DefaultGame();
    h->gamePly = kMaxGamePlies - 1;
    EXPECT_FALSE(GameRecordFull(*h));
    h->gamePly = kMaxGamePlies;
    EXPECT_TRUE(GameRecordFull(*h));
    h->gamePly = kGameRecordSize - 1;
    GenerateMoves(*h, 1);
    EXPECT_FALSE(PerformMove(*h, 0));  // the game record has no entry for it
}

// The same tree walked with the literal rules, making moves by hand.
uint64_t ReferencePerft(GameState& g, int depth) {
    const auto moves = test::ReferenceMoves(g, 1, 1000000);
    if (depth == 1) return moves.size();
    uint64_t nodes = 0;
    for (const auto& m : moves) {
        const int from = Sq(m.substr(0, 2)), to = Sq(m.substr(3, 2));
        std::swap(g.board[from], g.board[to]);
        g.side = -g.side;
        nodes += ReferencePerft(g, depth - 1);
        g.side = -g.side;
        std::swap(g.board[from], g.board[to]);
    }
    return nodes;
}

TEST(Perft, DefaultStartCountsLeaveTheGameAsItWas) {
    auto g = test::DefaultGame();
    const Snapshot before(*g);
    EXPECT_EQ(ReferencePerft(*g, 3), 20050u);
    const std::vector<uint64_t> counts = {Perft(*g, 1), Perft(*g, 2), Perft(*g, 3), Perft(*g, 4)};
    EXPECT_EQ(counts, (std::vector<uint64_t>{24, 576, 20050, 699750}));
    const auto entries = PerftDivide(*g, 3);
    ASSERT_EQ(entries.size(), 24u);
    EXPECT_EQ(std::tuple(entries[0].from, entries[0].to), std::tuple(Sq("e1"), Sq("d2")));
    uint64_t total = 0;
    for (const auto& e : entries)
        total += e.count;
    EXPECT_EQ(total, 20050u);
    EXPECT_TRUE(Snapshot(*g) == before);
}

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
    // Random walks to the deepest ply the tables hold and back: PerformMove refuses the
    // move beyond, and everything is restored.
    std::mt19937 rng(77);
    for (int game = 0; game < 60; ++game) {
        auto g = test::RandomGame(rng);
        g->gamePly = 17;
        const Snapshot start(*g);
        // The search's account of the position follows every move and comes back with it.
        for (PositionKey& key : g->positionHistory)
            key = PositionKey{rng(), rng() % 4};
        StartTracking(*g);
        const PathFilter startFilter = g->pathFilter;
        std::vector<int> played;
        while (g->ply < kMaxPly) {
            GenerateMoves(*g, static_cast<int>(rng() % 2));
            const int count = MoveCount(*g);
            if (count == 0 || g->cancelRequest != 0) break;
            const int chosen = g->plyStart[g->ply] + static_cast<int>(rng() % count);
            ASSERT_TRUE(PerformMove(*g, chosen));
            ASSERT_TRUE(g->tracked == TrackPosition(*g));
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
        EXPECT_TRUE(g->tracked == TrackPosition(*g));
        EXPECT_TRUE(g->pathFilter == startFilter);
        StopTracking(*g);
    }
}

}  // namespace
}  // namespace zelkor
