// The steps of the computer's move, the analysis and the hint, and what they find.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "engine/display.h"
#include "engine/driver.h"
#include "engine/evaluate.h"
#include "engine/hint.h"
#include "engine/search.h"
#include "engine_fixture.h"
#include "rules/make_move.h"
#include "rules/movegen.h"

namespace zelkor::test {
namespace {

using Driver = EngineTest;

TEST(DriverSteps, TimeManager) {
    // (elapsed, limit, score fall, stop): a fall of more than 50 buys half the limit again.
    const std::tuple<int, int, int, bool> stops[] = {
        {1, 2, 0, false},   {2, 2, 0, true},       {2, 2, -50, true},   {2, 2, -51, false},
        {3, 2, -500, true}, {14, 10, -500, false}, {15, 10, -500, true}};
    for (auto [elapsed, limit, fall, stop] : stops)
        EXPECT_EQ(TimeManagerStops(elapsed, limit, fall, 0), stop) << elapsed << " " << limit;
    EXPECT_EQ(std::pair(ElapsedSeconds(86399, 1), ElapsedSeconds(100, 103)), std::pair(2, 3));
}

TEST_F(Driver, OneLegalMoveAndAnEmptyReducedSetSearchOneIteration) {
    SetUp(DefaultRules(), kOneMove, kWhite, 0);
    RootSearchLimits limits{.depth = 3};
    std::vector<NewBestReport> reports;
    e.progress.newBest = [&reports](const NewBestReport& report) { reports.push_back(report); };
    int progress = -1;  // one root move searched once
    e.progress.progress = [&progress](int value) { progress = value; };
    std::optional<SearchResult> result = SearchPosition(e, limits);
    ASSERT_TRUE(result);
    EXPECT_EQ(std::tuple(result->best.Source, result->best.dest, result->depth, result->stop,
                         progress, result->mainLine.size(), s.rootTable[0].to),
              std::tuple(Sq("A1"), Sq("C3"), 1, StopReason::Completed, 1, 1u, Sq("C3")));
    ASSERT_EQ(reports.size(), 1u);  // the new best with its line as the user sees it
    EXPECT_EQ(std::tuple(reports[0].depth, reports[0].move, reports[0].mainLine),
              std::tuple(1, std::string("a1xc3"), std::string("a1xc3 ")));
    e.progress.newBest = nullptr;

    // No step direction and the only jump leads away: every legal move is searched.
    VariantRules rules = DefaultRules();
    rules.flag(OutofHome) = 0;
    rules.directions = {" NW;N;NE;E;SE;S;SW;W", " NW;N;NE;E;SE;S;SW;W"};
    SetUp(rules, SetupOf("D5", "E4 H8"), kWhite, 10);
    limits.depth = 2;
    result = SearchPosition(e, limits);
    ASSERT_TRUE(result);
    EXPECT_EQ(std::tuple(result->best.Source, result->best.dest, result->depth, s.rootCount),
              std::tuple(Sq("D5"), Sq("F3"), 1, 1));
    EXPECT_GT(result->score, -kForcedResultScore);
}

TEST_F(Driver, ARootTableHoldsMoreThan201MovesAndABookMoveBecomesTheOnlyOne) {
    VariantRules rules = DefaultRules();
    rules.flag(LongKings) = 1;
    SetUp(rules, SetupOf("C3 F3 C6 F6 D4 E5 B5 G4 A1 H8 D7 E2 B7 G2 A4 H5", "H1 A8"), kWhite, 10);
    InitGameTree(g);
    GenerateMoves(g, MoveSet::Search);
    const int n = MoveCount(g);
    ASSERT_GT(n, 201);
    RootSearchLimits limits;
    const std::optional<SearchResult> result = SearchPosition(e, limits);
    ASSERT_TRUE(result);
    EXPECT_EQ(std::tuple(static_cast<int>(result->rootMoves.size()), result->rootMoves[0].from,
                         result->rootMoves[0].to),
              std::tuple(n, result->best.Source, result->best.dest));  // the best first

    SetUp(DefaultRules(), kDefaultSetup, kWhite, 0);
    InitGameTree(g);
    PrepareRootMoves(e);
    EXPECT_FALSE(TakeBookMove(e, Sq("E1"), Sq("E5")));  // no legal move
    EXPECT_TRUE(TakeBookMove(e, Sq("H2"), Sq("F4")));
    EXPECT_EQ(std::tuple(s.rootCount, g.movePool[0].Source, g.movePool[0].dest),
              std::tuple(1, Sq("H2"), Sq("F4")));
}

TEST_F(Driver, StopsAreReportedAndTheTimeManagersIsANormalEnd) {
    settings.SearchDepth = 3;
    std::atomic<bool> stop{false};
    e.stop = &stop;
    ui.onProcessEvents = [&] {
        if (ui.eventsProcessed == 40) stop = true;
    };
    RootSearchLimits limits{.depth = 3};
    SearchResult result = SearchPosition(e, limits).value();
    EXPECT_EQ(std::tuple(result.stop, result.depth, s.depthReached, result.rootMoves.back().score),
              std::tuple(StopReason::Cancelled, 1, 1, kUnsearched));
    ui.onProcessEvents = nullptr;
    e.stop = nullptr;

    std::tie(settings.UseDepth, settings.FixedTime, settings.ThinkTime) = std::tuple(0, 1, 2);
    clock.tick = 0.0005;
    limits = LimitsFor(e, 5);  // a timed search ends by the clock, or at depth 20; a lone move at 1
    EXPECT_TRUE(limits.byTime && limits.depth == 20 && LimitsFor(e, 1).depth == 1);
    result = SearchPosition(e, limits).value();
    EXPECT_TRUE(result.stop == StopReason::TimeUp && result.depth >= 1 && result.depth < 20);
    // A flexible time is checked after each root move; a stop leaves the rest unsearched.
    settings.FixedTime = 0;
    clock.tick = 0.2;
    result = SearchPosition(e, limits).value();
    EXPECT_EQ(std::tuple(result.stop, result.rootMoves.back().score),
              std::tuple(StopReason::TimeManager, kUnsearched));
    // A first best of exactly 50 below the start's 0 is no fall: the time is up after it. A
    // constant noise of 32 takes e1-d2 from -18 to -50; the clock jumps at each new best.
    std::tie(s.noiseAmplitude, clock.tick) = std::tuple(70, 0.0);
    for (int k = 0; k < 5000; ++k)
        random.values.insert(random.values.end(), {0.0, 32.5 / 70});
    e.progress.newBest = [&](const NewBestReport& report) {
        clock.now += 2;
        EXPECT_EQ(report.score, -50);
    };
    result = SearchPosition(e, limits).value();
    EXPECT_EQ(result.rootMoves[1].score, kUnsearched);
    std::tie(e.progress.newBest, s.noiseAmplitude) = std::tuple(nullptr, 0);

    result.stop = StopReason::TimeManager;
    g.cancelRequest = CancelRequest::TimeManagerStop;
    g.searchStopped = 1;
    EXPECT_TRUE(SettleSearchStop(e, result));
    EXPECT_EQ(std::tuple(g.cancelRequest, g.searchStopped, s.depthReached),
              std::tuple(CancelRequest::None, 0, result.depth));
    // Each timed search shows its countdown from its start, also within the second of the last.
    std::tie(settings.CountdownTimer, settings.FixedTime, clock.tick, limits.depth) =
        std::tuple(1, 1, 0.0, 1);
    std::vector<int> shown;
    e.progress.countdown = [&](int left) { shown.push_back(left); };
    SearchPosition(e, limits);
    SearchPosition(e, limits);
    EXPECT_EQ(shown, (std::vector<int>{2, 2}));
}

// A level score offers a draw once in 41 plies, not after a win told; self-play takes it by chance.
TEST_F(Driver, DrawProposals) {
    // (last offer, announced, both computer, score 78 plies before (0: none), random, result)
    const std::tuple<int, bool, bool, int, double, DrawProposal> cases[] = {
        {60, false, false, 0, 0.0, DrawProposal::Ask},     // the game's turn has the other rows
        {60, false, false, 100, 0.0, DrawProposal::None},  // the margin itself is not level
        {60, false, true, 0, 0.05, DrawProposal::Taken},
        {60, false, true, 0, 0.1, DrawProposal::None}};
    settings.AskDraw = 1;
    for (auto [lastOffer, announced, both, earlier, chance, proposal] : cases) {
        SetUp(DefaultRules(), kDefaultSetup, kWhite, 101);
        g.gameOver = false;
        s.scoreHistory[101 - kStableScorePlies] = static_cast<int16_t>(earlier);
        std::tie(s.scoreHistory[101], s.stableScoreCounter, s.lastDrawOfferPly, s.announced,
                 s.bestScore, random.fallback) = std::tuple(0, 2, lastOffer, announced, 0, chance);
        EXPECT_EQ(ProposeDraw(e, both), proposal) << lastOffer << announced << both << earlier;
        EXPECT_EQ(s.lastDrawOfferPly, proposal == DrawProposal::None ? lastOffer : 101);
    }
    s.bestScore = kDrawProposalMaxScore;  // a score this high proposes nothing
    EXPECT_EQ(ProposeDraw(e, false), DrawProposal::None);
    // Nothing without the option; a new game waits for the score to be stable again.
    std::tie(s.bestScore, settings.AskDraw) = std::tuple(0, 0);
    EXPECT_EQ(ProposeDraw(e, false), DrawProposal::None);
    settings.AskDraw = 1;
    s.lastDrawOfferPly = 90;  // an offer late in the last game, a win announced there
    s.announced = true;
    s.ResetForNewGame();
    EXPECT_EQ(ProposeDraw(e, false), DrawProposal::None);
    s.stableScoreCounter = 2;  // stable again: the last game's offer no longer counts
    EXPECT_EQ(ProposeDraw(e, false), DrawProposal::Ask);
}

TEST_F(Driver, MainLineKeepsTwentyMovesAndTheExpectedReply) {
    g.pv[0][0] = PvEntry{Sq("E1"), Sq("D2"), 0};
    g.pv[0][1] = PvEntry{Sq("A7"), Sq("C5"), 1};
    g.pv[0][2] = PvEntry{Sq("H1"), Sq("F3"), 1};
    g.pv[0][3] = PvEntry{};
    UpdateMainLine(e);
    EXPECT_EQ(s.mainLine, "e1-d2 a7xc5 h1xf3 ");
    EXPECT_EQ(std::tuple(s.hintFrom, s.hintTo), std::tuple(Sq("A7"), Sq("C5")));
    g.pv[0][1] = PvEntry{};  // a line of one move has no reply to keep
    UpdateMainLine(e);
    EXPECT_EQ(std::tuple(s.mainLine, s.hintFrom, s.hintTo),
              std::tuple(std::string("e1-d2 "), Sq("A7"), Sq("C5")));
    for (int p = 0; p <= kMaxPly; ++p)  // only twenty moves are written
        g.pv[0][p] = PvEntry{Sq("A1"), Sq("A3"), 1};
    UpdateMainLine(e);
    EXPECT_EQ(std::count(s.mainLine.begin(), s.mainLine.end(), 'x'), 20);
    settings.ShowCalculation = 0;  // no text, not even the last one
    UpdateMainLine(e);
    EXPECT_EQ(s.mainLine, "");
    g.ply = kMaxPly;  // the deepest ply writes its own move
    g.movePool[0] = Move{Sq("A1"), Sq("B2"), 0, 0};
    UpdatePrincipalVariation(g, 0);
    EXPECT_EQ(std::pair(g.pv[kMaxPly][kMaxPly].Source, g.pv[kMaxPly][kMaxPly].dest),
              std::pair(Sq("A1"), Sq("B2")));
    // A ply outside the line table, or a move outside the pool, writes nothing anywhere.
    for (auto [ply, index] :
         {std::pair(-1, 0), std::pair(kMaxPly + 1, 0), std::pair(0, kMovePoolSize)}) {
        g.ply = ply;
        std::vector<unsigned char> before(sizeof g);
        std::memcpy(before.data(), &g, sizeof g);
        UpdatePrincipalVariation(g, index);
        EXPECT_EQ(std::memcmp(before.data(), &g, sizeof g), 0) << ply;
    }
}

TEST_F(Driver, HintTakesTheStoredReplyWhenLegalElseSearchesAndDrawOffersFollowTheScore) {
    s.hintFrom = Sq("E1");
    s.hintTo = Sq("D2");
    EXPECT_EQ(StoredHint(g, s), std::pair(Sq("E1"), Sq("D2")));
    s.hintFrom = Sq("E2");  // not legal here: e2 is empty
    s.hintTo = Sq("E3");
    EXPECT_FALSE(StoredHint(g, s));
    const Board start = g.board;
    s.nodes = 0;
    s.noiseAmplitude = 0;  // the level's; a hint searches with a little noise of its own
    const std::optional<RootSearchLimits> limits = PrepareHint(e);
    ASSERT_TRUE(limits && limits->hint && limits->depth == 2 && s.noiseAmplitude == 5);
    const SearchResult result = SearchRootMoves(e, *limits);
    EXPECT_TRUE(result.best.Source != 0 && result.best.Source == g.movePool[0].Source);
    EXPECT_EQ(std::tuple(g.board == start, g.ply, g.gamePly, s.nodes),  // two plies, no deeper
              std::tuple(true, 0, 0, 96u));

    SetUp(DefaultRules(), kWhiteFilled, kBlack, 31);  // the player to move has already won
    EXPECT_FALSE(PrepareHint(e));

    g.gameStarted = false;
    s.bestScore = 0;
    EXPECT_FALSE(AcceptsDrawOffer(g, s));
    g.gameStarted = true;
    EXPECT_TRUE(AcceptsDrawOffer(g, s));
    s.bestScore = 1;
    EXPECT_FALSE(AcceptsDrawOffer(g, s));
}

}  // namespace
}  // namespace zelkor::test
