// The game as the controller holds it: the shared game state and what only the controller
// reads, its flags and the lines of the game move list.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "rules/game_state.h"

namespace zelkor {

inline constexpr const char* kComputerName = "Computer";

struct ControllerState {
    bool busy = false;
    std::string firstSideName = "Player";  // the side that moves first in the variant
    std::string secondSideName = kComputerName;
    std::vector<std::string> gameMoveLines;      // the lines of the game move list
    std::array<int, kHistorySize> moveScores{};  // scores recorded in Player-Player mode
};

struct GameSession : GameState, ControllerState {};

}  // namespace zelkor
