#include "engine/evaluate.h"

#include <algorithm>
#include <cmath>

#include "rules/win.h"

namespace zelkor {

namespace {

// The 16-bit image of the eight squares from `first` on, adding their distance values.
// Codes as MakePositionKey gives them: 0 empty, 1 White, 2 Black, 3 any other value (a
// set-up digit no rule knows), formed without branches.
inline uint64_t RankImage(const int32_t* board, const int32_t* whiteDistance,
                          const int32_t* blackDistance, int first, int& sum) {
    uint64_t bits = 0;
    for (int file = 0; file < 8; ++file) {
        const int square = first + file;
        const int v = board[square];
        sum += (v > 0 ? whiteDistance[square] : 0) - (v < 0 ? blackDistance[square] : 0);
        const uint64_t white = v == kWhiteMan;
        const uint64_t black = v == kBlackMan;
        const uint64_t other = (v != kEmpty) & !white & !black;
        const uint64_t code = white | (black << 1) | (other * 3);
        bits |= code << (2 * file);
    }
    return bits;
}

}  // namespace

int Evaluate(Engine& e, int /*alpha*/, int /*beta*/, int side) {
    GameState& g = e.game;
    SearchState& s = e.search;
    s.opponentHasWon = 0;

    const WinState win = CheckWinConditions(g);
    if (win.won(-side)) s.opponentHasWon = 1;
    if (win.won(side)) return kWinScore - g.ply;

    if (s.repetitionCount != 0) return 0;

    // One pass over the 64 squares builds the key (the same image MakePositionKey makes:
    // 0 empty, 1 White, 2 Black, two bits a square) and the distance sum.
    const int32_t* board = g.board.data();
    const int32_t* whiteDistance = g.homeTables.targetDistance[0].data();
    const int32_t* blackDistance = g.homeTables.targetDistance[1].data();
    int sum = 0;
    uint64_t low = 0;
    uint64_t high = 0;
    for (int rank = 0; rank < 4; ++rank)
        low |= RankImage(board, whiteDistance, blackDistance, 21 + 10 * rank, sum) << (16 * rank);
    for (int rank = 0; rank < 4; ++rank)
        high |= RankImage(board, whiteDistance, blackDistance, 61 + 10 * rank, sum) << (16 * rank);
    const PositionKey key{low, high};

    // Entries 0 .. GamePly - 2: the game so far and the search line above this node.
    const int last = std::min(g.gamePly - 2, kHistorySize - 1);
    for (int k = 0; k <= last; ++k)
        if (g.positionHistory[k] == key) return 0;
    if (g.gamePly > 0 && g.gamePly - 1 < kHistorySize) g.positionHistory[g.gamePly - 1] = key;

    int raw = 100 * win.whiteIn + sum - 100 * win.blackIn;
    if (side == kBlack) raw = -raw;

    const int n = s.noiseAmplitude;
    if (n == 0) return raw;  // floor(0 * r) is 0 whatever r is; save the draws
    const double r1 = e.random.Uniform();
    const double r2 = e.random.Uniform();
    return raw + static_cast<int>(std::floor(n * r1)) - static_cast<int>(std::floor(n * r2));
}

int CountKeyRepetitions(const GameState& g, int lastIndex) {
    const PositionKey key = MakePositionKey(g.board);
    const int last = std::min(lastIndex, kHistorySize - 1);
    int count = 0;
    for (int k = 0; k <= last; ++k)
        if (g.positionHistory[k] == key) ++count;
    return count;
}

void CountRepetitions(const GameState& g, SearchState& search, int lastIndex) {
    search.repetitionCount = CountKeyRepetitions(g, lastIndex);
}

int NoiseAmplitudeFor(int storedStrength) {
    const int n = 70 * storedStrength - 70;
    if (n == 0) return 5;
    return n < 0 ? 0 : n;
}

}  // namespace zelkor
