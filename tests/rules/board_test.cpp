#include <gtest/gtest.h>

#include "rules/board.h"
#include "rules/variant.h"

namespace zelkor {
namespace {

TEST(Notation, SquareNamesBothWays) {
    const Board board = EmptyBoard();
    const std::pair<int, const char*> names[] = {{21, "a1"}, {98, "h8"}, {58, "h4"}};
    for (auto [square, name] : names)
        EXPECT_EQ(SquareNotation(board, square), name);
    for (int square : {0, 20, 29, 30, 99, 100, 119, -5, 500})
        EXPECT_EQ(SquareNotation(board, square), "--") << square;
    // Only two upper-case characters are read.
    const std::pair<const char*, int> numbers[] = {{"A1", 21}, {"H8", 98}, {"B3xyz", 42}, {"a1", 0},
                                                   {"I1", 0},  {"A9", 0},  {"", 0},       {"A", 0},
                                                   {"A0", 0},  {"@1", 0}};
    for (auto [text, square] : numbers)
        EXPECT_EQ(SquareNumber(text), square) << text;
}

TEST(Directions, UnknownNameEndsItsListBlackIsMirroredAndRowsDoNotOverflow) {
    DirectionTable table{};
    EXPECT_TRUE(ParseDirections("N;E W", 1, table));
    EXPECT_EQ(std::tuple(table[1][0], table[1][1], table[1][2], table[3][0], table[3][1]),
              std::tuple(-10, -1, kDirectionEnd, 1, kDirectionEnd));
    EXPECT_FALSE(ParseDirections("N;X;E S", 0, table));
    EXPECT_EQ(std::tuple(table[0][0], table[0][1], table[2][0], table[2][1]),
              std::tuple(10, kDirectionEnd, -10, kDirectionEnd));
    EXPECT_FALSE(ParseDirections("N;N;N;N;N;N;N;N;N N", 0, table));
    EXPECT_EQ(std::tuple(table[0][8], table[2][0]),
              std::tuple(int16_t{kDirectionEnd}, int16_t{10}));
}

TEST(HomeSquares, ReorderTablesAndTexts) {
    HomeSquares home = DefaultHomeSquares();
    ReorderHomeSquares(home);  // to the far corners
    EXPECT_EQ(std::tuple(home[0][0], home[1][0]), std::tuple(91, 28));
    const HomeTables tables = BuildHomeTables(home);
    EXPECT_EQ(
        std::tuple(tables.targetCount[0], tables.owner[91], tables.owner[28], tables.owner[55]),
        std::tuple(10, 0, 1, -1));
    EXPECT_EQ(tables.targetDistance[0][91], 125);
    EXPECT_EQ(tables.targetDistance[0][28], 1);  // eleven steps from A5, B6 and D8

    const auto list = ParseHomeSquares("A8B8");  // lower-case pieces and empty slots skipped
    EXPECT_EQ(std::tuple(list[0], list[1], list[2]), std::tuple(91, 92, kEmptySlot));
    EXPECT_EQ(HomeSquaresText(list), "A8B8");
    EXPECT_EQ(ParseHomeSquares("a8b8")[0], kEmptySlot);
}

TEST(Setup, DefaultSetupRoundTripsAndForeignDigitsBecomeEmpty) {
    Board board = EmptyBoard();
    EXPECT_TRUE(ApplySetupText(kDefaultSetup, board));
    EXPECT_EQ(std::tuple(board[25], board[91]), std::tuple(kWhiteMan, kBlackMan));
    EXPECT_EQ(SetupText(board), kDefaultSetup);
    EXPECT_FALSE(ApplySetupText("39", board));
    EXPECT_EQ(std::tuple(board[21], board[22], board[20]), std::tuple(kEmpty, kEmpty, kOffBoard));
}

}  // namespace
}  // namespace zelkor
