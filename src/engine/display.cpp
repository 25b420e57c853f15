#include <string>

#include "engine/driver.h"
#include "rules/text_lines.h"

namespace zelkor {

void DisplayMainVariant(Engine& e) {
    GameState& g = e.game;
    SearchState& s = e.search;
    const bool show = e.settings.ShowCalculation != 0;
    s.mainLine.clear();
    std::string display;
    if (show) display = e.ui.Text(Display::Calculation) + "\r\nMain: ";
    const auto& line = g.pv[0];
    for (int p = 0; p <= kMaxPly && line[p].Source != 0; ++p) {
        if (p < 20 && show) {
            s.mainLine += SquareNotation(g.board, line[p].Source);
            s.mainLine += line[p].jump == 1 ? g.jumpChar : '-';
            s.mainLine += SquareNotation(g.board, line[p].dest);
            s.mainLine += ' ';
        }
        if (p == 1) {
            s.hintFrom = line[p].Source;
            s.hintTo = line[p].dest;
        }
    }
    if (show) e.ui.SetText(Display::Calculation, display + s.mainLine);
}

std::string AnnouncementText(int bestScore) {
    if (bestScore >= kForcedResultScore) {
        const int n = (32001 - bestScore) / 2;
        return "Computer is winning in" + SignedText(n) + " move" + (n > 1 ? "s" : "") + "! ";
    }
    if (bestScore <= -kForcedResultScore) {
        const int n = (bestScore + 32000) / 2;
        return "Computer is losing in" + SignedText(n) + " move" + (n > 1 ? "s" : "") + "! ";
    }
    return {};
}

}  // namespace zelkor
