// Pieces shared by the controller's source files.
#pragma once

#include <fstream>
#include <string>

#include "game/controller.h"

namespace zelkor {

struct GameController::LogHolder {
    std::ofstream out;
};

// A number as the display texts write it: a leading blank unless negative.
inline std::string Signed(int value) {
    std::string text = value < 0 ? std::string() : std::string(1, ' ');
    text += std::to_string(value);
    return text;
}

}  // namespace zelkor
