// The opening book. The first byte picks the look-up (0: opening name, 1: book move from
// zelkor.bok, 2: the book games), the second how many moves of the default game are played
// first (each chosen by a further byte); the rest is the file.
#include <memory>

#include "controller_run.h"
#include "records/book.h"
#include "rules/game_setup.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::fuzz {

int FuzzBook(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int mode = data[0] % 3;
    std::size_t used = 2;
    auto g = std::make_unique<GameState>();
    FuzzUi ui;
    g->ui = &ui;
    SetUpDefaultGame(*g);
    for (int k = 0; k < data[1] % 8 && used < size; ++k, ++used) {
        InitGameTree(*g);
        GenerateMoves(*g, 1);
        const int count = MoveCount(*g);
        if (count == 0) break;
        const int chosen = g->plyStart[0] + data[used] % count;
        if (!PerformMove(*g, chosen)) break;
        g->gameRecord[g->gamePly] = g->movePool[chosen];  // the record counts from 1
        g->recordLength = g->gamePly;
    }
    InitGameTree(*g);
    const std::filesystem::path dir = Workspace() / "book";
    const std::string name = mode == 2 ? (g->side == kWhite ? "book/white bookgames/a.zlk"
                                                            : "book/black bookgames/a.zlk")
                                       : "book/zelkor.bok";
    WriteInput(name, data + used, size - used);
    RepeatableRandom random;
    random.Seed(data[0]);
    try {
        const BookResult result =
            mode == 2 ? GamesBookLookup(*g, dir, ui) : FileBookLookup(mode, *g, dir, random, ui);
        FUZZ_CHECK(result.bookMoves.size() <= static_cast<std::size_t>(kShownBookMoves));
        if (result.from != 0) {
            FUZZ_CHECK(IsPlayingSquare(result.from) && IsPlayingSquare(result.to));
        }
    } catch (const Terminated&) {
    }
    return 0;
}

}  // namespace zelkor::fuzz
