// The evaluation, the search, the pinned benchmark and the search over random positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "engine/driver.h"
#include "engine/evaluate.h"
#include "engine/master_eval.h"
#include "engine/master_search.h"
#include "engine/search.h"
#include "engine_fixture.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/win.h"
#include "support/random_positions.h"

namespace zelkor::test {
namespace {

using Search = EngineTest;
using Evaluation = EngineTest;

TEST_F(Evaluation, RepetitionsScoreZeroAndKeysAreExact) {
    SetUp(DefaultRules(), SetupOf("A8", "D5"), kWhite, 6);
    s.noiseAmplitude = 5;
    random.fallback = 0.9999;  // would add noise if any were drawn
    s.repetitionCount = 1;
    EXPECT_EQ(std::tuple(Evaluate(e, 0, 0, kWhite), Evaluate(e, 0, 0, kBlack)), std::tuple(0, 0));
    // The same men recorded earlier in the game, whoever was to move then, even at its start.
    s.repetitionCount = 0;
    g.positionHistory[0] = MakePositionKey(g.board);
    EXPECT_EQ(Evaluate(e, 0, 0, kBlack), 0);
    // The entry of GamePly - 1 is this node's own.
    g.positionHistory[0] = PositionKey{};
    g.positionHistory[5] = MakePositionKey(g.board);
    random.fallback = 0.0;
    EXPECT_NE(Evaluate(e, 0, 0, kWhite), 0);
    SetUp(DefaultRules(), SetupOf("A8", "D5"), kWhite, 8);  // a new position, a new history
    EXPECT_NE(Evaluate(e, 0, 0, kWhite), 0);

    SetUp(DefaultRules(), SetupOf("A1 D4 H8", "H1 E4 A8 C6"), kBlack, 3);
    Evaluate(e, 0, 0, kBlack);
    EXPECT_EQ(g.positionHistory[2], MakePositionKey(g.board));
    g.board[Sq("B2")] = 7;  // values no rule knows still give the exact image
    g.board[Sq("G7")] = 100;
    Evaluate(e, 0, 0, kBlack);
    EXPECT_EQ(g.positionHistory[2], MakePositionKey(g.board));
    g.board[Sq("B2")] = g.board[Sq("G7")] = g.board[Sq("D4")] = kEmpty;
    g.board[Sq("D5")] = kWhiteMan;
    EXPECT_NE(g.positionHistory[2], MakePositionKey(g.board));

    // The last entry is written; past the history's end nothing is; the game's entries count.
    SetUp(DefaultRules(), SetupOf("A8", "D5"), kWhite, 7);
    g.gamePly = kHistorySize;
    Evaluate(e, 0, 0, kWhite);
    EXPECT_EQ(g.positionHistory[kHistorySize - 1], MakePositionKey(g.board));
    g.gamePly = kHistorySize + 1;
    EXPECT_EQ(std::tuple(Evaluate(e, 0, 0, kWhite), CountKeyRepetitions(g, 5000)),
              std::tuple(0, 1));
    g.positionHistory[kHistorySize - 1] = PositionKey{};
    EXPECT_TRUE(Evaluate(e, 0, 0, kWhite) != 0 && CountKeyRepetitions(g, 5000) == 0);
}

// Master on one thread to a fixed depth is deterministic: the bench's figures are pinned.
TEST(Bench, MasterNodesScoresAndMovesArePinned) {
    master::MasterEngine engine(16);
    uint64_t nodes = 0, sum = 0;
    std::vector<BenchPosition> positions = BenchPositions();  // and a race, few men advancing
    positions.push_back({"", "Halma",
                         "0000222200000222000201000001000000200000100020001110000011110000", kWhite,
                         70, 7});
    for (const BenchPosition& position : positions) {
        auto g = std::make_unique<GameState>();
        SetUpPosition(*g, BenchVariant(position.variant), position.setup, position.side,
                      position.gamePly);
        engine.Clear();
        const master::MasterLimits limits{.seconds = 1e9, .maxDepth = position.depth};
        const master::MasterResult result = engine.Search(*g, limits);
        nodes += result.nodes;
        sum = sum * 31 +
              static_cast<uint64_t>(result.score * 10000 + result.from * 100 + result.to) +
              result.pv.size();
    }
    std::mt19937 rng(3);  // random rules and games, where some lines return to the root
    for (int n = 0; n < 28; ++n) {
        engine.Clear();
        nodes += engine.Search(*RandomGame(rng), {.seconds = 1e9, .maxDepth = 4}).nodes;
    }
    EXPECT_EQ(std::tuple(nodes, sum),
              std::tuple(uint64_t{1689438}, uint64_t{13875604009622709796u}));
    // What a search for White stored never serves one for Black, whose evaluation differs: the
    // reply's position costs as much as with an empty table.
    const BenchPosition& middle = BenchPositions()[7];
    auto g = std::make_unique<GameState>();
    SetUpPosition(*g, DefaultRules(), middle.setup, middle.side, middle.gamePly);
    const master::MasterLimits limits{.seconds = 1e9, .maxDepth = 5};
    const master::MasterResult first = engine.Search(*g, limits);
    ASSERT_TRUE(PlayRecordedMove(*g, first.from, first.to));
    EXPECT_EQ(engine.Search(*g, limits).nodes, master::MasterEngine(16).Search(*g, limits).nodes);
}

TEST_F(Search, ReturnsALegalMoveInRandomPositions) {
    std::mt19937 rng(31337);
    int searched = 0;
    long long scores = 0;  // pinned like the bench's nodes; noise makes windows fail at their edge
    UiFaultReport faultReport(ui);
    for (int n = 0; n < 1000; ++n) {
        g = *RandomGame(rng);
        g.faultReport = &faultReport;
        if (n % 100 == 99) g.gamePly = kGameRecordSize - 2;  // at the record's end: no deeper moves
        s.noiseAmplitude = n % 2 == 1 ? 70 : 0;
        settings.ExtendedSearch = n % 4 >= 2;  // jumps near the horizon searched one ply on
        settings.BruteForce = n % 8 >= 4;      // no cut-off before every move is searched
        for (int k = 0; s.noiseAmplitude && k < 20000; ++k)
            random.values.push_back(rng() / 4294967296.0);
        SCOPED_TRACE("case " + std::to_string(n) + ": " + SetupText(g.board));
        GenerateMoves(g, MoveSet::All);
        std::set<std::pair<int, int>> legal;
        std::vector<int> ids;  // handed out best first, ties in list order, each once
        for (int i = g.plyStart[0]; i < g.plyStart[1]; ++i)
            legal.insert({g.movePool[i].Source, g.movePool[i].dest}), g.movePool[i].score = i % 3;
        for (int i; (i = NextBestMove(g)) >= 0;)
            ids.push_back(i % 3 * -1000 + i);
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()) && ids.size() == size_t(g.plyStart[1]));
        const Board board = g.board;
        const RootSearchLimits limits{.depth = 1 + n % 2};
        const std::optional<SearchResult> result = SearchPosition(e, limits);
        ASSERT_EQ(g.board, board) << "the search left the position changed";
        EXPECT_TRUE(!legal.empty() || !result);
        if (legal.empty() || !result) continue;  // no move, or the position is decided
        ++searched;
        EXPECT_TRUE(legal.count({result->best.Source, result->best.dest}));
        EXPECT_EQ(std::tuple(result->best.Source, result->best.dest, result->stop),
                  std::tuple(g.movePool[0].Source, g.movePool[0].dest, StopReason::Completed));
        scores += s.bestScore * 100 + g.movePool[0].dest;
    }
    EXPECT_EQ(std::tuple(searched > 600, scores), std::tuple(true, 115611086));
}

// Master under random rules and positions, one thread or two: a legal move (none when there is none
// or the game is decided), the game left as it was; the quickest win; a stop at once keeps a move.
TEST_F(Search, MasterPlaysLegalMovesAndTheQuickestWin) {
    master::MasterEngine engine(14);
    master::MasterLimits limits{.seconds = 60};
    std::mt19937 rng(25);
    for (int n = 0; n < 80; ++n) {
        auto r = RandomGame(rng);
        r->gamePly = n % 2 == 0 ? master::kCampRulePly : 0;  // the camp rule in force now and then
        const Board before = r->board;
        limits.maxDepth = 1 + n % 3;
        limits.threads = 1 + n % 2;
        const master::MasterResult result = engine.Search(*r, limits);
        EXPECT_EQ(std::tuple(r->board, r->ply, r->gamePly),
                  std::tuple(before, 0, n % 2 == 0 ? master::kCampRulePly : 0))
            << n;
        const std::vector<Move> moves = LegalMoves(*r);
        const bool legal = std::any_of(moves.begin(), moves.end(), [&](const Move& m) {
            return m.Source == result.from && m.dest == result.to;
        });
        const bool decided = CheckWinConditions(*r).won(-r->side);
        EXPECT_EQ(legal, !moves.empty() && !decided) << n;
        EXPECT_TRUE(legal || result.from == 0) << n;
    }
    SetUp(DefaultRules(), kTwoFromCamp, kWhite, 0);
    limits.maxDepth = 7;  // a win found in full ends the deepening
    limits.threads = 1;
    engine.Clear();  // what the threads left in the table is not the same from run to run
    const master::MasterResult win = engine.Search(g, limits);
    EXPECT_EQ(std::tuple(win.score, win.depth, win.nodes), std::tuple(kWinScore - 3, 4, 397u));
    EXPECT_TRUE(((win.from == SquareNumber("B5") && win.to == SquareNumber("A5")) ||
                 (win.from == SquareNumber("C5") && win.to == SquareNumber("B6"))) &&
                !win.jump)
        << win.from << " " << win.to;
    ASSERT_TRUE(SearchPosition(e, {.depth = 3}));  // the levels see it at their horizon too
    EXPECT_EQ(s.bestScore, kWinScore - 4);
    // Black, lost, takes h4-h5 back to a seen position: a draw by the draw rules, else a loss.
    SetUp(DefaultRules(), kTwoFromCamp, kBlack, 4);
    Board back = g.board;
    std::swap(back[Sq("H4")], back[Sq("H5")]);
    g.positionHistory[0] = MakePositionKey(back);  // the game's first position, even
    const master::MasterResult draw = engine.Search(g, limits);
    EXPECT_EQ(std::tuple(draw.from, draw.to, draw.score),
              std::tuple(Sq("H4"), Sq("H5"), -master::kDrawContempt));
    const std::optional<SearchResult> level = SearchPosition(e, {.depth = 2});  // and the levels
    EXPECT_TRUE(level && level->best.dest == Sq("H5") && s.bestScore == 0);
    limits.chessDrawRules = false;
    engine.Clear();
    EXPECT_LT(engine.Search(g, limits).score, -kWinScore + 10);
    // Twenty half-moves without a jump draw under the shorter rule: any move will do.
    SetUp(DefaultRules(), kTwoFromCamp, kBlack, 20);
    g.gameRecord[22].jump = 1;  // a jump later in the record, gone back from, does not count
    limits.chessDrawRules = true;
    limits.drawRule15 = false;
    EXPECT_EQ(engine.Search(g, limits).score, -master::kDrawContempt);
    g.gameRecord[20].jump = 1;  // unless the last of them was a jump
    engine.Clear();
    EXPECT_LT(engine.Search(g, limits).score, -kWinScore + 10);
    SetUp(DefaultRules(), kOneMove, kWhite, 0);  // the only move, a jump, told as one
    EXPECT_TRUE(engine.Search(g, limits).jump);
    const std::atomic<bool> stop{true};
    limits.stop = &stop;
    SetUp(DefaultRules(), kDefaultSetup, kWhite, 0);
    EXPECT_NE(engine.Search(g, limits).from, 0);
}

// Master's time, the clock moving at every reading: it stops 15 % early; after a 0.3 s pause it
// starts no iteration past 45 % of a time cut by 1.5 pauses; the next search keeps part of that.
TEST_F(Search, MasterStopsInTimeWithAMarginForPauses) {
    master::MasterEngine engine(14);
    master::MasterLimits limits{.clock = &clock};
    clock.tick = 0.0005;
    struct Row {
        double pause, earliest, latest;
    };
    for (const Row& row : {Row{0, 0.84, 0.87}, Row{0.3, 0.3, 0.57}, Row{0, 0.6, 0.7}}) {
        limits.onProgress = [&](const master::MasterResult& found) {
            if (found.depth == 2) clock.now += row.pause;
        };
        const master::MasterResult r = engine.Search(g, limits);
        EXPECT_TRUE(r.seconds >= row.earliest && r.seconds <= row.latest && r.from != 0)
            << row.pause << ": " << r.seconds << " s, depth " << r.depth;
    }
    // Stopped inside an iteration, it plays a better move that iteration has found already,
    // with that move's line, not a line that failed the iteration's window.
    const BenchPosition& middle = BenchPositions()[7];  // Halma, ply 30
    SetUp(DefaultRules(), middle.setup, middle.side, middle.gamePly);
    int newer = 0;
    clock.tick = 0.0001;
    for (double seconds : {0.02, 0.03, 0.04, 0.05, 0.06}) {
        limits.seconds = seconds;
        std::pair<int, int> reported;
        limits.onProgress = [&](const master::MasterResult& f) { reported = {f.from, f.to}; };
        const master::MasterResult r = master::MasterEngine(14).Search(g, limits);
        newer += std::pair(r.from, r.to) != reported;
        EXPECT_TRUE(r.seconds <= seconds && r.pv.at(0) == std::pair(r.from, r.to)) << seconds;
    }
    EXPECT_GE(newer, 2);
}

// Master's evaluation: men left in their camp cost from ply 16, the other's men in the target from
// 60; past ply 200 a target held by them scores a little below a draw, past ply 500 every one does.
TEST(MasterEvaluation, CampChargeAndBlockedTargets) {
    struct Row {
        int side, material, gamePly, whiteInCamp, blackInCamp;
        bool fullHome;
        int searcher, score;
    };
    const Row rows[] = {
        {kWhite, 100, 16, 1, 0, false, kWhite, 106},  // no charge yet
        {kWhite, 100, 26, 1, 0, false, kWhite, 26},   // 80 for the White man
        {kBlack, 100, 26, 1, 0, false, kWhite, -14},  // the same from Black's side
        {kWhite, 100, 61, 1, 0, false, kBlack, 110},  // it blocks Black's target: 4 to Black
        {kWhite, 100, 500, 0, 0, false, kWhite, 106},
        {kWhite, 100, 501, 0, 0, false, kWhite, -34},  // stalled: below a draw for the searcher
        {kWhite, 100, 501, 0, 0, false, kBlack, 106},
        {kBlack, -100, 501, 0, 0, false, kBlack, -34},
        {kWhite, 5000, 201, 0, 1, false, kWhite, -414},  // White blocked: below a draw
        {kBlack, 5000, 201, 0, 1, false, kWhite, 426},
        {kWhite, 5000, 201, 0, 1, true, kWhite, 5006},  // a full target wins: nothing blocks
        {kWhite, 5000, 200, 0, 1, false, kWhite, 4606},
        {kWhite, 5000, 201, 1, 1, false, kWhite, -1594},  // both blocked: a draw, less White's
        {kWhite, 5000, 201, 1, 1, false, kBlack, 1606},   // charges, or less Black's
    };
    for (const Row& r : rows)
        EXPECT_EQ(master::Evaluate(r.side, r.material, r.gamePly, r.whiteInCamp, r.blackInCamp,
                                   r.fullHome, r.searcher),
                  r.score)
            << r.material << " " << r.gamePly << " " << r.searcher;
}

}  // namespace
}  // namespace zelkor::test
