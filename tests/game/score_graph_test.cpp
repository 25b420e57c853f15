#include "game/score_graph.h"

#include <gtest/gtest.h>

#include "controller_fixture.h"

namespace zelkor {
namespace {

// A game of `plies` half-moves where the computer made the plies in `computer`.
struct Recorded {
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    SearchState s;

    Recorded(int plies, std::initializer_list<std::pair<int, int>> computer) {
        g->recordLength = plies;
        g->gamePly = plies;
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
};

TEST(ScoreGraph, OnePointPerComputerMoveSeenFromWhite) {
    Recorded r(6, {{2, 40}, {4, -120}, {6, 0}});
    const ScoreGraphData data = MakeScoreGraph(*r.g, r.s);
    ASSERT_EQ(data.points.size(), 3u);
    EXPECT_EQ(data.plies, 6);
    EXPECT_EQ(data.currentPly, 6);
    // White begins, so the computer's even plies are Black's: its scores change sign.
    EXPECT_EQ(data.points[0].ply, 2);
    EXPECT_EQ(data.points[0].side, kBlack);
    EXPECT_EQ(data.points[0].score, -40);
    EXPECT_EQ(data.points[1].score, 120);
    EXPECT_EQ(data.points[2].score, 0);
    EXPECT_EQ(data.range, 200);  // the largest score, rounded up to hundreds
    for (const ScoreGraphPoint& p : data.points)
        EXPECT_FALSE(p.clipped);

    // When Black begins, the even plies are White's.
    r.g->active.flags[BlackStarts] = 1;
    const ScoreGraphData black = MakeScoreGraph(*r.g, r.s);
    EXPECT_EQ(black.points[0].side, kWhite);
    EXPECT_EQ(black.points[0].score, 40);
}

TEST(ScoreGraph, WinsLossesAndWildScoresAreClipped) {
    Recorded r(5, {{1, 250}, {3, 31990}, {5, -31995}});
    ScoreGraphData data = MakeScoreGraph(*r.g, r.s);
    EXPECT_EQ(data.range, 300);  // decisive scores do not stretch the axis
    EXPECT_FALSE(data.points[0].clipped);
    EXPECT_EQ(data.points[1].score, 300);
    EXPECT_TRUE(data.points[1].clipped && data.points[1].decisive);
    EXPECT_EQ(data.points[2].score, -300);
    EXPECT_TRUE(data.points[2].clipped && data.points[2].decisive);

    Recorded wild(1, {{1, 20000}});
    data = MakeScoreGraph(*wild.g, wild.s);
    EXPECT_EQ(data.range, kGraphMaxRange);
    EXPECT_EQ(data.points[0].score, kGraphMaxRange);
    EXPECT_TRUE(data.points[0].clipped);
    EXPECT_FALSE(data.points[0].decisive);

    Recorded none(0, {});
    data = MakeScoreGraph(*none.g, none.s);
    EXPECT_TRUE(data.points.empty());
    EXPECT_EQ(data.range, kGraphMinRange);
}

TEST(ScoreGraph, ReplayedAndHumanMovesAndOutOfRangeCountsAreIgnored) {
    Recorded r(4, {{2, 60}});
    r.g->moveTexts[2].secondBy.assign(1, '3');  // replayed from a file
    r.s.scoreHistory[4] = 500;
    EXPECT_EQ(MakeScoreGraph(*r.g, r.s).points.size(), 1u);

    r.g->recordLength = 100000;  // corrupt lengths stay inside the tables
    r.g->gamePly = -5;
    const ScoreGraphData data = MakeScoreGraph(*r.g, r.s);
    EXPECT_EQ(data.plies, kMaxGamePlies);
    EXPECT_EQ(data.currentPly, 0);
}

class ScoreGraphGame : public test::ControllerTest {};

TEST_F(ScoreGraphGame, FollowsPlayAndNavigation) {
    // The player moves, the computer answers, three times.
    for (int i = 0; i < 3; ++i) {
        ASSERT_FALSE(c().legalMoveLines().empty());
        const std::string line = c().legalMoveLines().front();
        c().LegalMoveChosen(0);
        ASSERT_NE(c().legalMoveLines().front(), line);
    }
    ScoreGraphData data = MakeScoreGraph(g(), c().search());
    ASSERT_EQ(g().gamePly, 6);
    ASSERT_EQ(data.points.size(), 3u);
    EXPECT_EQ(data.points[0].ply, 2);
    EXPECT_EQ(data.points[2].ply, 6);
    for (const ScoreGraphPoint& p : data.points)
        EXPECT_EQ(p.score, -c().search().scoreHistory[p.ply]);

    c().Back();
    c().Back();
    c().Back();
    data = MakeScoreGraph(g(), c().search());
    EXPECT_EQ(data.currentPly, 3);
    EXPECT_EQ(data.plies, 6);  // the later moves stay until another move replaces them
    EXPECT_EQ(data.points.size(), 3u);

    c().Forward();
    EXPECT_EQ(MakeScoreGraph(g(), c().search()).currentPly, 4);
    c().First();
    EXPECT_EQ(MakeScoreGraph(g(), c().search()).currentPly, 0);

    // A new move from the start replaces the game: the old scores go.
    c().LegalMoveChosen(0);
    data = MakeScoreGraph(g(), c().search());
    EXPECT_EQ(data.plies, 2);
    EXPECT_EQ(data.currentPly, 2);
    ASSERT_EQ(data.points.size(), 1u);
    EXPECT_EQ(data.points[0].ply, 2);
}

}  // namespace
}  // namespace zelkor
