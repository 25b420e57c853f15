#include "cli/cli_position.h"

#include <cstdio>

#include "rules/board.h"
#include "rules/game_setup.h"

namespace zelkor::cli {

int PreparePosition(const CliContext& context, size_t fileArg, GameState& g) {
    SetUpDefaultGame(g);
    if (context.args.size() > fileArg) {
        std::fprintf(stderr, "zelkor-cli: FILE arguments are not supported yet\n");
        return 2;
    }
    return 0;
}

std::string RootMoveText(int from, int to, bool jump) {
    return SquareName(from) + (jump ? "x" : "-") + SquareName(to);
}

}  // namespace zelkor::cli
