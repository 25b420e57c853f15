// The computer's move, the analysis, the hint, draw offers and resignation, and what they show.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/driver.h"
#include "engine/evaluate.h"
#include "engine/hint.h"
#include "engine/search.h"
#include "engine_fixture.h"
#include "rules/make_move.h"
#include "rules/movegen.h"
#include "rules/text_lines.h"

namespace zelkor::test {
namespace {

using Driver = EngineTest;

std::string Column(int value, size_t width) {
    const std::string text = std::to_string(value);
    return std::string(width - text.size(), ' ') + text;
}

TEST(DriverTexts, AnnouncementsAndTimeManager) {
    const int scores[] = {31995, 31999, 31980, 31979, -31998, -31980, -31979, 0};
    const std::string texts[] = {"winning in 3 moves! ",
                                 "winning in 1 move! ",
                                 "winning in 10 moves! ",
                                 "",
                                 "losing in 1 move! ",
                                 "losing in 10 moves! ",
                                 "",
                                 ""};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(AnnouncementText(scores[i]), texts[i].empty() ? "" : "Computer is " + texts[i]);
    // (elapsed, limit, score fall, stop): a fall of more than 50 buys half the limit again.
    const std::tuple<int, int, int, bool> stops[] = {
        {1, 2, 0, false},   {2, 2, 0, true},       {2, 2, -50, true},   {2, 2, -51, false},
        {3, 2, -500, true}, {14, 10, -500, false}, {15, 10, -500, true}};
    for (auto [elapsed, limit, fall, stop] : stops)
        EXPECT_EQ(TimeManagerStops(elapsed, limit, fall, 0), stop) << elapsed << " " << limit;
    EXPECT_EQ(ElapsedSeconds(86399, 1), 2);  // across midnight
    EXPECT_EQ(ElapsedSeconds(100, 103), 3);
}

TEST_F(Driver, OneLegalMoveSearchesOneIterationAndPlaysIt) {
    SetUp(DefaultRules(), kOneMove, kWhite, 0);
    settings.SearchDepth = 3;
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.board[Sq("C3")], g.gamePly, g.side, g.recordLength, s.depthReached),
              std::tuple(kWhiteMan, 1, kBlack, 1, 1));
    EXPECT_EQ(ui.Text(Display::Calculation).rfind("Depth: 1   Best: a1xc3   Score:", 0), 0u);
    for (const char* status : {"Thinking...", "Thinking... (1)  a1xc3"})
        EXPECT_NE(std::count(ui.statusHistory.begin(), ui.statusHistory.end(), status), 0);
    EXPECT_EQ(ui.Text(Display::Strength), "Strength: 9   Depth: 3 ply");
    EXPECT_EQ(ui.list(ListId::Analysis).at(0).rfind("       a1c3 ", 0), 0u);
    EXPECT_TRUE(g.gameStarted && !g.gameOver && hooks.ratingUpdates.empty());
}

TEST_F(Driver, WinningMoveEndsTheGame) {
    SetUp(DefaultRules(), SetupOf("A8 B8 C8 D8 A7 B7 C7 A6 B6 B4", "E1 F1 E4"), kWhite, 30);
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.board[Sq("A5")], s.bestScore, g.gameOver),
              std::tuple(kWhiteMan, 31998, true));
    EXPECT_EQ(ui.Text(Display::Status), "Computer wins!");
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{0});
    EXPECT_TRUE(HasMessage("Computer wins!\r\nRating", "Congratulations"));
}

TEST_F(Driver, ForcedWinIsAnnouncedAndKeptAfterAStop) {
    SetUp(DefaultRules(), kTwoFromCamp, kWhite, 30);
    settings.SearchDepth = 3;
    ComputerMove(e);
    ASSERT_GE(s.bestScore, 31980);
    EXPECT_TRUE(!g.gameOver && s.announced);
    EXPECT_EQ(ui.Text(Display::Status), AnnouncementText(s.bestScore));

    // The stop comes in the iteration after the one that found the win.
    SetUp(DefaultRules(), kTwoFromCamp, kWhite, 30);
    settings.SearchDepth = 6;
    ui.onProcessEvents = [this] {
        if (ui.Text(Display::Status).rfind("Thinking... (5)", 0) == 0) g.cancelRequest = 1;
    };
    ComputerMove(e);
    EXPECT_TRUE(g.searchStopped == 1 && s.bestScore >= 31980);
    EXPECT_EQ(ui.Text(Display::Status), AnnouncementText(s.bestScore));
}

TEST_F(Driver, DecidedGameAndNoMoveEndBeforeSearching) {
    // Black, the player, has filled its camp; then the same with the computer Black.
    SetUp(DefaultRules(), SetupOf("D4", "E1 F1 G1 H1 F2 G2 H2 G3 H3 H4"), kWhite, 40);
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.gameOver, g.gamePly, hooks.ratingUpdates),
              std::tuple(true, 40, std::vector<double>{1}));
    EXPECT_TRUE(HasMessage("Player wins!\r\nRating", "Congratulations"));
    EXPECT_EQ(clock.pauses, std::vector<double>{0.5});

    g.gameOver = false;
    g.side = kBlack;
    hooks.ratingUpdates.clear();
    ComputerMove(e);
    EXPECT_EQ(hooks.ratingUpdates, std::vector<double>{0});
    EXPECT_TRUE(HasMessage("Computer wins!\r\nRating", "Congratulations"));

    SetUp(DefaultRules(), kWhiteStuck, kWhite, 4);
    hooks.ratingUpdates.clear();
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.gameOver, g.gamePly, ui.Text(Display::Status), hooks.ratingUpdates),
              std::tuple(true, 4, "Player wins!", std::vector<double>{1}));
}

// No step direction and the only jump leads away: the reduced set is empty, every legal
// move is searched instead, and the move is played rather than a leftover of the pool.
TEST_F(Driver, AnEmptyReducedSetSearchesEveryLegalMove) {
    VariantRules rules = DefaultRules();
    rules.flag(OutofHome) = 0;
    rules.directions = {" NW;N;NE;E;SE;S;SW;W", " NW;N;NE;E;SE;S;SW;W"};
    SetUp(rules, SetupOf("D5", "E4 H8"), kWhite, 10);
    RootSearchLimits limits;
    limits.depth = 2;
    EXPECT_EQ(SearchPosition(e, limits)->depth, 1);  // one root move: one iteration
    EXPECT_EQ(std::tuple(g.movePool[0].Source, g.movePool[0].dest, s.rootCount),
              std::tuple(Sq("D5"), Sq("F3"), 1));
    EXPECT_GT(s.bestScore, -kForcedResultScore);
    SetUp(rules, SetupOf("D5", "E4 H8"), kWhite, 10);
    g.movePool[0] = Move{Sq("A1"), Sq("A2"), 0, 0};  // a leftover
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.gamePly, g.board[Sq("F3")], g.gameOver),
              std::tuple(11, kWhiteMan, false));
}

TEST_F(Driver, CancelStillPlaysAMoveAndMarksUnsearchedMoves) {
    settings.SearchDepth = 3;
    ui.onProcessEvents = [this] {
        if (ui.eventsProcessed == 40) g.cancelRequest = 1;
    };
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.gamePly, g.searchStopped, g.timeUp), std::tuple(1, 1, 0));
    EXPECT_EQ(ui.Text(Display::Strength), "");  // not rewritten after a stop
    const std::vector<std::string>& lines = ui.list(ListId::Analysis);
    ASSERT_EQ(lines.size(), 24u);  // every root move of the start
    EXPECT_EQ(lines.back().substr(11), "      n/a");
    const RootEntry& best = s.rootTable[0];
    EXPECT_EQ(lines.front().substr(0, 28), "       " + SquareName(best.from) + SquareName(best.to) +
                                               Column(best.score, 9) + "       1");
}

// The best move first with its score; the others only shown no better carry a bound.
TEST_F(Driver, AnalysisListPutsTheBestFirstAndMarksBounds) {
    settings.SearchDepth = 3;
    // Noise makes a null-window test and its re-search disagree now and then.
    unsigned state = 3;
    for (int k = 0; k < 200000; ++k) {
        state = state * 1103515245u + 12345u;
        random.values.push_back((state >> 8) / double(1u << 24));
    }
    AnalyzePosition(e);
    const std::vector<std::string>& lines = ui.list(ListId::Analysis);
    ASSERT_EQ(lines.size(), 24u);
    const RootEntry& best = s.rootTable[0];
    const std::string move = SquareName(best.from) + SquareName(best.to);
    EXPECT_EQ(lines[0].substr(0, 34),
              "       " + move + Column(s.bestScore, 9) + "       3    " + move.substr(0, 2));
    int bounds = 0, below = 0;  // each move with its own score
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string score = lines[i].substr(11, 9);
        if (score.find("<=") != std::string::npos) {
            ++bounds;
            score.erase(score.find("<="), 2);
        }
        EXPECT_LE(std::stoi(score), s.bestScore) << lines[i];
        below += std::stoi(score) < s.bestScore;
    }
    EXPECT_TRUE(bounds > 0 && below > 0);
}

TEST_F(Driver, FixedTimeStopsInsideTheSearchAndStillPlays) {
    std::tie(settings.UseDepth, settings.FixedTime, settings.ThinkTime) = std::tuple(0, 1, 2);
    clock.tick = 0.0005;
    ComputerMove(e);
    EXPECT_EQ(std::tuple(ui.progressMaximum, g.timeUp, g.searchStopped, g.gamePly),
              std::tuple(2, 1, 1, 1));
    EXPECT_TRUE(s.depthReached >= 1 && s.depthReached < 20);
    EXPECT_EQ(ui.Text(Display::Strength), "");  // only depth mode rewrites it
}

TEST_F(Driver, RootTableHoldsMoreThan201Moves) {
    VariantRules rules = DefaultRules();
    rules.flag(LongKings) = 1;
    SetUp(rules, SetupOf("C3 F3 C6 F6 D4 E5 B5 G4 A1 H8 D7 E2 B7 G2 A4 H5", "H1 A8"), kWhite, 10);
    InitGameTree(g);
    GenerateMoves(g, 0);
    const int n = MoveCount(g);
    ASSERT_GT(n, 201);
    settings.SearchDepth = 1;
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.gamePly, static_cast<int>(ui.list(ListId::Analysis).size()),
                         s.rootMoveCounts[11]),
              std::tuple(11, n, n));
}

TEST_F(Driver, BookMoveAmongTheRootMovesIsPlayed) {
    settings.UseBook = 1;
    hooks.bookMove = {Sq("E1"), Sq("D2")};
    ComputerMove(e);
    EXPECT_EQ(std::tuple(g.board[Sq("D2")], hooks.recordedBook.at(0)), std::tuple(kWhiteMan, true));
    EXPECT_NE(ui.Text(Display::Calculation).find("\r\nBook"), std::string::npos);

    // A proposal that is no legal move is dropped.
    SetUp(DefaultRules(), kDefaultSetup, kWhite, 0);
    hooks.bookMove = {Sq("E1"), Sq("E5")};
    ComputerMove(e);
    EXPECT_EQ(hooks.recordedBook.back(), false);
}

// A level score proposes a draw, at most once in 41 plies, never after announcing a win.
TEST_F(Driver, DrawProposalsAndTheirAnswers) {
    // (last offer, announced, mode, answer, score 78 plies before (0: none), questions, drawn)
    const std::tuple<int, bool, PlayMode, Answer, int, int, bool> cases[] = {
        {60, false, PlayMode::PlayerComputer, Answer::No, 0, 1, false},
        {61, false, PlayMode::PlayerComputer, Answer::No, 0, 0, false},
        {60, true, PlayMode::PlayerComputer, Answer::No, 0, 0, false},
        {60, false, PlayMode::PlayerComputer, Answer::No, 5000, 0, false},  // no longer level
        {60, false, PlayMode::PlayerComputer, Answer::Yes, 0, 1, true},
        {60, false, PlayMode::ComputerComputer, Answer::No, 0, 0, true}};
    settings.SearchDepth = 1;
    for (auto [lastOffer, announced, mode, answer, earlier, questions, drawn] : cases) {
        SetUp(DefaultRules(), kDefaultSetup, kWhite, 100);
        g.gameOver = false;
        g.playMode = mode;
        s.scoreHistory[101 - kStableScorePlies] = earlier;
        s.stableScoreCounter = 2;
        s.lastDrawOfferPly = lastOffer;
        s.announced = announced;
        random.fallback = mode == PlayMode::ComputerComputer ? 0.05 : 0.0;
        ui.messages.clear();
        ui.answers = {answer};
        hooks.bookkeeping.clear();
        ComputerMove(e);
        const int asked = std::count_if(ui.messages.begin(), ui.messages.end(), [](auto& m) {
            return m.text == "How about a draw?" && m.title == "Question" &&
                   m.buttons == Buttons::YesNo && m.icon == Icon::Question;
        });
        EXPECT_EQ(std::tuple(asked, g.gameOver), std::tuple(questions, drawn));
        EXPECT_TRUE(questions != 1 || s.lastDrawOfferPly == 101);
        if (!drawn) continue;
        EXPECT_EQ(hooks.bookkeeping, std::vector<int>{2});
        EXPECT_EQ(ui.Text(Display::Status), "It's a draw!");
        EXPECT_TRUE(HasMessage("It's a draw!\r\nRating", "Congratulations"));
    }
    EXPECT_EQ(hooks.ratingUpdates.at(0), 0.5);
}

TEST_F(Driver, MainLineIsShownAfterTheReportAndKeepsTheExpectedReply) {
    g.pv[0][0] = PvEntry{Sq("E1"), Sq("D2"), 0};
    g.pv[0][1] = PvEntry{Sq("A7"), Sq("C5"), 1};
    g.pv[0][2] = PvEntry{Sq("H1"), Sq("F3"), 1};
    g.pv[0][3] = PvEntry{};
    UpdateMainLine(e);
    NewBestReport report{3, "e1-d2", 12, false, s.mainLine};
    EXPECT_EQ(CalculationText(report),
              "Depth: 3   Best: e1-d2   Score: 12\r\nMain: e1-d2 a7xc5 h1xf3 ");
    EXPECT_EQ(std::tuple(s.hintFrom, s.hintTo), std::tuple(Sq("A7"), Sq("C5")));
    report.book = true;
    EXPECT_EQ(CalculationText(report), "Depth: 3   Best: e1-d2   Score: 12\r\nBook");
    for (int p = 0; p <= kMaxPly; ++p)  // only twenty moves are written
        g.pv[0][p] = PvEntry{Sq("A1"), Sq("A3"), 1};
    UpdateMainLine(e);
    EXPECT_EQ(std::count(s.mainLine.begin(), s.mainLine.end(), 'x'), 20);
}

TEST_F(Driver, AnalysisLeavesTheGameAsItWasAndNeverRates) {
    // One ply stepped back: the record goes on beyond GamePly.
    SetUp(DefaultRules(), kDefaultSetup, kBlack, 1);
    g.recordLength = 2;
    g.gameRecord[1] = Move{28, 46, 1, 0};
    g.gameRecord[2] = Move{61, 62, 0, 0};
    const Board board = g.board;
    settings.SearchDepth = 3;
    settings.UseBook = 1;
    settings.BookFromGames = 1;  // only the book file is asked
    AnalyzePosition(e);
    EXPECT_EQ(g.board, board);
    EXPECT_EQ(std::tuple(g.side, g.gamePly, g.recordLength, g.gameRecord[2].dest, s.depthReached),
              std::tuple(kBlack, 1, 2, 62, 3));
    EXPECT_TRUE(hooks.ratingUpdates.empty() && hooks.recordedDepths.empty() &&
                hooks.bookLookups.empty());
    EXPECT_FALSE(g.gameOver || ui.list(ListId::Analysis).empty());
    EXPECT_TRUE(ui.messages.empty());  // no draw proposal
    settings.BookFromGames = 0;
    AnalyzePosition(e);
    EXPECT_EQ(hooks.bookLookups, std::vector<bool>{false});

    // A single legal move keeps the depth setting.
    SetUp(DefaultRules(), kOneMove, kWhite, 0);
    settings.SearchDepth = 4;
    AnalyzePosition(e);
    EXPECT_EQ(std::tuple(s.depthReached, settings.SearchDepth, g.board[Sq("A1")]),
              std::tuple(1, 4, kWhiteMan));
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
    const std::optional<RootSearchLimits> limits = PrepareHint(e);
    ASSERT_TRUE(limits && limits->hint && limits->depth == 2);
    const SearchResult result = SearchRootMoves(e, *limits);
    EXPECT_GT(s.nodes, 0u);
    EXPECT_TRUE(result.best.Source != 0 && result.best.Source == g.movePool[0].Source);
    EXPECT_EQ(std::tuple(g.board == start, g.ply, g.gamePly), std::tuple(true, 0, 0));

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
