// zelkor-cli eval: the evaluation of a position, without a search.
#include <cstdio>

#include "cli/cli_position.h"
#include "cli/command.h"
#include "engine/evaluate.h"

namespace zelkor::cli {
namespace {

int Eval(const CliContext& context) {
    if (context.args.size() > 1 || (!context.args.empty() && context.args[0].rfind("--", 0) == 0)) {
        std::fprintf(stderr, "eval: give at most one game file\n");
        return 2;
    }
    CliEngine cli;
    if (const int status = cli.Prepare(context, 0); status != 0) return status;
    GameState& game = *cli.game;
    cli.search->noiseAmplitude = 0;
    cli.search->repetitionCount = 0;
    std::printf("raw %d\n", RawScore(game, game.side));
    std::printf("evaluate %d\n", Evaluate(cli.e, -kWinScore, kWinScore, game.side));
    return 0;
}

const CliCommand registration("eval",
                              "[FILE.zlk]  (the score of the position for the side to move: "
                              "raw material and distance, and the evaluation without noise)",
                              Eval);

}  // namespace
}  // namespace zelkor::cli
