// *.zlk through the controller: the header applied, the moves replayed through InputMove.
// A loaded game saved again must load to the same game.
#include "controller_run.h"
#include "fuzz_targets.h"

namespace zelkor::fuzz {

int FuzzGameReplay(const uint8_t* data, std::size_t size) {
    ControllerRun run("replay");
    const std::filesystem::path file = WriteInput("replay/game.zlk", data, size);
    try {
        GameController& c = *run.controller;
        if (!c.LoadGameFile(file)) return 0;
        const GameState& g = c.game();
        CheckGameBounds(g);
        const Board board = g.board;
        const int side = g.side;
        const int plies = g.recordLength;
        const std::filesystem::path again = run.dir() / "again.zlk";
        FUZZ_CHECK(c.SaveGameFile(again));
        FUZZ_CHECK(c.LoadGameFile(again));
        CheckGameBounds(g);
        FUZZ_CHECK(g.recordLength == plies);
        c.Last();
        FUZZ_CHECK(g.board == board || g.gamePly != plies);
        FUZZ_CHECK(g.side == side || g.gamePly != plies);
    } catch (const Terminated&) {
    }
    return 0;
}

}  // namespace zelkor::fuzz
