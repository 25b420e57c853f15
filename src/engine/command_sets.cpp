#include "engine/command_sets.h"

namespace zelkor {

void ApplyBusyCommandSet(Engine& e, bool lists) {
    UserInterface& ui = e.ui;
    for (Command c : {Command::PlayerPlayer, Command::PlayerComputer, Command::ComputerComputer,
                      Command::TurnBoard, Command::First, Command::Back, Command::Forward,
                      Command::Last, Command::Compute, Command::Analyze, Command::NewGame,
                      Command::Open, Command::SaveAs, Command::NewVariant, Command::Options,
                      Command::OfferDraw, Command::Hint, Command::Resign, Command::TypedMoveBox})
        ui.SetEnabled(c, false);
    if (lists)
        for (Command c : {Command::GameMoveList, Command::LegalMoveList, Command::AnalysisList})
            ui.SetEnabled(c, false);
    ui.SetEnabled(Command::Cancel, true);
}

void ApplyIdleCommandSet(Engine& e) {
    UserInterface& ui = e.ui;
    const GameState& g = e.game;
    for (Command c :
         {Command::PlayerPlayer, Command::PlayerComputer, Command::ComputerComputer,
          Command::TurnBoard, Command::Compute, Command::Analyze, Command::NewGame, Command::Open,
          Command::SaveAs, Command::NewVariant, Command::Options, Command::TypedMoveBox})
        ui.SetEnabled(c, true);
    // Computer-Computer play keeps the lists off until its loop ends.
    if (g.playMode != PlayMode::ComputerComputer)
        for (Command c : {Command::GameMoveList, Command::LegalMoveList, Command::AnalysisList})
            ui.SetEnabled(c, true);
    if (g.gamePly > 0) {
        ui.SetEnabled(Command::First, true);
        ui.SetEnabled(Command::Back, true);
    }
    ui.SetEnabled(Command::Forward, false);
    ui.SetEnabled(Command::Last, false);
    ui.SetEnabled(Command::Cancel, false);
    // The draw offer, the resignation and the hint need a human against the computer.
    const bool vsComputer = g.playMode == PlayMode::PlayerComputer;
    ui.SetEnabled(Command::OfferDraw, vsComputer);
    ui.SetEnabled(Command::Resign, vsComputer);
    ui.SetEnabled(Command::Hint, g.playMode != PlayMode::ComputerComputer);
    ui.SetEnabled(Command::BoardMenu, g.playMode != PlayMode::ComputerComputer);
    if (g.gameOver) {
        DisableGameCommands(ui);
        ui.SetEnabled(Command::ComputerComputer, false);
    }
}

void DisableGameCommands(UserInterface& ui) {
    for (Command c : {Command::Compute, Command::ComputerComputer, Command::Analyze,
                      Command::OfferDraw, Command::Hint, Command::Resign, Command::LegalMoveList})
        ui.SetEnabled(c, false);
}

void SetMenusEnabled(UserInterface& ui, bool enabled) {
    for (Command c : {Command::GameMenu, Command::PlayMenu, Command::BoardMenu, Command::ViewMenu,
                      Command::HelpMenu, Command::Toolbar})
        ui.SetEnabled(c, enabled);
}

}  // namespace zelkor
