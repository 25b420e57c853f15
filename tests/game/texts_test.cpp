#include <gtest/gtest.h>

#include "game/controller.h"

namespace zelkor {
namespace {

TEST(MoveListText, FirstSideLinesAreNumberedInFourColumns) {
    EXPECT_EQ(GameMoveLine(1, "e1-d2", false), "   1. e1-d2");
    EXPECT_EQ(GameMoveLine(17, "c3-d4", false), "   9. c3-d4");
    EXPECT_EQ(GameMoveLine(19, "c3-d4", false), "  10. c3-d4");
    EXPECT_EQ(GameMoveLine(199, "c3xc5", true), " 100. c3xc5b");
}

TEST(MoveListText, SecondSideLinesAreIndentedBySixBlanks) {
    EXPECT_EQ(GameMoveLine(2, "d8-e7", false), "      d8-e7");
    EXPECT_EQ(GameMoveLine(20, "d8-e7", true), "      d8-e7b");
    // The move text starts in the same column on both sides.
    EXPECT_EQ(GameMoveLine(1, "a", false).size(), GameMoveLine(2, "a", false).size());
}

TEST(TypedMoves, SeparatorsAndJumpCharactersAreRemoved) {
    for (const char* text : {"c3d4", "c3-d4", "c3xd4", "C3XD4", "C3-d4", "c3xxd4"})
        EXPECT_EQ(NormaliseTypedMove(text, 'x'), "C3D4") << text;
    EXPECT_EQ(NormaliseTypedMove("e3:e5", ':'), "E3E5");
    EXPECT_EQ(NormaliseTypedMove("e3xe5", ':'), "E3XE5");  // not the jump character then
    EXPECT_EQ(NormaliseTypedMove("c-d4", 'x'), " CD4");    // one-character parts are padded
    EXPECT_EQ(NormaliseTypedMove("c3-d", 'x'), "C3 D");
    EXPECT_EQ(NormaliseTypedMove("a1-b2-c3", 'x'), "A1B2C3");
    EXPECT_EQ(NormaliseTypedMove("", 'x'), "");
}

TEST(LevelDisplay, ShowsStrengthAndTimeOrDepth) {
    Settings settings;
    EXPECT_EQ(LevelText(settings), "Strength: 9   Time: 2 sec");
    settings.UseDepth = 1;
    settings.SearchDepth = 4;
    settings.Handicap = 0;
    EXPECT_EQ(LevelText(settings), "Strength: 10   Depth: 4 ply");
}

}  // namespace
}  // namespace zelkor
