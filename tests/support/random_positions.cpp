#include "support/random_positions.h"

#include <algorithm>
#include <string>
#include <vector>

#include "rules/game_setup.h"

namespace zelkor::test {
namespace {

constexpr const char* kDirectionNames[] = {"NW", "N", "NE", "E", "SE", "S", "SW", "W"};

std::string RandomDirectionList(std::mt19937& rng) {
    std::string list;
    const int count = static_cast<int>(rng() % 9);
    for (int i = 0; i < count; ++i) {
        if (!list.empty()) list += ';';
        list += rng() % 40 == 0 ? "X" : kDirectionNames[rng() % 8];
    }
    return list;
}

std::vector<int> ShuffledSquares(std::mt19937& rng) {
    const auto all = PlayingSquares();
    std::vector<int> squares(all.begin(), all.end());
    std::shuffle(squares.begin(), squares.end(), rng);
    return squares;
}

}  // namespace

VariantRules RandomRules(std::mt19937& rng) {
    VariantRules rules = DefaultRules();
    for (uint8_t& flag : rules.flags)
        flag = rng() % 3 == 0 ? 1 : 0;
    for (int side = 0; side < 2; ++side) {
        const std::vector<int> squares = ShuffledSquares(rng);
        const int used = 1 + static_cast<int>(rng() % kHomeSlots);
        for (int slot = 0; slot < kHomeSlots; ++slot)
            rules.home[side][slot] = slot < used ? squares[slot] : kEmptySlot;
        rules.directions[side] = RandomDirectionList(rng) + " " + RandomDirectionList(rng);
    }
    return rules;
}

std::unique_ptr<GameState> RandomGame(std::mt19937& rng) {
    auto g = std::make_unique<GameState>();
    SetUpDefaultGame(*g);
    g->active = RandomRules(rng);
    ApplyRules(*g);
    ResetGameTree(*g);
    g->board = EmptyBoard();
    const std::vector<int> squares = ShuffledSquares(rng);
    const int white = 1 + static_cast<int>(rng() % 15);
    const int black = 1 + static_cast<int>(rng() % 15);
    for (int i = 0; i < white + black; ++i)
        g->board[squares[i]] = i < white ? kWhiteMan : kBlackMan;
    g->initialBoard = g->board;
    g->side = rng() % 2 ? kWhite : kBlack;
    return g;
}

}  // namespace zelkor::test
