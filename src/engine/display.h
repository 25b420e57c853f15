// The texts of the search's main line: the line of the best move as the calculation
// display and the log show it, and the player's expected reply taken from it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace zelkor {

// After a new best root move: keeps the principal line's text (search.mainLine, only when
// ShowCalculation is on) and its second move as the player's expected reply
// (search.hintFrom / hintTo).
void UpdateMainLine(Engine& e);

// A line of moves as "a1-b2 c3xe5", at most `limit` moves.
std::string LineText(const Position& g, const std::vector<PvEntry>& line, char jumpChar,
                     std::size_t limit = 20);
// The main line as the calculation display and the log show it: LineText with a blank after
// the last move; nothing for an empty line.
std::string MainLineText(const Position& g, const std::vector<PvEntry>& line, char jumpChar);

}  // namespace zelkor
