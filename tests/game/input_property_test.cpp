// Every generated move in random positions and rules can be entered and plays that move.
#include <gtest/gtest.h>

#include <random>

#include "controller_fixture.h"
#include "engine/bench.h"
#include "rules/game_setup.h"
#include "rules/movegen.h"
#include "support/random_positions.h"

namespace zelkor {
namespace {

using InputMoveProperty = test::ControllerTest;

TEST_F(InputMoveProperty, EveryGeneratedMoveIsReplayable) {
    std::mt19937 rng(4242);
    long long played = 0;
    for (int game = 0; game < 800; ++game) {
        const auto drawn = test::RandomGame(rng);
        // The random game becomes the controller's position, with an empty game record.
        const auto load = [&] {
            SetUpPosition(g(), drawn->active, SetupText(drawn->board), drawn->side, 0);
        };
        load();
        SCOPED_TRACE("case " + std::to_string(game) + ": " + SetupText(drawn->board));
        for (const Move& m : LegalMoves(g())) {
            load();
            const std::string text =
                NormaliseTypedMove(SquareName(m.Source) + SquareName(m.dest), 'x');
            ASSERT_TRUE(c().InputMove(text)) << text;
            ASSERT_EQ(std::tuple(g().board[m.dest], g().board[m.Source], g().side, g().gamePly,
                                 g().gameRecord[1].Source),
                      std::tuple(drawn->side, kEmpty, -drawn->side, 1, m.Source))
                << text;
            ++played;
        }
    }
    EXPECT_GT(played, 5000);
}

}  // namespace
}  // namespace zelkor
