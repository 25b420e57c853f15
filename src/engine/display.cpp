#include <algorithm>
#include <string>
#include <vector>

#include "engine/display.h"

namespace zelkor {

void UpdateMainLine(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const auto& line = g.pv[0];
    s.mainLine.clear();
    if (e.settings.ShowCalculation != 0) {
        const std::vector<PvEntry> moves(
            line.begin(),
            std::find_if(line.begin(), line.end(), [](const PvEntry& m) { return m.Source == 0; }));
        s.mainLine = MainLineText(g, moves, g.jumpChar);
    }
    if (line[0].Source != 0 && line[1].Source != 0) {
        s.hintFrom = line[1].Source;
        s.hintTo = line[1].dest;
    }
}

std::string LineText(const Position& g, const std::vector<PvEntry>& line, char jumpChar,
                     std::size_t limit) {
    std::string text;
    for (std::size_t p = 0; p < line.size() && p < limit; ++p) {
        if (p > 0) text += ' ';
        text += SquareNotation(g.board, line[p].Source);
        text += line[p].jump == 1 ? jumpChar : '-';
        text += SquareNotation(g.board, line[p].dest);
    }
    return text;
}

std::string MainLineText(const Position& g, const std::vector<PvEntry>& line, char jumpChar) {
    std::string text = LineText(g, line, jumpChar);
    if (!text.empty()) text += ' ';
    return text;
}

}  // namespace zelkor
