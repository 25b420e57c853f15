// The board, squares and their notation.
//
// A position lives in a 10-column mailbox of 120 entries: rows 2..9 are ranks 1..8 and
// columns 1..8 are files a..h, so a1 = 21 and h8 = 98. Every other entry holds the
// off-board marker, which lets a step or a two-square jump in any direction land on a
// marker instead of leaving the array.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelkor {

constexpr int kBoardEntries = 120;
constexpr int kOffBoard = 100;
// Marks a square a jump chain has already left; only present inside move generation.
constexpr int kChainMark = 10;

constexpr int kEmpty = 0;
constexpr int kWhiteMan = 1;
constexpr int kBlackMan = -1;

// Side to move: +1 White, -1 Black. Per-side tables use index 0 White, 1 Black.
constexpr int kWhite = 1;
constexpr int kBlack = -1;
constexpr int SideIndex(int side) {
    return side == kWhite ? 0 : 1;
}

// Direction offsets as seen by White; Black's are the negated values.
constexpr int kNorth = 10;
constexpr int kSouth = -10;
constexpr int kEast = 1;
constexpr int kWest = -1;
constexpr int kNorthEast = 11;
constexpr int kNorthWest = 9;
constexpr int kSouthEast = -9;
constexpr int kSouthWest = -11;

using Board = std::array<int32_t, kBoardEntries>;

constexpr int SquareOf(int file, int rank) {
    return (rank + 1) * 10 + file;
}  // file, rank 1..8
constexpr int RowOf(int square) {
    return square / 10;
}
constexpr int ColumnOf(int square) {
    return square % 10;
}
// Read at every node of the search (making moves, the win test): a look-up, not arithmetic.
inline constexpr std::array<bool, kBoardEntries> kPlayingSquareTable = [] {
    std::array<bool, kBoardEntries> playing{};
    for (int square = 21; square <= 98; ++square)
        playing[square] = ColumnOf(square) >= 1 && ColumnOf(square) <= 8;
    return playing;
}();
constexpr bool IsPlayingSquare(int square) {
    return static_cast<unsigned>(square) < static_cast<unsigned>(kBoardEntries) &&
           kPlayingSquareTable[square];
}
constexpr int ManhattanDistance(int a, int b) {
    const int dr = RowOf(a) - RowOf(b);
    const int dc = ColumnOf(a) - ColumnOf(b);
    return (dr < 0 ? -dr : dr) + (dc < 0 ? -dc : dc);
}

// The 64 playing squares in increasing square number (a1, b1, ..., h1, a2, ..., h8).
constexpr std::array<int, 64> PlayingSquares() {
    std::array<int, 64> squares{};
    for (int i = 0; i < 64; ++i)
        squares[i] = SquareOf(i % 8 + 1, i / 8 + 1);
    return squares;
}
inline constexpr std::array<int, 64> kPlayingSquares = PlayingSquares();

// An empty board: off-board markers around 64 empty squares.
Board EmptyBoard();

// "a1".."h8" for a playing square whose entry is not the off-board marker, else "--".
// The second argument is accepted for callers that pass it and ignored.
std::string SquareNotation(const Board& board, int SquareNum, int sp1 = 0);
// Same, without a board: only the number decides.
std::string SquareName(int square);

// Reads the first two characters: "A".."H" then "1".."8" (upper case only). 0 otherwise.
int SquareNumber(std::string_view SquareNot);

}  // namespace zelkor
