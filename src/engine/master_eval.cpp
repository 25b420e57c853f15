#include "engine/master_eval.h"

#include <algorithm>
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
        // How deep inside the target a square lies: steps to the nearest square outside it.
        std::array<bool, kBoardEntries> outside{};
        for (int sq : kPlayingSquares)
            outside[sq] = !target[sq];
        const auto depth = Distances(g, s, outside);
        for (int sq : kPlayingSquares) {
            const int d = t.distance[s][sq];
            t.man[s][sq] = 200 - 10 * d - d * d + (target[sq] ? 3 * std::min(depth[sq], 5) : 0);
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
    return std::clamp(6 * (gamePly - 30), 0, 600);
}

}  // namespace zelkor::master
