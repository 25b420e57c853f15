// The position zelkor-cli commands start from.
#pragma once

#include <memory>
#include <string>

#include "cli/command.h"
#include "rules/game_state.h"

namespace zelkor::cli {

// Sets up a new game of the default variant, or replays the game file named by
// context.args[fileArg] when there is one. 0 on success, else the exit status (the
// reason is already on stderr).
int PreparePosition(const CliContext& context, size_t fileArg, GameState& g);

// "h1xf3" / "e1-d1": from-square, "x" for a jump or "-" for a step, to-square.
std::string RootMoveText(int from, int to, bool jump);

}  // namespace zelkor::cli
