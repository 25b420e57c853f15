// In random positions under random rules the search, at a small depth, answers with one of
// the legal moves whenever the side to move has one.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "engine/driver.h"
#include "engine_fixture.h"
#include "rules/movegen.h"
#include "support/random_positions.h"

namespace zelkor::test {
namespace {

class SearchProperty : public EngineTest {};

TEST_F(SearchProperty, ReturnsALegalMoveWheneverThereIsOne) {
    std::mt19937 rng(31337);
    int searched = 0;
    for (int game = 0; game < 1000; ++game) {
        const auto random = RandomGame(rng);
        g = *random;
        g.ui = &ui;
        s.noiseAmplitude = 0;
        SCOPED_TRACE("case " + std::to_string(game) + ": " + SetupText(g.board));
        GenerateMoves(g, 1);
        std::set<std::pair<int, int>> legal;
        for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i)
            legal.insert({g.movePool[i].Source, g.movePool[i].dest});
        const Board board = g.board;
        RootSearchLimits limits;
        limits.depth = 1 + game % 2;
        const int depth = SearchPosition(e, limits);
        ASSERT_EQ(g.board, board) << "the search left the position changed";
        if (legal.empty()) {
            EXPECT_EQ(depth, -1);
            continue;
        }
        if (depth < 0) continue;  // the position is already decided
        ++searched;
        EXPECT_TRUE(legal.count({g.movePool[0].Source, g.movePool[0].dest}))
            << SquareName(g.movePool[0].Source) << "-" << SquareName(g.movePool[0].dest);
    }
    EXPECT_GT(searched, 600);
}

}  // namespace
}  // namespace zelkor::test
