// Fixed positions for the speed benchmark, and laying out a position with given rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/clock_random.h"
#include "rules/game_state.h"
#include "rules/variant.h"

namespace zelkor {

// Lays out a game in `setup` (64 characters a1..h8: 0 empty, 1 White, 2 Black) under
// `rules`: home tables, directions, side to move and GamePly; empty history and record.
void SetUpPosition(GameState& g, const VariantRules& rules, std::string_view setup, int side,
                   int gamePly);

// The rule sets the benchmark uses, by name, after the shipped variants ("Halma",
// "Orthogonal Halma", "Chain Jumps", "Sliding Halma", "Camp Rules", "Rank Race"); the
// default rules for any other name. "Compulsory Jumps" is not the shipped variant of that
// name but the default rules with CapRequired (jumps in all eight directions).
VariantRules BenchVariant(std::string_view name);

struct BenchPosition {
    std::string name;
    std::string variant;
    std::string setup;
    int side = kWhite;
    int gamePly = 0;
    int depth = 3;  // iterations
};

const std::vector<BenchPosition>& BenchPositions();

// Searches one benchmark position to its depth with no noise (the amplitude set to 0
// directly) and returns the number of nodes searched.
uint64_t BenchNodes(const BenchPosition& position, Clock& clock, Random& random);

}  // namespace zelkor
