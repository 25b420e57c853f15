// Positions and move lists for the rules tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rules/game_state.h"

namespace zelkor::test {

// A new game of the default variant, as the program starts it.
std::unique_ptr<GameState> DefaultGame();
// A default game with the board cleared, then the given men placed ("a4", "h8" ...).
std::unique_ptr<GameState> EmptyGame(VariantRules rules = DefaultRules());
void Place(GameState& g, const std::vector<std::string>& white,
           const std::vector<std::string>& black);
// Squares by lower-case name.
int Sq(const std::string& name);

// The generated list of the current ply as "h1xf3" / "e1-d1" texts, in order.
std::vector<std::string> MoveTexts(const GameState& g);
std::vector<std::string> Generate(GameState& g, int AllMoves = 1);

// An independent, literal transcription of the generator's rules (strings for paths, the
// full candidate list, the pairwise de-duplication), used to cross-check the fast one.
std::vector<std::string> ReferenceMoves(GameState& g, int AllMoves, size_t candidateLimit,
                                        bool* tooMany = nullptr);

}  // namespace zelkor::test
