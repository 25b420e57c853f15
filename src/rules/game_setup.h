// Bringing a GameState to the start of a game without the controller: the tables the
// active rules imply, and the default game.
#pragma once

#include "rules/game_state.h"

namespace zelkor {

// Puts the active rules in force: parses both direction texts into g.directions,
// reorders the active home squares and rebuilds g.homeTables from them. Returns false
// when a direction text held a name that is not a direction (the table is filled all the
// same, the unknown name ending its list).
bool ApplyRules(GameState& g);

// Empties the game tree and the played game: Ply, GamePly, the move lists, the game
// record, the position history, the draw flag, the result and the game-over flag.
void ResetGameTree(GameState& g);

// The default variant ("Halma") from its standard set-up, with the side to move its
// rules give, the rules in force and an empty game.
void SetUpDefaultGame(GameState& g);

}  // namespace zelkor
