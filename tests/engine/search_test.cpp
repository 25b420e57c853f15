#include <gtest/gtest.h>

#include "engine/evaluate.h"
#include "engine/search.h"
#include "engine_fixture.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

using Search = EngineTest;

TEST(MoveOrder, NextBestMoveHandsOutBestFirstThenMinusOne) {
    auto g = std::make_unique<GameState>();
    g->ply = 1;
    g->plyStart[1] = 10;
    g->plyStart[2] = 15;
    const int scores[] = {0, 250, 500, 250, -32000};
    for (int i = 0; i < 5; ++i)
        g->movePool[10 + i].score = scores[i];
    EXPECT_EQ(NextBestMove(*g), 12);
    EXPECT_EQ(NextBestMove(*g), 11);
    EXPECT_EQ(NextBestMove(*g), 13);
    EXPECT_EQ(NextBestMove(*g), 10);
    EXPECT_EQ(NextBestMove(*g), -1);
    EXPECT_EQ(g->movePool[10].score, -32000);
}

TEST(PrincipalLine, UpdateCopiesTheChildLineWithItsEnd) {
    auto g = std::make_unique<GameState>();
    g->ply = 1;
    g->movePool[7] = Move{35, 45, 0, 0};
    g->pv[2][2] = PvEntry{81, 72, 0};
    g->pv[2][3] = PvEntry{46, 66, 1};
    g->pv[2][4] = PvEntry{};
    g->pv[1][4] = PvEntry{11, 11, 1};  // stale, must be overwritten by the end mark
    g->pv[1][5] = PvEntry{12, 12, 0};
    UpdatePrincipalVariation(*g, 7);
    EXPECT_EQ(g->pv[1][1].Source, 35);
    EXPECT_EQ(g->pv[1][2].Source, 81);
    EXPECT_EQ(g->pv[1][3].jump, 1);
    EXPECT_EQ(g->pv[1][4].Source, 0);
    EXPECT_EQ(g->pv[1][5].Source, 12);  // beyond the end: untouched

    g->ply = kMaxPly;  // the last row has no child row
    UpdatePrincipalVariation(*g, 7);
    EXPECT_EQ(g->pv[kMaxPly][kMaxPly].dest, 45);
}

TEST_F(Search, NoLegalMoveLosesAboveTheHorizonOnly) {
    SetUp(DefaultRules(), kWhiteStuck, kWhite, 0);
    const int stat = Evaluate(e, 0, 0, kWhite);
    EXPECT_EQ(AlphaBeta(e, -32000, 32000, 1), -32000);
    EXPECT_EQ(AlphaBeta(e, -32000, 32000, 0), stat);
    g.ply = 2;
    g.plyStart[2] = 0;
    EXPECT_EQ(AlphaBeta(e, -32000, 32000, 1), -(32000 - 2));
}

TEST_F(Search, LeavesAndStaticCutOff) {
    const int stat = Evaluate(e, 0, 0, kWhite);  // 0 in the symmetric start
    s.nodes = 0;
    EXPECT_EQ(AlphaBeta(e, -32000, 32000, -1), stat);
    EXPECT_EQ(s.nodes, 1u);

    g.ply = kMaxPly;
    g.plyStart[kMaxPly] = 0;
    g.plyStart[kMaxPly + 1] = 0;
    EXPECT_EQ(AlphaBeta(e, -32000, 32000, 5), Evaluate(e, 0, 0, kWhite));
    EXPECT_EQ(g.plyStart[kMaxPly + 1], 0);  // nothing generated
    g.ply = 0;

    // Static score at or above beta with depth 1: cut without expanding.
    s.nodes = 0;
    EXPECT_EQ(AlphaBeta(e, -100, stat, 1), stat);
    EXPECT_EQ(s.nodes, 1u);
    // Brute force expands the same node.
    settings.BruteForce = 1;
    s.nodes = 0;
    AlphaBeta(e, -100, stat, 1);
    EXPECT_GT(s.nodes, 1u);
}

TEST_F(Search, AtTheHorizonANodeStandsOnItsStaticScore) {
    SetUp(DefaultRules(), SetupOf("D4", "E6 B2"), kWhite, 0);
    const int stat = Evaluate(e, 0, 0, kWhite);
    EXPECT_GE(AlphaBeta(e, -32000, 32000, 0), stat);
    EXPECT_EQ(g.ply, 0);
    EXPECT_EQ(g.gamePly, 0);
    EXPECT_EQ(g.side, kWhite);
}

TEST_F(Search, JumpExtensionNeedsPlyTwo) {
    settings.ExtendedSearch = 1;
    settings.Balance = 750;
    s.extensionLimit = 10;
    g.jumpAtPly.fill(1);
    for (int p = 0; p <= 3; ++p)
        g.plyStart[p] = 0;
    g.ply = 1;
    s.nodes = 0;
    AlphaBeta(e, -32000, 32000, -1);
    EXPECT_EQ(s.nodes, 1u);  // a leaf: no extension at Ply 1
    g.ply = 2;
    s.nodes = 0;
    AlphaBeta(e, -32000, 32000, -1);
    EXPECT_GT(s.nodes, 1u);  // extended to depth 0 and expanded
}

TEST_F(Search, KillersAndPrincipalLine) {
    g.killers[0][0] = KillerMove{11, 12};
    // Full window, depth 2: the line holds the root move and the reply.
    AlphaBeta(e, -32000, 32000, 2);
    EXPECT_NE(g.pv[0][0].Source, 0);
    EXPECT_NE(g.pv[0][1].Source, 0);
    EXPECT_EQ(g.pv[0][2].Source, 0);

    // A window every move fails high on: the first move handed out becomes the killer.
    GenerateMoves(g, 0);
    const int first = NextBestMove(g);
    const Move firstMove = g.movePool[first];
    AlphaBeta(e, -32000, -31000, 2);
    EXPECT_EQ(g.killers[0][1].Source, 11);
    EXPECT_EQ(g.killers[0][0].Source, firstMove.Source);
    EXPECT_EQ(g.killers[0][0].dest, firstMove.dest);
    EXPECT_EQ(g.pv[0][0].Source, firstMove.Source);

    // Brute force never records killers.
    settings.BruteForce = 1;
    g.killers[0][0] = KillerMove{11, 12};
    AlphaBeta(e, -32000, -31000, 1);
    EXPECT_EQ(g.killers[0][0].Source, 11);
}

TEST_F(Search, CancelStopsAtTheNextNode) {
    const Board before = g.board;
    ui.onProcessEvents = [this] {
        if (ui.eventsProcessed == 50) g.cancelRequest = 1;
    };
    AlphaBeta(e, -32000, 32000, 3);
    EXPECT_EQ(g.searchStopped, 1);
    EXPECT_EQ(g.cancelRequest, 0);
    const long long events = ui.eventsProcessed;
    EXPECT_EQ(AlphaBeta(e, -32000, 32000, 3), 0);  // stopped: returns at once
    EXPECT_EQ(ui.eventsProcessed, events + 1);
    EXPECT_EQ(g.ply, 0);
    EXPECT_EQ(g.board, before);
}

TEST_F(Search, TimeCheckStopsAndShowsTheCountdown) {
    settings.UseDepth = 0;
    settings.FixedTime = 1;
    settings.ThinkTime = 2;
    settings.CountdownTimer = 1;
    s.searchStartTime = 43200;
    clock.now = 43201.2;
    s.shownElapsed = -1;
    AlphaBeta(e, -32000, 32000, 1);
    EXPECT_EQ(g.timeUp, 0);
    EXPECT_EQ(ui.progressValue, 1);
    EXPECT_EQ(ui.Text(Display::Countdown), "1");

    clock.now = 43202.6;  // rounds to 3 seconds: past the limit
    AlphaBeta(e, -32000, 32000, 1);
    EXPECT_EQ(g.timeUp, 1);
    EXPECT_EQ(g.searchStopped, 1);
    EXPECT_EQ(ui.progressValue, 2);
    EXPECT_EQ(ui.Text(Display::Countdown), "0");
}

TEST(Clock, ElapsedSecondsAcrossMidnight) {
    EXPECT_EQ(ElapsedSeconds(86399, 1), 2);
    EXPECT_EQ(ElapsedSeconds(100, 103), 3);
    EXPECT_EQ(ElapsedSeconds(100, 100), 0);
}

TEST_F(Search, HintSearchLeavesAtDepthZero) {
    s.nodes = 0;
    EXPECT_EQ(HintSearch(e, -32000, 32000, 0), Evaluate(e, 0, 0, kWhite));
    EXPECT_EQ(s.nodes, 1u);
    settings.BruteForce = 1;  // ignored by the hint
    s.nodes = 0;
    HintSearch(e, -100, 0, 1);
    EXPECT_EQ(s.nodes, 1u);
}

}  // namespace
}  // namespace zelkor::test
