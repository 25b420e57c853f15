// zelkor-cli eval: the evaluation of a position, without a search.
#include <cstdio>
#include <memory>

#include "cli/cli_position.h"
#include "cli/command.h"
#include "engine/engine.h"
#include "engine/evaluate.h"
#include "engine/silent_ui.h"
#include "rules/make_move.h"
#include "rules/system_services.h"

namespace zelkor::cli {
namespace {

int Eval(const CliContext& context) {
    if (context.args.size() > 1 || (!context.args.empty() && context.args[0].rfind("--", 0) == 0)) {
        std::fprintf(stderr, "eval: give at most one game file\n");
        return 2;
    }
    auto game = std::make_unique<GameState>();
    auto search = std::make_unique<SearchState>();
    if (const int status = PreparePosition(context, 0, *game); status != 0) return status;
    Settings settings;
    SilentUi ui;
    SystemClock clock;
    SystemRandom random;
    NullEngineHooks hooks;
    Engine e{*game, *search, settings, ui, clock, random, hooks};
    game->ui = &ui;
    search->noiseAmplitude = 0;
    search->repetitionCount = 0;
    InitGameTree(*game);
    std::printf("raw %d\n", RawScore(*game, game->side));
    std::printf("evaluate %d\n", Evaluate(e, -kWinScore, kWinScore, game->side));
    return 0;
}

const CliCommand registration("eval",
                              "[FILE.zlk]  (the score of the position for the side to move: "
                              "raw material and distance, and the evaluation without noise)",
                              Eval);

}  // namespace
}  // namespace zelkor::cli
