// Every move the generator offers in a random position under random rules can be entered
// through InputMove, which plays exactly that move.
#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "controller_fixture.h"
#include "rules/game_setup.h"
#include "rules/movegen.h"
#include "support/random_positions.h"

namespace zelkor {
namespace {

std::string Typed(int square) {
    std::string name = SquareName(square);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

class InputMoveProperty : public test::ControllerTest {
  protected:
    // The random game becomes the controller's position, with an empty game record.
    void Load(const GameState& drawn) {
        GameState& game = g();
        game.active = drawn.active;
        ApplyRules(game);
        ResetGameTree(game);
        game.recordLength = 0;
        game.board = drawn.board;
        game.side = drawn.side;
    }
};

TEST_F(InputMoveProperty, EveryGeneratedMoveIsReplayable) {
    std::mt19937 rng(4242);
    long long played = 0;
    for (int game = 0; game < 800; ++game) {
        const auto drawn = test::RandomGame(rng);
        Load(*drawn);
        SCOPED_TRACE("case " + std::to_string(game) + ": " + SetupText(drawn->board));
        GenerateMoves(g(), 1);
        std::vector<Move> moves(g().movePool.begin() + g().plyStart[0],
                                g().movePool.begin() + g().plyStart[1]);
        for (const Move& m : moves) {
            Load(*drawn);
            const std::string text = Typed(m.Source) + Typed(m.dest);
            ASSERT_TRUE(c().InputMove(text)) << text;
            ASSERT_EQ(g().board[m.dest], drawn->side) << text;
            ASSERT_EQ(g().board[m.Source], kEmpty) << text;
            ASSERT_EQ(g().side, -drawn->side);
            ASSERT_EQ(g().gamePly, 1);
            ASSERT_EQ(g().gameRecord[1].Source, m.Source);
            ++played;
        }
    }
    EXPECT_GT(played, 5000);
}

}  // namespace
}  // namespace zelkor
