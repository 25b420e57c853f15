// The book look-up of the legal-move list and the book marks, made without telling the user
// about it.
#pragma once

#include <filesystem>

#include "game/user_interface.h"
#include "records/book.h"
#include "rules/game_state.h"

namespace zelkor {

// The opening name and what is wrong with the book file (told once per change of the file)
// still reach the window; the look-up chooses no move.
BookResult QuietBookLookup(BookCache& book, const GameState& g, UserInterface& ui,
                           const std::filesystem::path& dataDir);

}  // namespace zelkor
