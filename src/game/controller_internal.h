// Pieces shared by the controller's source files.
#pragma once

#include <string>

#include "game/controller.h"
#include "records/log.h"

namespace zelkor {

// A number as the display texts write it: a leading blank unless negative.
inline std::string Signed(int value) {
    std::string text = value < 0 ? std::string() : std::string(1, ' ');
    text += std::to_string(value);
    return text;
}

}  // namespace zelkor
