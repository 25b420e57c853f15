// Replaying move texts ("c3d4") in a variant's new game, as the tests of the book and the
// game files need it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "rules/game_state.h"
#include "rules/user_interface.h"

namespace zelkor::test {

// The default variant's start position with its rules and direction tables, White to move.
std::unique_ptr<GameState> StartPosition();
// Records plies as the move list does ("c3d4 c3-d4", made by the player) without applying
// them: the record files and the book read only the texts.
void RecordTexts(GameState& g, const std::vector<std::string>& moves);

// A new game of variant number `variant` of the folder's variants.ini, as a new game
// lays it out: the variant's rules in force, its set-up, its side to move.
std::unique_ptr<GameState> VariantGame(const std::filesystem::path& dataDir, int variant);
// The number of the variant with this name in the folder's variants.ini, 0 when none.
int VariantNumber(const std::filesystem::path& dataDir, const std::string& name);

// Plays a move given as "c3d4" (either case) when it is legal, recording it in the move
// list texts, the game record and the record length as a replayed move would be.
bool PlayMoveText(GameState& g, const std::string& move);

}  // namespace zelkor::test
