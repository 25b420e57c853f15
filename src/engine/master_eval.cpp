#include "engine/master_eval.h"

#include <algorithm>
#include <cstdlib>

namespace zelkor::master {
namespace {

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
