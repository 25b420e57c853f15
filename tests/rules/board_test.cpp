#include <gtest/gtest.h>

#include "rules/board.h"
#include "rules/variant.h"

namespace zelkor {
namespace {

TEST(Notation, SquareNotationWritesLowerCaseAndRejectsOffBoard) {
    const Board board = EmptyBoard();
    EXPECT_EQ(SquareNotation(board, 21), "a1");
    EXPECT_EQ(SquareNotation(board, 98), "h8");
    EXPECT_EQ(SquareNotation(board, 58), "h4");
    for (int square : {0, 20, 29, 30, 99, 100, 119, -5, 500})
        EXPECT_EQ(SquareNotation(board, square), "--") << square;
}

TEST(Notation, SquareNumberReadsOnlyTwoUpperCaseCharacters) {
    EXPECT_EQ(SquareNumber("A1"), 21);
    EXPECT_EQ(SquareNumber("H8"), 98);
    EXPECT_EQ(SquareNumber("B3xyz"), 42);
    for (const char* text : {"a1", "I1", "A9", "", "A", "A0", "@1"})
        EXPECT_EQ(SquareNumber(text), 0) << text;
}

TEST(Directions, UnknownNameEndsItsListAndBlackIsMirrored) {
    DirectionTable table{};
    EXPECT_TRUE(ParseDirections("N;E W", 1, table));
    EXPECT_EQ(table[1][0], -10);
    EXPECT_EQ(table[1][1], -1);
    EXPECT_EQ(table[1][2], kDirectionEnd);
    EXPECT_EQ(table[3][0], 1);
    EXPECT_EQ(table[3][1], kDirectionEnd);

    EXPECT_FALSE(ParseDirections("N;X;E S", 0, table));
    EXPECT_EQ(table[0][0], 10);
    EXPECT_EQ(table[0][1], kDirectionEnd);
    EXPECT_EQ(table[2][0], -10);
    EXPECT_EQ(table[2][1], kDirectionEnd);
}

TEST(Directions, NineNamesDoNotOverflowTheRow) {
    DirectionTable table{};
    EXPECT_FALSE(ParseDirections("N;N;N;N;N;N;N;N;N N", 0, table));
    EXPECT_EQ(table[0][8], kDirectionEnd);
    EXPECT_EQ(table[2][0], 10);
}

TEST(HomeSquares, DefaultListsReorderToTheFarCorners) {
    HomeSquares home = DefaultHomeSquares();
    ReorderHomeSquares(home);
    EXPECT_EQ(home[0][0], 91);
    EXPECT_EQ(home[1][0], 28);
    const HomeTables tables = BuildHomeTables(home);
    EXPECT_EQ(tables.targetCount[0], 10);
    EXPECT_EQ(tables.owner[91], 0);
    EXPECT_EQ(tables.owner[28], 1);
    EXPECT_EQ(tables.owner[55], -1);
    EXPECT_EQ(tables.targetDistance[0][91], 125);
    EXPECT_EQ(tables.targetDistance[0][28], 1);  // eleven steps from A5, B6 and D8
}

TEST(HomeSquares, TextRoundTripSkipsEmptyAndLowerCasePieces) {
    const auto list = ParseHomeSquares("A8B8");
    EXPECT_EQ(list[0], 91);
    EXPECT_EQ(list[1], 92);
    EXPECT_EQ(list[2], kEmptySlot);
    EXPECT_EQ(HomeSquaresText(list), "A8B8");
    EXPECT_EQ(ParseHomeSquares("a8b8")[0], kEmptySlot);
}

TEST(Setup, DefaultSetupRoundTripsAndForeignDigitsBecomeEmpty) {
    Board board = EmptyBoard();
    EXPECT_TRUE(ApplySetupText(kDefaultSetup, board));
    EXPECT_EQ(board[25], kWhiteMan);
    EXPECT_EQ(board[91], kBlackMan);
    EXPECT_EQ(SetupText(board), kDefaultSetup);
    EXPECT_FALSE(ApplySetupText("39", board));
    EXPECT_EQ(board[21], kEmpty);
    EXPECT_EQ(board[22], kEmpty);
    EXPECT_EQ(board[20], kOffBoard);
}

}  // namespace
}  // namespace zelkor
