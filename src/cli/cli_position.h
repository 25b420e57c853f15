// The position zelkor-cli commands start from.
#pragma once

#include <memory>
#include <string>

#include "app/system_services.h"
#include "cli/command.h"
#include "engine/engine.h"
#include "game/silent_ui.h"
#include "records/settings.h"
#include "rules/game_state.h"

namespace zelkor::cli {

// Sets up a new game of the default variant, or replays the game file named by
// context.args[fileArg] when there is one. 0 on success, else the exit status (the
// reason is already on stderr).
int PreparePosition(const CliContext& context, size_t fileArg, GameState& g);

// The engine over a command's position: no window, the system's clock and random numbers.
struct CliEngine {
    // PreparePosition's result, with the position's faults told through this engine's
    // interface.
    int Prepare(const CliContext& context, size_t fileArg);

    std::unique_ptr<GameState> game = std::make_unique<GameState>();
    std::unique_ptr<SearchState> search = std::make_unique<SearchState>();
    Settings settings;
    SilentUi ui;
    UiFaultReport faultReport{ui};
    SystemClock clock;
    SystemRandom random;
    Engine e{*game, *search, settings, clock, random};
};

// "h1xf3" / "e1-d1": from-square, "x" for a jump or "-" for a step, to-square.
std::string RootMoveText(int from, int to, bool jump);

}  // namespace zelkor::cli
