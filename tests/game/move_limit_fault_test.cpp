// A game of 1000 half-moves fills the move list: every way of adding a move then stops
// with the same clear message, and the game can still be saved, loaded and navigated.
#include <gtest/gtest.h>

#include "controller_fixture.h"
#include "records/game_file.h"

namespace zelkor {
namespace {

class MoveLimit : public test::ControllerTest {
  protected:
    void PlayShuffle(int plies) {
        c().SelectPlayerPlayer();
        c().settings().ChessDrawRules = 0;  // let the shuffle go on
        const char* cycle[] = {"e1d2", "d8e7", "d2e1", "e7d8"};
        for (int ply = 0; ply < plies; ++ply)
            ASSERT_TRUE(Type(cycle[ply % 4])) << ply;
    }
    bool LimitShown() const {
        return LastMessage() != nullptr && LastMessage()->text == kMoveLimitMessage;
    }
};

TEST_F(MoveLimit, EveryWayOfMovingStopsAtTheLimit) {
    PlayShuffle(kMaxGamePlies);
    ASSERT_EQ(g().gamePly, kMaxGamePlies);

    ui.messages.clear();
    c().BoardDrop(Sq("e1"), Sq("d2"));
    EXPECT_TRUE(LimitShown());
    ui.messages.clear();
    c().LegalMoveChosen(0);
    EXPECT_EQ(g().gamePly, kMaxGamePlies);
    c().ComputeCommand();  // the game is over: the computer does not move either
    EXPECT_TRUE(g().gameOver);
    EXPECT_FALSE(c().InputMove("E1D2"));
    EXPECT_EQ(g().gamePly, kMaxGamePlies);
    EXPECT_EQ(g().recordLength, kMaxGamePlies);
}

TEST_F(MoveLimit, ComputerComputerPlayStopsAtTheLimit) {
    PlayShuffle(kMaxGamePlies - 2);
    ui.messages.clear();
    c().settings().SearchDepth = 1;
    c().RunComputerComputer();
    EXPECT_LE(g().gamePly, kMaxGamePlies);
    if (g().gamePly == kMaxGamePlies) {
        EXPECT_TRUE(LimitShown());
    }
    EXPECT_TRUE(g().gameOver);
}

TEST_F(MoveLimit, AFullGameIsSavedAndLoadedWhole) {
    PlayShuffle(kMaxGamePlies);
    ASSERT_TRUE(c().SaveGameFile(dir / "long.zlk"));
    c().NewGameCommand(false);
    ASSERT_TRUE(c().LoadGameFile(dir / "long.zlk"));
    EXPECT_EQ(g().gamePly, kMaxGamePlies);
    EXPECT_EQ(g().gameMoveLines.size(), static_cast<size_t>(kMaxGamePlies));
    c().First();
    EXPECT_EQ(g().gamePly, 0);
    c().Last();
    EXPECT_EQ(g().gamePly, kMaxGamePlies);
    ui.messages.clear();
    EXPECT_FALSE(Type("e1d2"));
    EXPECT_TRUE(LimitShown());
}

TEST_F(MoveLimit, AFileWithMoreMovesLoadsUpToTheLimit) {
    std::string text =
        "ZELKOR Version=0.10\r\nVariant=1\r\nSetup=" + std::string(kDefaultSetup) + "\r\nSTART\r\n";
    const char* cycle[] = {"e1d2", "d8e7", "d2e1", "e7d8"};
    for (int ply = 0; ply < 1200; ++ply)
        text += std::string(cycle[ply % 4]) + "\r\n";
    test::WriteFile(dir / "longer.zlk", text);
    c().settings().ChessDrawRules = 0;
    c().LoadGameFile(dir / "longer.zlk");
    EXPECT_LE(g().gamePly, kMaxGamePlies);
    EXPECT_LE(g().recordLength, kMaxGamePlies);
    EXPECT_FALSE(c().loading());
}

}  // namespace
}  // namespace zelkor
