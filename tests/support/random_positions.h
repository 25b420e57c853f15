// Random rule sets and positions for the property tests, from a seeded generator so that
// every run checks the same cases.
#pragma once

#include <memory>
#include <random>

#include "rules/game_state.h"

namespace zelkor::test {

// Random flags, one to fifteen home squares per side and random step and jump directions
// (now and then an unknown name or an empty list).
VariantRules RandomRules(std::mt19937& rng);
// A game under RandomRules with one to fifteen men of each side on random squares and a
// random side to move; the rules are in force and the game tree is empty.
std::unique_ptr<GameState> RandomGame(std::mt19937& rng);

}  // namespace zelkor::test
