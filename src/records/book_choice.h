// The book games' choice of a move for the side to move: their proposals that are legal
// in the position, one taken at once or several offered in the "Book moves" dialog.
#pragma once

#include <filesystem>

#include "records/book.h"
#include "records/reader_ui.h"
#include "rules/game_state.h"

namespace zelkor {

// The book games of the side to move propose their next moves; proposals that are not
// legal in the position are dropped (the move list at g.ply is left as it was). One
// proposal is chosen at once; several are offered in the "Book moves" dialog.
BookResult GamesBookLookup(GameState& g, const std::filesystem::path& dataDir, ReaderUi& ui);

}  // namespace zelkor
