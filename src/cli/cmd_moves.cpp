// zelkor-cli moves [FILE.zlk]: every legal move of the side to move, one per line, in
// generation order.
#include <cstdio>

#include "cli/cli_position.h"
#include "cli/command.h"
#include "rules/movegen.h"

namespace zelkor::cli {
namespace {

int RunMoves(const CliContext& context) {
    if (context.args.size() > 1) {
        std::fprintf(stderr, "usage: zelkor-cli moves [FILE.zlk]\n");
        return 2;
    }
    auto game = std::make_unique<GameState>();
    const int status = PreparePosition(context, 0, *game);
    if (status != 0) return status;
    for (const Move& m : LegalMoves(*game))
        std::printf("%s\n", RootMoveText(m.Source, m.dest, m.jump == 1).c_str());
    return 0;
}

const CliCommand kMoves("moves", "[FILE.zlk]", RunMoves);

}  // namespace
}  // namespace zelkor::cli
