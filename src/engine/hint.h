// What the engine answers to the player's Hint and Offer Draw commands; the controller
// tells the answers.
#pragma once

#include <optional>
#include <utility>

#include "engine/driver.h"
#include "engine/engine.h"

namespace zelkor {

// The reply the computer expected after its last move, as (from, to), when one is stored
// and it is a legal move in the position on the board; the reply belongs to the position
// the computer left and may not even be legal anywhere else.
std::optional<std::pair<int, int>> StoredHint(GameState& g, const SearchState& s);

// Makes the hint's two-iteration search ready (its noise, start ply and root moves) and
// returns its limits; nothing when the game is over for the side to move (the player has
// already won, or has no move). The search's best move is the hint.
std::optional<RootSearchLimits> PrepareHint(Engine& e);

// The computer takes the player's draw offer when the game has started and its last search
// saw no advantage for itself.
bool AcceptsDrawOffer(const GameState& g, const SearchState& s);

}  // namespace zelkor
