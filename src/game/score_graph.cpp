#include "game/score_graph.h"

#include <algorithm>
#include <cstdlib>

namespace zelkor {

namespace {

bool MadeByComputer(const PlayedGame& g, int ply) {
    const MoveTextRow& row = g.moveTexts[(ply + 1) / 2];
    return (ply % 2 == 1 ? row.firstBy : row.secondBy) == "1";
}

}  // namespace

ScoreGraphData MakeScoreGraph(const GameState& g, const SearchState& s) {
    ScoreGraphData data;
    const int recorded = std::clamp(g.recordLength, 0, kMaxGamePlies);
    data.currentPly = std::clamp(g.gamePly, 0, kMaxGamePlies);
    data.plies = std::max(recorded, data.currentPly);
    const int firstSide = g.rule(BlackStarts) == 1 ? kBlack : kWhite;

    int largest = 0;
    for (int ply = 1; ply <= recorded && ply < kHistorySize; ++ply) {
        if ((ply + 1) / 2 >= kMoveRows || !MadeByComputer(g, ply)) continue;
        ScoreGraphPoint point;
        point.ply = ply;
        point.side = ply % 2 == 1 ? firstSide : -firstSide;
        const int own = s.scoreHistory[ply];  // from the mover's side
        point.score = own * point.side;
        point.decisive = std::abs(own) >= kGraphWinThreshold;
        if (!point.decisive) largest = std::max(largest, std::abs(point.score));
        data.points.push_back(point);
    }

    // Room for the largest ordinary score, in whole hundreds.
    const int wanted = (std::min(largest, kGraphMaxRange) + 99) / 100 * 100;
    data.range = std::clamp(wanted, kGraphMinRange, kGraphMaxRange);
    for (ScoreGraphPoint& point : data.points) {
        if (std::abs(point.score) > data.range || point.decisive) {
            point.clipped = true;
            point.score = point.score > 0 ? data.range : -data.range;
        }
    }
    return data;
}

}  // namespace zelkor
