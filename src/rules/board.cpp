#include "rules/board.h"

namespace zelkor {

Board EmptyBoard() {
    Board board;
    board.fill(kOffBoard);
    for (int square : kPlayingSquares)
        board[square] = kEmpty;
    return board;
}

std::string SquareName(int square) {
    if (!IsPlayingSquare(square)) return "--";
    std::string name(2, ' ');
    name[0] = static_cast<char>('a' + ColumnOf(square) - 1);
    name[1] = static_cast<char>('1' + RowOf(square) - 2);
    return name;
}

std::string SquareNotation(const Board& board, int SquareNum, int /*sp1*/) {
    if (SquareNum < 21 || SquareNum > 98 || board[SquareNum] == kOffBoard) return "--";
    return SquareName(SquareNum);
}

int SquareNumber(std::string_view SquareNot) {
    if (SquareNot.size() < 2) return 0;
    const char letter = SquareNot[0];
    const char digit = SquareNot[1];
    if (letter < 'A' || letter > 'H' || digit < '1' || digit > '8') return 0;
    return (digit - '1' + 2) * 10 + (letter - 'A' + 1);
}

}  // namespace zelkor
