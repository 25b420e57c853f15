// The folders of book games ("white bookgames", "black bookgames"): the next moves the games
// propose for a game text, and the texts of the "Book moves" dialog.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "rules/game_state.h"
#include "rules/translator.h"

namespace zelkor {

// The pieces of the games look-up, for the choice, the dialog and the tests.
struct BookGameCandidate {
    std::string move;  // as written in the files ("c3d4")
    int count = 0;     // games proposing it
};
struct BookGamesProposals {
    int filesRead = 0;
    std::vector<BookGameCandidate> candidates;  // by count, highest first
};
// Every proposal of the games in folder for the game text, before the legality filter;
// with `rules`, a game whose header names other rules proposes nothing.
BookGamesProposals CollectBookGameProposals(const std::filesystem::path& folder,
                                            const std::string& gameText,
                                            const GameState* rules = nullptr);
// "c3d4   3": the count, with its leading blank, ends in column 8.
std::string BookDialogLine(const BookGameCandidate& candidate);
// " 3 games" / " 1 game", " 2 moves" / " 1 move".
std::string BookGamesLabel(int files, const Translator& texts = English());
std::string BookMovesLabel(int moves, const Translator& texts = English());

}  // namespace zelkor
