// The command states the engine's long operations apply around themselves.
#pragma once

#include "engine/engine.h"

namespace zelkor {

// Every command except Cancel is disabled while the computer thinks; the lists too
// when `lists` is set.
void ApplyBusyCommandSet(Engine& e, bool lists);
// The commands of an idle game, with the play mode's and a finished game's exceptions.
void ApplyIdleCommandSet(Engine& e);
// The commands a finished game no longer offers.
void DisableGameCommands(UserInterface& ui);
// Menus and toolbar off or on around a short modal command.
void SetMenusEnabled(UserInterface& ui, bool enabled);

}  // namespace zelkor
