// What the score graph shows: the computer's score of each of its moves over the game,
// all seen from White's side (positive: White stands better), wins and losses and wild
// scores clipped to the graph's range, and the ply the board shows.
#pragma once

#include <vector>

#include "engine/engine.h"
#include "rules/game_state.h"

namespace zelkor {

// Scores at or beyond this size are announced wins or losses (32000 - ply).
inline constexpr int kGraphWinThreshold = 31000;
// Ordinary scores are clipped here too; the graph's range never exceeds it.
inline constexpr int kGraphMaxRange = 3000;
inline constexpr int kGraphMinRange = 100;

struct ScoreGraphPoint {
    int ply = 0;            // 1-based half-move the score belongs to
    int score = 0;          // from White's side, clipped to +-range
    int side = kWhite;      // the side that made the move
    bool clipped = false;   // the true score lies beyond the range
    bool decisive = false;  // the score announces a win or a loss
};

struct ScoreGraphData {
    std::vector<ScoreGraphPoint> points;  // in ply order
    int plies = 0;                        // length of the ply axis: the moves recorded
    int currentPly = 0;                   // the position on the board
    int range = kGraphMinRange;           // the vertical axis runs from -range to +range
};

// The graph of the played game: one point per recorded computer move. The first side
// of the variant makes the odd plies, as in the move list.
ScoreGraphData MakeScoreGraph(const GameState& game, const SearchState& search);

}  // namespace zelkor
