// A plain-words account of a rule set, for the rules window of a game whose rules differ
// from its variant's help text.
#pragma once

#include <string>

#include "game/user_interface.h"
#include "rules/variant.h"

namespace zelkor {

// The rules in force, one sentence a line: who begins, how each side's men move and
// jump, the jump obligations and the limit they bring, the camp rules, how the game is
// won and the two target camps. The home squares are read with slot 0 as the target
// corner (as a new game orders them). handSetUp adds that the position was set up by hand.
std::string RulesInForceText(const VariantRules& rules, bool handSetUp,
                             const Translator& texts = English());

// A variant's help text as the board shows it: on a turned board the corners it names are
// the opposite ones ("top left" becomes "bottom right").
std::string HelpForBoard(const std::string& help, bool turned);

// What the window shows beside the board and the keys that work on it, one item a line.
std::string BoardGuideText(const Translator& texts = English());

}  // namespace zelkor
