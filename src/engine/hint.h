// The player's Hint, Offer Draw and Resign commands.
#pragma once

#include "engine/engine.h"

namespace zelkor {

// Shows the expected reply when one is stored, else the best move of a two-iteration
// search, in a message box titled "Hint".
void GiveHint(Engine& e);
// The computer accepts when the game has started and its last search saw no advantage.
void OfferDraw(Engine& e);
void Resign(Engine& e);

}  // namespace zelkor
