#include "game/score_graph.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/search.h"
#include "rules/game_state.h"

namespace zelkor {
namespace {

// A game of `plies` half-moves; the computer made those in `computer`, with these scores.
struct Recorded {
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    SearchState s;

    Recorded(int plies, std::initializer_list<std::pair<int, int>> computer) {
        g->recordLength = g->gamePly = plies;
        for (int ply = 1; ply <= plies; ++ply) {
            MoveTextRow& row = g->moveTexts[(ply + 1) / 2];
            (ply % 2 ? row.firstBy : row.secondBy).assign(1, '2');
        }
        for (auto [ply, score] : computer) {
            MoveTextRow& row = g->moveTexts[(ply + 1) / 2];
            (ply % 2 ? row.firstBy : row.secondBy).assign(1, '1');
            s.scoreHistory[ply] = static_cast<int16_t>(score);
        }
    }
    // "ply:score" per point, with c for clipped and d for decisive.
    std::string Points() const {
        std::string text;
        for (const ScoreGraphPoint& p : MakeScoreGraph(*g, s).points)
            text += std::to_string(p.ply) + ":" + std::to_string(p.score) + (p.clipped ? "c" : "") +
                    (p.decisive ? "d" : "") + " ";
        return text;
    }
};

TEST(ScoreGraph, OnePointPerComputerMoveSeenFromWhite) {
    Recorded r(6, {{2, 40}, {4, -120}, {6, 0}});
    const ScoreGraphData data = MakeScoreGraph(*r.g, r.s);
    // White begins, so the computer's even plies are Black's: its scores change sign.
    EXPECT_EQ(r.Points(), "2:-40 4:120 6:0 ");
    EXPECT_EQ(std::tuple(data.plies, data.currentPly, data.points[0].side, data.range),
              std::tuple(6, 6, kBlack, 200));  // the largest score, rounded up to hundreds
    r.g->active.flags[BlackStarts] = 1;        // then the even plies are White's
    EXPECT_EQ(MakeScoreGraph(*r.g, r.s).points[0].side, kWhite);
    EXPECT_EQ(r.Points(), "2:40 4:-120 6:0 ");
    r.g->recordLength = 4;  // the record ends there, whatever the move list still holds
    EXPECT_EQ(r.Points(), "2:40 4:-120 ");

    Recorded wins(5, {{1, 301}, {3, 31990}, {5, -31995}});
    EXPECT_EQ(wins.Points(), "1:301 3:400cd 5:-400cd ");
    EXPECT_EQ(MakeScoreGraph(*wins.g, wins.s).range, 400);  // decisive scores do not stretch it
    Recorded wild(1, {{1, 20000}});
    EXPECT_EQ(wild.Points(), "1:" + std::to_string(kGraphMaxRange) + "c ");
    EXPECT_EQ(MakeScoreGraph(*Recorded(0, {}).g, SearchState{}).range, kGraphMinRange);
    EXPECT_EQ(Recorded(kMaxGamePlies, {{kMaxGamePlies, 10}}).Points(), "1000:-10 ");  // the last

    Recorded mixed(4, {{2, 60}});
    mixed.g->moveTexts[2].secondBy.assign(1, '3');  // replayed from a file
    mixed.s.scoreHistory[4] = 500;
    EXPECT_EQ(mixed.Points(), "2:-60 ");
    mixed.g->recordLength = 100000;  // corrupt lengths stay inside the tables
    mixed.g->gamePly = -5;
    const ScoreGraphData corrupt = MakeScoreGraph(*mixed.g, mixed.s);
    EXPECT_EQ(std::tuple(corrupt.plies, corrupt.currentPly), std::tuple(kMaxGamePlies, 0));
}

}  // namespace
}  // namespace zelkor
