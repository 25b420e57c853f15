#include "engine/master_eval.h"

#include <algorithm>
#include <cstdlib>

namespace zelkor::master {
namespace {

int Manhattan(int a, int b) {
    return std::abs(a / 10 - b / 10) + std::abs(a % 10 - b % 10);
}

bool IsStepDirection(int d) {
    return d == 1 || d == -1 || d == 9 || d == -9 || d == 10 || d == -10 || d == 11 || d == -11;
}

// The fewest slides from each square to a target square on an empty board, along the side's
// step directions (at most 7: a side whose directions cannot reach a target gets that).
std::array<int, kBoardEntries> SlideDistances(const std::array<bool, kBoardEntries>& target,
                                              const std::array<int16_t, 9>& row) {
    constexpr int kFar = 7;
    std::array<int, kBoardEntries> dist{};
    dist.fill(kFar);
    for (int sq : kPlayingSquares)
        if (target[sq]) dist[sq] = 0;
    for (int round = 0; round < kFar; ++round)
        for (int sq : kPlayingSquares)
            for (int k = 0; k < 9 && IsStepDirection(row[k]); ++k)
                for (int t = sq + row[k]; t >= 0 && t < kBoardEntries && IsPlayingSquare(t);
                     t += row[k])
                    dist[sq] = std::min(dist[sq], dist[t] + 1);
    return dist;
}

}  // namespace

EvalTables BuildEvalTables(const GameState& g) {
    EvalTables t;
    for (int s = 0; s < 2; ++s) {
        std::array<bool, kBoardEntries> target{};
        const int count = std::clamp(g.homeTables.targetCount[s], 0, kHomeSlots);
        for (int slot = 0; slot < count; ++slot) {
            const int sq = g.active.home[s][slot];
            if (sq >= 0 && sq < kBoardEntries && IsPlayingSquare(sq)) target[sq] = true;
        }
        // Manhattan distances to the nearest target square and to the deepest one (slot 0,
        // the square farthest from the other side's list): the men go into the target and
        // fill it from the back.
        const int deepest = g.active.home[s][0];
        // Sliding men cover any distance along a line in one move: what counts is the number of
        // slides a man still needs, the squares only break ties.
        const bool sliding = g.active.flags[LongKings] != 0;
        const std::array<int, kBoardEntries> slides =
            sliding ? SlideDistances(target, g.directions[s]) : std::array<int, kBoardEntries>{};
        for (int sq : kPlayingSquares) {
            int nearest = 14;
            for (int x : kPlayingSquares)
                if (target[x]) nearest = std::min(nearest, Manhattan(sq, x));
            const int corner = IsPlayingSquare(deepest) ? Manhattan(sq, deepest) : nearest;
            t.man[s][sq] = sliding ? 400 - 90 * slides[sq] - 4 * nearest - 2 * corner
                                   : 400 - 12 * nearest - 6 * corner - nearest * nearest;
        }
    }
    return t;
}

int MaterialSum(const Board& board, const EvalTables& t) {
    int sum = 0;
    for (int sq : kPlayingSquares) {
        if (board[sq] == kWhiteMan) sum += t.man[0][sq];
        if (board[sq] == kBlackMan) sum -= t.man[1][sq];
    }
    return sum;
}

int CampCharge(int gamePly) {
    return std::clamp(8 * (gamePly - 16), 0, 1200);
}

int BlockerCharge(int gamePly) {
    return std::clamp(4 * (gamePly - 60), 0, 400);
}

}  // namespace zelkor::master
