#include "game/user_interface.h"

#include <cstdlib>

namespace zelkor {

void FatalError(UserInterface& ui, const std::string& text) {
    ui.Message(text, ui.Translate("Game", "Error"), Icon::Exclamation);
    ui.Terminate();
    std::abort();  // Terminate does not return; this keeps the promise if it ever did
}

void UiFaultReport::Fatal(const std::string& text) {
    FatalError(ui_, text);
}

}  // namespace zelkor
