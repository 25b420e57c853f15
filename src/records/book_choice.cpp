// The book-games look-up with the legality filter and the "Book moves" dialog.
#include "records/book_choice.h"

#include <set>
#include <utility>

#include "records/book.h"
#include "records/book_games.h"
#include "rules/board.h"
#include "rules/movegen.h"

namespace zelkor {

BookResult GamesBookLookup(GameState& g, const std::filesystem::path& dataDir, ReaderUi& ui) {
    BookResult result;
    const std::filesystem::path folder =
        dataDir / (g.side == kWhite ? kWhiteBookGames : kBlackBookGames);
    BookGamesProposals proposals = CollectBookGameProposals(folder, GameText(g), &g);
    if (proposals.candidates.empty()) return result;

    // Only proposals that are legal here stay. The caller's move list of this ply (the
    // driver's reduced root moves and their count) is left as it was found.
    std::set<std::pair<int, int>> legal;
    for (const Move& m : LegalMoves(g))
        legal.insert({m.Source, m.dest});
    std::erase_if(proposals.candidates, [&](const BookGameCandidate& c) {
        return legal.count(BookMoveSquares(c.move)) == 0;
    });
    for (const auto& c : proposals.candidates) {
        if (result.bookMoves.size() == kShownBookMoves) break;
        result.bookMoves.push_back(c.move);
    }
    if (proposals.candidates.empty()) return result;

    std::string chosen;
    if (proposals.candidates.size() == 1) {
        chosen = proposals.candidates.front().move;
    } else {
        std::vector<std::string> lines;
        for (const auto& c : proposals.candidates)
            lines.push_back(BookDialogLine(c));
        chosen =
            ui.ChooseBookMove(lines, BookGamesLabel(proposals.filesRead, ui),
                              BookMovesLabel(static_cast<int>(proposals.candidates.size()), ui));
    }
    if (!chosen.empty()) {
        const auto [from, to] = BookMoveSquares(chosen);
        result.from = from;
        result.to = to;
    }
    return result;
}

}  // namespace zelkor
