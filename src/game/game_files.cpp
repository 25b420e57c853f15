// Loading and saving game records: the dialogs, the messages and the replay.
#include "game/controller_internal.h"
#include "game/links.h"

namespace zelkor {

void GameController::LockInterface() {
    for (Command c : {Command::GameMenu, Command::PlayMenu, Command::BoardMenu, Command::ViewMenu,
                      Command::HelpMenu, Command::TypedMoveBox, Command::Toolbar})
        ui_.SetEnabled(c, false);
}

void GameController::UnlockInterface() {
    for (Command c : {Command::GameMenu, Command::PlayMenu, Command::BoardMenu, Command::ViewMenu,
                      Command::HelpMenu, Command::TypedMoveBox, Command::Toolbar})
        ui_.SetEnabled(c, true);
}

void GameController::Open() {}
void GameController::Save() {}
void GameController::SaveAs() {}

bool GameController::LoadGameFile(const std::filesystem::path&) {
    return false;
}

bool GameController::SaveGameFile(const std::filesystem::path&) {
    return false;
}

}  // namespace zelkor
