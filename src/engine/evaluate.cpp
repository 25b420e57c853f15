#include "engine/evaluate.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rules/make_move.h"
#include "rules/win.h"

namespace zelkor {

namespace {

// The board image and the distance sum of the 64 playing squares, the image as
// MakePositionKey gives it: White men in one bitboard, Black men in the other, any other
// value that is not empty (a set-up digit no rule knows) in both. Runs at every node, so
// it works a rank at a time.
struct BoardImage {
    PositionKey key;
    int sum = 0;  // White's distance values minus Black's
};

#if defined(__SSE2__)

inline int Mask(__m128i lanes) {
    return _mm_movemask_ps(_mm_castsi128_ps(lanes));
}

// Four squares from `first`: adds their distance values and returns the flags of White
// men, Black men and empty squares (bit i for square first + i).
inline void Quad(const int32_t* board, const int32_t* white, const int32_t* black, int first,
                 __m128i& sum, int& whites, int& blacks, int& empties) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board + first));
    const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(white + first));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(black + first));
    const __m128i positive = _mm_cmpgt_epi32(v, zero);
    const __m128i negative = _mm_cmplt_epi32(v, zero);
    sum = _mm_add_epi32(sum, _mm_sub_epi32(_mm_and_si128(positive, w), _mm_and_si128(negative, b)));
    whites = Mask(_mm_cmpeq_epi32(v, _mm_set1_epi32(kWhiteMan)));
    blacks = Mask(_mm_cmpeq_epi32(v, _mm_set1_epi32(kBlackMan)));
    empties = Mask(_mm_cmpeq_epi32(v, zero));
}

BoardImage ImageOf(const int32_t* board, const int32_t* white, const int32_t* black) {
    __m128i sum = _mm_setzero_si128();
    uint64_t whiteBits = 0;
    uint64_t blackBits = 0;
    for (int rank = 0; rank < 8; ++rank) {
        const int first = 21 + 10 * rank;
        int w0, b0, e0, w1, b1, e1;
        Quad(board, white, black, first, sum, w0, b0, e0);
        Quad(board, white, black, first + 4, sum, w1, b1, e1);
        const int whites = w0 | w1 << 4;
        const int blacks = b0 | b1 << 4;
        const int others = ~(whites | blacks | e0 | e1 << 4) & 0xff;
        whiteBits |= static_cast<uint64_t>(whites | others) << (8 * rank);
        blackBits |= static_cast<uint64_t>(blacks | others) << (8 * rank);
    }
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(1, 0, 3, 2)));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(2, 3, 0, 1)));
    return BoardImage{PositionKey{whiteBits, blackBits}, _mm_cvtsi128_si32(sum)};
}

#else

BoardImage ImageOf(const int32_t* board, const int32_t* white, const int32_t* black) {
    BoardImage image;
    for (int i = 0; i < 64; ++i) {
        const int square = kPlayingSquares[i];
        const int v = board[square];
        image.sum += (v > 0 ? white[square] : 0) - (v < 0 ? black[square] : 0);
        const uint64_t bit = uint64_t{1} << i;
        if (v != kEmpty && v != kBlackMan) image.key.white |= bit;
        if (v != kEmpty && v != kWhiteMan) image.key.black |= bit;
    }
    return image;
}

#endif

// 100 for each man on its own home list, plus White's distance values minus Black's, for
// `side`.
inline int MaterialAndDistance(const WinState& win, int sum, int side) {
    const int raw = 100 * win.whiteIn + sum - 100 * win.blackIn;
    return side == kBlack ? -raw : raw;
}

}  // namespace

int Evaluate(Engine& e, int /*alpha*/, int /*beta*/, int side) {
    GameState& g = e.game;
    SearchState& s = e.search;
    s.opponentHasWon = false;

    const TrackedPosition& t = g.tracked;
    // The search keeps its account move by move; elsewhere the board is read.
    assert(!t.on || t == TrackPosition(g));
    const WinState win =
        t.on ? DecideWin(g, t.whiteIn, t.blackOnWhiteHome, t.whiteOnBlackHome, t.blackIn)
             : CheckWinConditions(g);
    if (win.won(-side)) s.opponentHasWon = true;
    if (win.won(side)) return kWinScore - g.ply;

    if (s.repetitionCount != 0) return 0;

    BoardImage image;
    if (t.on)
        image = BoardImage{t.key, t.sum};
    else
        image = ImageOf(g.board.data(), g.homeTables.targetDistance[0].data(),
                        g.homeTables.targetDistance[1].data());
    const PositionKey key = image.key;
    const int sum = image.sum;

    // Entries 0 .. GamePly - 2: the game so far and the search line above this node.
    const int last = std::min(g.gamePly - 2, kHistorySize - 1);
    const PositionKey* const history = g.positionHistory.data();
    const auto repeats = [&] {
        for (int k = 0; k <= last; ++k)
            if (((history[k].white ^ key.white) | (history[k].black ^ key.black)) == 0) return true;
        return false;
    };
    if (t.on) {
        assert(g.pathFilter.MayHold(key) || !repeats());
        if (g.pathFilter.MayHold(key) && repeats()) return 0;
    } else if (repeats()) {
        return 0;
    }
    if (g.gamePly > 0 && g.gamePly - 1 < kHistorySize) g.positionHistory[g.gamePly - 1] = key;

    const int raw = MaterialAndDistance(win, sum, side);

    const int n = s.noiseAmplitude;
    if (n == 0) return raw;  // floor(0 * r) is 0 whatever r is; save the draws
    const double r1 = e.random.Uniform();
    const double r2 = e.random.Uniform();
    return raw + static_cast<int>(std::floor(n * r1)) - static_cast<int>(std::floor(n * r2));
}

int RawScore(const GameState& g, int side) {
    const WinState win = CheckWinConditions(g);
    const BoardImage image = ImageOf(g.board.data(), g.homeTables.targetDistance[0].data(),
                                     g.homeTables.targetDistance[1].data());
    return MaterialAndDistance(win, image.sum, side);
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
