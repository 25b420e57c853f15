#include "engine/master_eval.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

namespace zelkor::master {
namespace {

// Reverse breadth-first walk from the target squares: a square's distance is one more than
// that of a square one step or one jump away in a direction the side may move.
std::array<int, kBoardEntries> Distances(const GameState& g, int s,
                                         const std::array<bool, kBoardEntries>& target) {
    std::array<int, kBoardEntries> d;
    d.fill(kUnreachable);
    std::deque<int> queue;
    for (int sq : kPlayingSquares)
        if (target[sq]) {
            d[sq] = 0;
            queue.push_back(sq);
        }
    std::vector<int> offsets;
    for (int row : {s, s + 2})
        for (int16_t off : g.directions[row]) {
            if (off == kDirectionEnd) break;
            offsets.push_back(row == s ? off : 2 * off);
        }
    while (!queue.empty()) {
        const int x = queue.front();
        queue.pop_front();
        for (int off : offsets) {
            const int y = x - off;
            if (y < 0 || y >= kBoardEntries || !IsPlayingSquare(y)) continue;
            if (d[y] <= d[x] + 1) continue;
            d[y] = std::min(d[x] + 1, kUnreachable);
            queue.push_back(y);
        }
    }
    return d;
}

int Manhattan(int a, int b) {
    return std::abs(a / 10 - b / 10) + std::abs(a % 10 - b % 10);
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
        t.distance[s] = Distances(g, s, target);
        // Manhattan distances to the nearest target square and to the deepest one (slot 0,
        // the square farthest from the other side's list): the men go into the target and
        // fill it from the back.
        const int deepest = g.active.home[s][0];
        for (int sq : kPlayingSquares) {
            int nearest = 14;
            for (int x : kPlayingSquares)
                if (target[x]) nearest = std::min(nearest, Manhattan(sq, x));
            const int corner = IsPlayingSquare(deepest) ? Manhattan(sq, deepest) : nearest;
            t.man[s][sq] = 400 - 12 * nearest - 6 * corner - nearest * nearest;
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

}  // namespace zelkor::master
