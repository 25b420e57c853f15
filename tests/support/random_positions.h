// Random rule sets and positions for the property tests, from a seeded generator.
#pragma once

#include <memory>
#include <random>

#include "rules/game_state.h"

namespace zelkor::test {

// Random flags, 1-15 home squares per side, random directions (now and then bad ones).
VariantRules RandomRules(std::mt19937& rng);
// A game under RandomRules, 1-15 men a side, rules in force, an empty game tree.
std::unique_ptr<GameState> RandomGame(std::mt19937& rng);

}  // namespace zelkor::test
