// The rules against their literal reading, make/unmake, perft, ends, notation, the variant file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>

#include "records/text_lines.h"
#include "records/variant_file.h"
#include "rules/board.h"
#include "rules/game_end.h"
#include "rules/game_setup.h"
#include "rules/move_text.h"
#include "rules/perft.h"
#include "rules/variant.h"
#include "rules/win.h"
#include "rules_test_util.h"
#include "support/fakes.h"
#include "support/random_positions.h"

namespace zelkor::test {
namespace {

using Texts = std::vector<std::string>;

Texts Split(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

VariantRules Rules(std::initializer_list<std::pair<RuleFlag, int>> flags) {
    VariantRules rules = DefaultRules();
    for (auto [flag, value] : flags)
        rules.flags[flag] = static_cast<uint8_t>(value);
    return rules;
}

// White to move: the moves hold `has`, none of `hasNot` ("-": no step), are exactly `only`.
struct Case {
    const char* what;
    VariantRules rules;
    const char* white;
    const char* black;
    const char* has;
    const char* hasNot = "";
    const char* only = nullptr;
    MoveSet allMoves = MoveSet::All;
};

TEST(MoveGeneration, RulesInSmallPositions) {
    const VariantRules def = DefaultRules(), plain = Rules({{OutofHome, 0}});
    const VariantRules mul = Rules({{MulJumps, 1}, {OutofHome, 0}});
    const VariantRules cap = Rules({{CapRequired, 1}, {OutofHome, 0}});
    const VariantRules noCont = Rules({{ManContJump, 0}, {OutofHome, 0}});
    const VariantRules kings = Rules({{LongKings, 1}, {OutofHome, 0}});
    const VariantRules kingFirst = Rules({{LongKings, 1}, {KingFirst, 1}, {OutofHome, 0}});
    const VariantRules max = Rules({{MaxCapMove, 1}, {OutofHome, 0}});
    const VariantRules maxCap = Rules({{MaxCapMove, 1}, {CapRequired, 1}, {OutofHome, 0}});
    const VariantRules maxHome = Rules({{MaxCapMove, 1}});
    const VariantRules maxMulHome = Rules({{MaxCapMove, 1}, {MulJumps, 1}});
    const Case cases[] = {
        {"a jump leaves the man jumped over", def, "d4", "d5", "d4xd6"},
        {"over an own man, never onto a man", def, "d4 d5", "d6", "", "d4xd6"},
        {"chains", plain, "d4", "d5 d7", "d4xd8 d4xd6"},
        {"MulJumps: only whole chains", mul, "d4", "d5 d7", "d4xd8", "d4xd6"},
        {"two routes to one square give one move", plain, "d4", "d5 e6 e4 f5", "d4xf6"},
        {"CapRequired: a man at home jumping forbids no step", cap, "a7 e4", "a6", "a7xa5 e4-e5"},
        {"CapRequired: a man outside can jump", cap, "a7 e4", "e5", "e4xe6", "-"},
        {"OutofHome forces the jump out of the camp", def, "g2 c4", "g3", "", "", "g2xg4"},
        {"over an own man it is not forced", def, "g2 g3 c4", "", "c4-c5"},
        {"a hop deeper into the camp is not forced", def, "g3 c4", "g2", "g3xg1 c4-c5"},
        {"OutofHome off", plain, "g2 c4", "g3", "c4-c5"},
        {"only chains beginning with a forced hop", def, "h2 h3", "g3 e5", "h2xf4 h2xd6", "h2xh4"},
        {"ManContJump 0 stops on own home squares", noCont, "c4", "b5 b7", "c4xa6", "c4xc8"},
        {"ManContJump 1 goes on", plain, "c4", "b5 b7", "c4xa6 c4xc8"},
        {"LongKings slide and jump from a distance", kings, "a1", "a5",
         "a1-a2 a1-a3 a1-a4 a1xa6 a1xa7 a1xa8 a1-h8 a1-h1", "a1-a5"},
        {"KingFirst lands right behind", kingFirst, "a1", "a5", "a1xa6", "a1xa7 a1xa8"},
        {"long kings make no chains", kings, "a1", "a3 c5", "a1xa4", "a1xe6"},
        {"MaxCapMove keeps the longest chains and steps", max, "d4 a1", "d5 d7 b1", "d4xd8 d4-e4",
         "d4xd6 a1xc1"},
        {"MaxCapMove and CapRequired", maxCap, "d4 a1", "d5 d7 b1", "", "", "d4xd8"},
        {"MaxCapMove excepts forced chains, listed as left", maxHome, "g2 g5 b4", "g3 b5 b7", "",
         "", "g2xg6 g2xg4"},
        {"MulJumps still wants forced chains maximal", maxMulHome, "g2 g5 b4", "g3 b5 b7", "", "",
         "g2xg6"},
        {"MulJumps even when an extension is a duplicate", mul, "a4 b5 b1",
         "a1 a3 b4 b6 d7 e2 e5 g2 g6", "a4xe8", "a4xc6"},
        {"all moves: far jumps too", plain, "d5", "e4", "d5xf3"},
        {"reduced set: no jump 4 farther from the corner", plain, "d5", "e4", "", "d5xf3", nullptr,
         MoveSet::Search},
        {"MulJumps uses the reduced set", mul, "d5", "e4", "", "d5xf3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto g = EmptyGame(c.rules);
        Place(*g, Split(c.white), Split(c.black));
        const Texts moves = Generate(*g, c.allMoves);
        const auto count = [&](auto pred) {
            return std::count_if(moves.begin(), moves.end(), pred);
        };
        for (const std::string& m : moves)
            EXPECT_EQ(count([&](auto& t) { return t == m; }), 1) << m;
        for (const std::string& m : Split(c.has))
            EXPECT_EQ(count([&](auto& t) { return t == m; }), 1) << m;
        for (const std::string& m : Split(c.hasNot))
            EXPECT_EQ(count([&](auto& t) { return t == m || (m == "-" && t[2] == '-'); }), 0) << m;
        EXPECT_EQ(moves, c.only ? Split(c.only) : moves);
        EXPECT_EQ(moves, ReferenceMoves(*g, c.allMoves, 100000));
    }
}

// One colour class free, the rest filled: over a million chain paths of at most 15 hops.
TEST(MoveGeneration, MaxCapMoveOnAFilledBoardKeepsTheLongestChains) {
    auto g = EmptyGame(Rules({{MaxCapMove, 1}, {OutofHome, 0}}));
    for (int square : kPlayingSquares)
        if (RowOf(square) % 2 == 1 || ColumnOf(square) % 2 == 0) g->board[square] = kBlackMan;
    g->board[Sq("a1")] = kWhiteMan;
    const Texts moves = Generate(*g);
    bool tooMany = false;
    EXPECT_EQ(moves, ReferenceMoves(*g, MoveSet::Search, 3000000, &tooMany));
    EXPECT_FALSE(tooMany || moves.empty());
}

TEST(MoveGeneration, FullPoolAndDamagedTablesStayInBounds) {
    auto g = DefaultGame();
    g->ply = 1;
    g->plyStart[1] = kMovePoolSize - 5;
    GenerateMoves(*g, MoveSet::All);
    EXPECT_EQ(g->cancelRequest,
              CancelRequest::Now);  // a full pool stops the search, reusing the last slot
    EXPECT_EQ(g->plyStart[2], kMovePoolSize - 1);
    int next = kMovePoolSize;  // one past the pool: the last slot is taken again
    RegisterMove(*g, next, 21, 22);
    EXPECT_TRUE(next == kMovePoolSize - 1 && g->movePool[kMovePoolSize - 1].Source == 21);
    // The ordering score: the main line's move of this ply, then its two killers.
    g->pv[0][1].Source = 21;
    g->pv[0][1].dest = 22;
    g->killers[1][0].Source = g->killers[1][1].dest = 23;
    g->killers[1][0].dest = g->killers[1][1].Source = 21;
    for (auto [from, to, score] : {std::tuple(21, 22, 500), std::tuple(23, 21, 250),
                                   std::tuple(21, 23, 150), std::tuple(22, 21, 0)}) {
        next = 0;
        RegisterCaptureMove(*g, next, from, to);
        EXPECT_EQ(std::tuple(next, g->movePool[0].jump, g->movePool[0].score),
                  std::tuple(1, 1, score));
    }
    g->ply = kMaxPly + 1;  // a ply outside the tables scores nothing
    next = 0;
    RegisterCaptureMove(*g, next, 21, 22);
    EXPECT_EQ(g->movePool[0].score, 0);

    auto h = DefaultGame();
    for (auto& row : h->directions)
        row.fill(12345);
    const Board before = h->board;
    EXPECT_TRUE(Generate(*h).empty());
    h->directions = DirectionTable{};
    EXPECT_TRUE(Generate(*h).empty() && h->board == before);
}

TEST(MoveGeneration, AgreesWithTheLiteralRulesOnRandomPositions) {
    std::mt19937 rng(20261206);
    const char* directionTexts[] = {kAllDirections, "N;E;W N;NE;NW", "NW;N;NE N;N;E;W;S",
                                    "N;NE;E;SE;S;SW;W;NW SW;S;SE;E", "N;S N"};
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        VariantRules rules = DefaultRules();
        for (auto& flag : rules.flags)
            flag = static_cast<uint8_t>(rng() % 2);
        if (round % 2 == 0) {  // every other round a rule set of the direct path
            rules.flags[MaxCapMove] = 0;
            rules.flags[LongKings] = 0;
            rules.flags[ManContJump] = 1;
        }
        rules.directions[0] = directionTexts[rng() % 5];
        rules.directions[1] = directionTexts[rng() % 5];
        if (rng() % 4 == 0) {
            for (auto& list : rules.home)
                for (auto& slot : list)
                    slot = rng() % 3 == 0 ? kPlayingSquares[rng() % 64] : kEmptySlot;
        }
        if (round % 20 == 1) rules.home[round % 40 / 20].fill(kEmptySlot);  // a camp of none
        auto g = EmptyGame(rules);
        g->side = rng() % 2 ? kWhite : kBlack;
        const int density = 20 + static_cast<int>(rng() % 50);
        for (int square : kPlayingSquares) {
            const int r = static_cast<int>(rng() % 100);
            if (r < density) g->board[square] = r % 2 ? kWhiteMan : kBlackMan;
            // Now and then a value no rule knows (a set-up digit, a stray mark): it blocks.
            if (round % 7 == 0 && r == 99) g->board[square] = 3 + static_cast<int>(rng() % 8);
        }
        const auto allMoves = static_cast<MoveSet>(rng() % 2);
        const Board before = g->board;
        bool tooMany = false;
        const Texts expected = ReferenceMoves(*g, allMoves, 200000, &tooMany);
        if (tooMany) continue;
        ASSERT_EQ(g->board, before);
        ASSERT_EQ(Generate(*g, allMoves), expected) << "round " << round;
        ASSERT_EQ(g->board, before) << "round " << round;
        if (allMoves == MoveSet::All) {  // the legal moves as a value: the same list
            Texts legal;
            for (const Move& m : LegalMoves(*g))
                legal.push_back(SquareName(m.Source) + (m.jump ? "x" : "-") + SquareName(m.dest));
            ASSERT_EQ(legal, expected) << "round " << round;
        }
        ++compared;
    }
    EXPECT_GT(compared, 2500);
}

struct Snapshot {
    Board board;
    int side, ply, gamePly;
    explicit Snapshot(const GameState& g)
        : board(g.board), side(g.side), ply(g.ply), gamePly(g.gamePly) {}
    bool operator==(const Snapshot&) const = default;
};

TEST(MakeMove, RefusesWhatIsNoMoveAndStaysInsideTheTables) {
    auto g = DefaultGame();
    const Board board = g->board;
    // A Black man, onto an occupied square, off the board.
    for (const Move m :
         {Move{Sq("a5"), Sq("a4"), 0, 0}, Move{Sq("e1"), Sq("f1"), 0, 0}, Move{0, 500, 0, 0}}) {
        g->movePool[5] = m;
        EXPECT_FALSE(PerformMove(*g, 5));
    }
    EXPECT_FALSE(PerformMove(*g, -1) || PerformMove(*g, kMovePoolSize));
    EXPECT_TRUE(g->board == board && g->gamePly == 0);

    // The tree ends at its last ply without touching the board.
    GenerateMoves(*g, MoveSet::All);
    g->ply = kMaxPly;
    g->plyStart[kMaxPly] = 0;
    EXPECT_TRUE(!PerformMove(*g, 0) && g->cancelRequest == CancelRequest::Now);
    EXPECT_FALSE(TakeBackMove(*g, 0));  // taking back the refused move changes nothing
    EXPECT_EQ(std::tuple(g->board, g->ply, g->gamePly), std::tuple(board, kMaxPly, 0));
    GenerateMoves(*g, MoveSet::All);  // generating at the last ply stays inside the tables
    EXPECT_EQ(g->plyStart[kMaxPly + 1], 24);

    // The game record ends at the end of the move list.
    auto h = DefaultGame();
    h->gamePly = kMaxGamePlies - 1;
    EXPECT_FALSE(GameRecordFull(*h));
    h->gamePly = kMaxGamePlies;
    EXPECT_TRUE(GameRecordFull(*h));
    h->gamePly = kGameRecordSize - 1;
    GenerateMoves(*h, MoveSet::All);
    EXPECT_FALSE(PerformMove(*h, 0));  // the game record has no entry for it
}

TEST(Perft, DefaultStartCountsLeaveTheGameAsItWas) {
    auto g = DefaultGame();
    const Snapshot before(*g);
    const std::vector<uint64_t> counts = {Perft(*g, 1), Perft(*g, 2), Perft(*g, 3), Perft(*g, 4)};
    EXPECT_EQ(counts, (std::vector<uint64_t>{24, 576, 20050, 699750}));
    EXPECT_TRUE(Snapshot(*g) == before);
}

// Each move made and taken back (depth > 1: a few replies too), after the legal moves as a value.
void CheckMovesAt(GameState& g, MoveSet allMoves, int depth, long long& moves) {
    const Snapshot before(g);
    const auto pool = std::make_unique<decltype(g.movePool)>(g.movePool);
    const auto starts = g.plyStart;
    const TrackedPosition tracked = g.tracked;
    const std::vector<Move> legal = LegalMoves(g);
    ASSERT_TRUE(Snapshot(g) == before && g.plyStart == starts && g.tracked == tracked &&
                std::memcmp(pool->data(), g.movePool.data(), sizeof *pool) == 0)
        << "LegalMoves changed the state";
    GenerateMoves(g, allMoves);
    ASSERT_TRUE(Snapshot(g) == before) << "generation changed the position";
    const int first = g.plyStart[g.ply], last = g.plyStart[g.ply + 1];
    ASSERT_TRUE(first <= last && last <= kMovePoolSize);
    ASSERT_TRUE(allMoves != MoveSet::All || static_cast<int>(legal.size()) == last - first);
    for (size_t k = 0; allMoves == MoveSet::All && k < legal.size(); ++k) {
        const Move& m = g.movePool[first + static_cast<int>(k)];
        ASSERT_EQ(std::tuple(legal[k].Source, legal[k].dest, legal[k].jump, legal[k].score),
                  std::tuple(m.Source, m.dest, m.jump, 0));
    }
    for (int i = first; i < last; ++i) {
        const Move m = g.movePool[i];
        ASSERT_TRUE(IsPlayingSquare(m.Source) && IsPlayingSquare(m.dest) && m.Source != m.dest &&
                    g.board[m.Source] == g.side && g.board[m.dest] == kEmpty);
        ASSERT_TRUE(PerformMove(g, i));
        ++moves;
        ASSERT_TRUE(g.board[m.dest] == -g.side && g.board[m.Source] == kEmpty);
        ASSERT_TRUE(g.tracked == TrackPosition(g));  // the search's account follows the move
        if (depth > 1 && i < first + 3) CheckMovesAt(g, allMoves, depth - 1, moves);
        ASSERT_TRUE(TakeBackMove(g, i));
        ASSERT_TRUE(Snapshot(g) == before) << "move " << SquareName(m.Source) << "-"
                                           << SquareName(m.dest) << " was not taken back";
        ASSERT_EQ(g.plyStart[g.ply + 1], last) << "a reply overwrote the moves of this ply";
        ASSERT_TRUE(g.movePool[i].Source == m.Source && g.movePool[i].dest == m.dest);
    }
}

TEST(MakeMoveProperty, RandomPositionsAndRulesRestoreEverything) {
    std::mt19937 rng(9091);
    long long moves = 0;
    for (int game = 0; game < 2000; ++game) {
        auto g = RandomGame(rng);
        SCOPED_TRACE("case " + std::to_string(game) + ": " + SetupText(g->board));
        for (PositionKey& key : g->positionHistory)
            key = PositionKey{rng(), rng() % 4};
        g->gamePly = static_cast<int>(rng() % 200);  // the game's positions fill the filter
        StartTracking(*g);
        const PathFilter filter = g->pathFilter;
        CheckMovesAt(*g, static_cast<MoveSet>(rng() % 2), 2, moves);
        if (HasFatalFailure()) return;
        EXPECT_TRUE(g->tracked == TrackPosition(*g) && g->pathFilter == filter);
        StartTracking(*g);  // again: the filter holds the game's positions once
        EXPECT_TRUE(g->pathFilter == filter);
        StopTracking(*g);
    }
    EXPECT_GT(moves, 10000);
}

TEST(DrawRules, RepetitionAndMoveCountLimit) {
    auto g = DefaultGame();
    // The position after "e1-d1" returns after half-moves 5 and 9: the third occurrence.
    const char* shuffle[] = {"e1-d1", "a5-b5", "d1-e1", "b5-a5"};
    g->ply = 5;  // a game tree left deeper is started again
    for (int ply = 0; ply < 8; ++ply) {
        ASSERT_TRUE(Play(*g, shuffle[ply % 4]));
        EXPECT_EQ(DrawTest(*g, true), DrawKind::None) << ply;
    }
    ASSERT_TRUE(Play(*g, "e1-d1") && g->ply == 0);  // the tree left at its root
    EXPECT_TRUE(DrawTest(*g, true) == DrawKind::Repetition && g->drawFlag == DrawKind::Repetition);
    g->gameOver = true;
    g->cancelRequest = CancelRequest::Now;
    ResetGameTree(*g);  // a new game tree forgets it, and a Cancel meant for the old game
    EXPECT_EQ(std::tuple(g->drawFlag, g->gamePly, g->gameOver, g->cancelRequest),
              std::tuple(DrawKind::None, 0, false, CancelRequest::None));

    // Distinct positions: only the move count, counted from the last jump, decides.
    g = DefaultGame();
    // Jump at half-move index 10, game ply, 15-move rule, flag.
    constexpr DrawKind none = DrawKind::None, moves = DrawKind::MoveCount;
    const std::tuple<bool, int, bool, DrawKind> limits[] = {
        {false, 29, true, none},   {false, 30, true, moves}, {false, 19, false, none},
        {false, 20, false, moves}, {true, 40, true, none},   {true, 41, true, moves},
        {true, 31, false, moves},  {true, 30, false, none}};
    for (auto [jumped, gamePly, rule15, flag] : limits) {
        if (jumped) g->gameRecord[11] = Move{Sq("h1"), Sq("f3"), 1, 0};
        for (int k = 0; k < kHistorySize; ++k)
            g->positionHistory[k] = PositionKey{static_cast<uint64_t>(k) + 99, 7};
        g->gamePly = gamePly;
        EXPECT_EQ(DrawTest(*g, rule15), flag) << gamePly;
    }
    g->gamePly = 41;  // a jump in the record after the position shown does not count
    g->gameRecord[42] = Move{Sq("h1"), Sq("f3"), 1, 0};
    EXPECT_EQ(DrawTest(*g, true), DrawKind::MoveCount);
    // The history beyond its end is not written.
    g->gameRecord[1].jump = 1;
    g->gamePly = kGameRecordSize + 50;
    EXPECT_EQ(DrawTest(*g, true), DrawKind::MoveCount);
    g->gamePly = kHistorySize;
    DrawTest(*g, true);
    EXPECT_EQ(g->positionHistory[kHistorySize - 1], MakePositionKey(g->board));
    // Beyond the history the position is not stored: seen once before, it is no repetition.
    for (int k = 0; k < kHistorySize; ++k)
        g->positionHistory[k] = PositionKey{static_cast<uint64_t>(k) + 99, 7};
    g->positionHistory[0] = MakePositionKey(g->board);
    std::tie(g->gamePly, g->gameRecord[kHistorySize].jump) = std::tuple(kHistorySize + 1, 1);
    EXPECT_EQ(DrawTest(*g, true), DrawKind::None);
    g->positionHistory[1] = g->positionHistory[0];  // seen twice before: the third time
    EXPECT_EQ(DrawTest(*g, true), DrawKind::Repetition);
    // Before the first move nothing is recorded, nor anything before the history's start.
    g->gamePly = 0;
    EXPECT_EQ(
        std::tuple(DrawTest(*g, true), g->gameRecord.back().Source, g->gameRecord.back().dest),
        std::tuple(DrawKind::None, 0, 0));
}

// White's home squares filled in slot order with `whiteIn` White, then `blackIn` Black men.
std::unique_ptr<GameState> Camp(int whiteIn, int blackIn, VariantRules rules = DefaultRules()) {
    auto g = EmptyGame(rules);
    for (int slot = 0; slot < whiteIn + blackIn; ++slot)
        g->board[g->active.home[0][slot]] = slot < whiteIn ? kWhiteMan : kBlackMan;
    return g;
}

TEST(WinConditions, FullCampsCountedSlotBySlot) {
    const WinState full = CheckWinConditions(*Camp(10, 0)), mixed = CheckWinConditions(*Camp(9, 1));
    EXPECT_EQ(std::tuple(full.whiteWon, full.blackWon, mixed.whiteWon, full.whiteIn, full.blackHome,
                         full.whiteHome, full.blackIn, mixed.blackHome),
              std::tuple(true, false, false, 10, 0, 0, 0, 1));
    // Counted slot by slot: of 15 squares the first ten count; a square listed twice, twice.
    VariantRules listed = DefaultRules();
    listed.home[0] = ParseHomeSquares("A8B8C8D8E8F8G8H8A7B7C7D7E7F7G7");
    auto wide = EmptyGame(listed);
    for (int slot = 5; slot < kHomeSlots; ++slot)
        wide->board[wide->active.home[0][slot]] = kWhiteMan;
    EXPECT_FALSE(CheckWinConditions(*wide).whiteWon);
    listed.home[0] = DefaultRules().home[0];
    listed.home[0][9] = listed.home[0][0];
    auto twice = Camp(10, 0, listed);  // nine men
    EXPECT_EQ(std::count(twice->board.begin(), twice->board.end(), kWhiteMan), 9);
    EXPECT_TRUE(CheckWinConditions(*twice).whiteWon);
}

TEST(ResultTextTest, CodesAndBlockedSidesLeaveTheMoveListsAlone) {
    auto g = DefaultGame();
    EXPECT_EQ(ResultText(*g, ResultCode::Draw), "1/2-1/2");
    GenerateMoves(*g, MoveSet::All);
    ASSERT_TRUE(PerformMove(*g, 3));
    GenerateMoves(*g, MoveSet::All);
    const auto pool = g->movePool;
    const auto plyStarts = g->plyStart;
    EXPECT_EQ(ResultText(*g, ResultCode::Win), "");  // both sides can move
    EXPECT_EQ(std::tuple(g->plyStart, g->ply), std::tuple(plyStarts, 1));
    EXPECT_EQ(std::memcmp(g->movePool.data(), pool.data(), sizeof pool), 0);

    for (int starts : {0, 1}) {
        VariantRules rules = DefaultRules();
        rules.flags[BlackStarts] = static_cast<uint8_t>(starts);
        auto h = EmptyGame(rules);
        Place(*h, {"a2", "b2", "b1", "a3", "c3", "c1"}, {"a1"});
        h->side = kBlack;  // Black has no move
        EXPECT_EQ(ResultText(*h, ResultCode::Win), starts ? "0-1" : "1-0");
        h->board = EmptyBoard();
        Place(*h, {"a1"}, {"a2", "b2", "b1", "a3", "c3", "c1"});
        h->side = kWhite;  // White has no move: Black won
        EXPECT_EQ(ResultText(*h, ResultCode::Win), starts ? "1-0" : "0-1");
        auto none = EmptyGame(rules);
        Place(*none, {"c3"}, {});
        const std::string noBlack = ResultText(*none, ResultCode::Win);
        none->board[SquareNumber("C3")] = kBlackMan;  // then no White man
        EXPECT_EQ(noBlack + ResultText(*none, ResultCode::Win), starts ? "0-11-0" : "1-00-1");
    }
    EXPECT_EQ(
        std::tuple(DrawAnnouncement(DrawKind::MoveCount), DrawAnnouncement(DrawKind::Repetition),
                   WinnerColourText(kBlack)),
        std::tuple("It's a draw! 50 Moves Rule", "It's a draw! Triple Repetition", "Black wins!"));
}

TEST(Notation, SquareNamesBothWays) {
    const Board board = EmptyBoard();
    const std::pair<int, const char*> names[] = {{21, "a1"}, {98, "h8"}, {58, "h4"}};
    for (auto [square, name] : names)
        EXPECT_EQ(SquareNotation(board, square), name);
    for (int square : {0, 20, 29, 30, 99, 100, 119, -5, 500})
        EXPECT_EQ(SquareNotation(board, square), "--") << square;
    // Only two upper-case characters are read.
    const std::pair<const char*, int> numbers[] = {{"A1", 21}, {"H8", 98}, {"B3xyz", 42}, {"a1", 0},
                                                   {"I1", 0},  {"A9", 0},  {"", 0},       {"A", 0},
                                                   {"A0", 0},  {"@1", 0}};
    for (auto [text, square] : numbers)
        EXPECT_EQ(SquareNumber(text), square) << text;
    // A move of the pool by its index; none outside the pool.
    auto g = DefaultGame();
    g->movePool[0] = Move{21, 32, 0, 0};
    std::string texts;
    for (int index : {-1, 0, kMovePoolSize})
        texts += DisplayMove(*g, index).display + " ";
    EXPECT_EQ(texts, "----- a1-b2 ----- ");
}

TEST(Directions, UnknownNameEndsItsListBlackIsMirroredAndRowsDoNotOverflow) {
    DirectionTable table{};
    EXPECT_TRUE(ParseDirections("N;E W", 1, table));
    EXPECT_EQ(std::tuple(table[1][0], table[1][1], table[1][2], table[3][0], table[3][1]),
              std::tuple(-10, -1, kDirectionEnd, 1, kDirectionEnd));
    EXPECT_FALSE(ParseDirections("N;X;E S", 0, table));
    EXPECT_EQ(std::tuple(table[0][0], table[0][1], table[2][0], table[2][1]),
              std::tuple(10, kDirectionEnd, -10, kDirectionEnd));
    EXPECT_FALSE(ParseDirections("N;N;N;N;N;N;N;N;N N", 0, table));
    EXPECT_EQ(std::tuple(table[0][8], table[2][0]),
              std::tuple(int16_t{kDirectionEnd}, int16_t{10}));
    for (int side : {0, 1}) {  // either side's text alone makes the rules in force fail
        auto g = DefaultGame();
        g->active.directions[side] = "N;X S";
        EXPECT_FALSE(ApplyRules(*g)) << side;
    }
}

TEST(HomeSquaresAndSetup, ReorderTablesAndTexts) {
    HomeSquares home = DefaultHomeSquares();
    ReorderHomeSquares(home);  // to the far corners
    EXPECT_EQ(std::tuple(home[0][0], home[1][0]), std::tuple(91, 28));
    const HomeTables tables = BuildHomeTables(home);
    EXPECT_EQ(std::tuple(tables.targetCount[0], tables.owner[91], tables.owner[28],
                         tables.owner[55], tables.targetDistance[0][91]),
              std::tuple(10, 0, 1, -1, 125));
    EXPECT_EQ(tables.targetDistance[0][28], 1);  // eleven steps from A5, B6 and D8
    const auto list = ParseHomeSquares("A8B8");  // lower-case pieces and empty slots skipped
    EXPECT_EQ(std::tuple(list[0], list[1], list[2]), std::tuple(91, 92, kEmptySlot));
    EXPECT_EQ(std::tuple(HomeSquaresText(list), ParseHomeSquares("a8b8")[0]),
              std::tuple("A8B8", kEmptySlot));

    Board board = EmptyBoard();
    EXPECT_TRUE(ApplySetupText(kDefaultSetup, board));
    EXPECT_EQ(std::tuple(board[25], board[91], SetupText(board)),
              std::tuple(kWhiteMan, kBlackMan, kDefaultSetup));
    EXPECT_FALSE(ApplySetupText("39", board));  // foreign digits become empty squares
    EXPECT_EQ(std::tuple(board[21], board[22], board[20]), std::tuple(kEmpty, kEmpty, kOffBoard));
}

const std::string kHeader = "ZELKOR Version=0.10";

class VariantFileTest : public ::testing::Test {
  protected:
    void Write(const std::string& contents) { WriteFile(dir / kVariantFileName, contents); }
    VariantFileStatus Load(uint8_t number) {
        variant = number;
        return LoadVariant(*g, dir.path(), variant, ui);
    }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    uint8_t variant = 1;
};

TEST_F(VariantFileTest, ReadsEveryKeyOfTheChosenBlock) {
    Write(kHeader + "\r\n" +
          "Variant=First\r\nMulJumps=1\r\nEND\r\nignored line\r\nVariant=Second\r\n"
          "Setup=1200000000000000000000000000000000000000000000000000000000000002\r\n"
          "MulJumps=0\r\nMaxCapMove=1\r\nBlackStarts=1\r\nPromoW=A8B8\r\nPromoB=a1H1\r\n"
          "ManContJump=0\r\nLongKings=1\r\nKingFirst=1\r\nCapRequired=1\r\nHomeLess=1\r\n"
          "FullHome=1\r\nOutofHome=0\r\nWhiteManMovement=N;E W\r\nBlackManMovement=S N\r\n"
          "Help=abc\r\nHelp=def\r\nunknown=5\r\nEND\r\n");
    g->defined = DefaultRules();
    ASSERT_EQ(Load(2), VariantFileStatus::Loaded);
    const VariantRules& d = g->defined;
    EXPECT_EQ(d.name + "|" + d.help + "|" + g->active.name + "|" + g->active.help,
              "Second|abc\ndef|Second|abc\ndef");
    EXPECT_EQ(d.flags, (std::array<uint8_t, kRuleFlagCount>{1, 1, 1, 1, 1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(HomeSquaresText(d.home[0]), "A8B8");
    EXPECT_EQ(std::tuple(d.home[0][2], d.home[1][0], d.home[1][1]),
              std::tuple(kEmptySlot, kEmptySlot, 28));  // lower case is no square
    EXPECT_EQ(d.directions[0] + "|" + d.directions[1], "N;E W|S N");
    EXPECT_EQ(std::tuple(g->board[21], g->board[22], g->board[23], g->board[98], g->board[20]),
              std::tuple(kWhiteMan, kBlackMan, kEmpty, kBlackMan, kOffBoard));
    EXPECT_TRUE(g->initialBoard == g->board && variant == 2 && ui.messages.empty());

    // Missing keys and "normal" keep the set-up and the flags as they were.
    Write(CrLf({kHeader, "Variant=Plain", "Setup=normal", "PromoW=a8b8", "END"}));
    ApplySetupText(kDefaultSetup, g->board);
    g->defined = DefaultRules();
    g->defined.flag(LongKings) = 1;
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_EQ(SetupText(g->board), kDefaultSetup);
    EXPECT_EQ(std::tuple(g->defined.flag(LongKings), g->defined.flag(OutofHome)),
              (std::tuple<uint8_t, uint8_t>(1, 1)));
    EXPECT_EQ(HomeSquaresText(g->defined.home[0]), "");
    EXPECT_EQ(g->defined.home[1], DefaultHomeSquares()[1]);
    for (const std::string e : {"\n", "\r"}) {  // LF or CR and odd set-up characters
        Write(kHeader + e + "Variant=Lf" + e + "Setup=1x92" + e + "BlackStarts=1" + e + "END");
        ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
        EXPECT_EQ(g->defined.name + std::to_string(g->defined.flag(BlackStarts)), "Lf1");
        EXPECT_EQ(SetupText(g->board).substr(0, 5), "10020");
    }
    // Text, even "inf", reads as zero; a sign belongs to the number; a fraction is rounded.
    Write(CrLf({kHeader, "Variant=One", "MulJumps=inf", "LongKings= 1 ",
                "KingFirst=255000000000e-09", "CapRequired=+.6", "END"}));
    g->defined.flag(MulJumps) = 1;
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);
    EXPECT_EQ(std::tuple(g->defined.flag(MulJumps), g->defined.flag(LongKings),
                         g->defined.flag(KingFirst), g->defined.flag(CapRequired)),
              (std::tuple<uint8_t, uint8_t, uint8_t, uint8_t>(0, 1, 255, 1)));
}

TEST_F(VariantFileTest, BlocksWithoutEndAndNumbersThatFallBackToVariantOne) {
    Write(CrLf({kHeader, "Variant=One", "MulJumps=1", "Help=a", "Variant=Two", "MulJumps=0",
                "LongKings=1", "Help=b", "END"}));
    ASSERT_EQ(Load(1), VariantFileStatus::Loaded);  // runs into the next block
    EXPECT_EQ(g->defined.name + g->defined.help, "Onea\nb");
    EXPECT_EQ(std::tuple(g->defined.flag(MulJumps), g->defined.flag(LongKings)),
              (std::tuple<uint8_t, uint8_t>(0, 1)));
    EXPECT_EQ(ListVariantNames(dir.path(), false), (std::vector<std::string>{"One", "Two"}));

    Write(CrLf({kHeader, "Variant=One", "Setup=normal", "END", "Variant=Two", "END"}));
    for (uint8_t number : {3, 0}) {
        EXPECT_EQ(Load(number), VariantFileStatus::Loaded);
        EXPECT_EQ(g->defined.name + std::to_string(variant), "One1");
    }
    // The broken block's set-up must not survive the fall-back.
    ApplySetupText(kDefaultSetup, g->board);
    Write(CrLf({kHeader, "Variant=One", "END", "Variant=Broken", "Setup=1111", "MulJumps=1"}));
    EXPECT_EQ(Load(2), VariantFileStatus::Loaded);
    EXPECT_EQ(std::tuple(g->defined.name + std::to_string(variant), SetupText(g->board),
                         ui.messages.size()),
              std::tuple("One1", kDefaultSetup, 0u));
}

// A file that cannot be used is reported (missing: silently) and the rules stay.
TEST_F(VariantFileTest, BadFilesAreReportedAndTheRulesStay) {
    g->defined = DefaultRules();
    EXPECT_EQ(Load(1), VariantFileStatus::Missing);
    EXPECT_TRUE(ui.messages.empty() && ListVariantNames(dir.path(), true).empty());

    using S = VariantFileStatus;
    const std::string file = (dir / kVariantFileName).string();
    const std::string stays = "; the rules stay as they were";
    const std::string foreign = "Zelkor: VARIANTS.INI is not an Zelkor Variants file";
    const std::string version = "Error: Incorrect version of VARIANTS.INI\r\nNeed version 0.10";
    std::string binary;
    for (int i = 0; i < 5000; ++i)
        binary += static_cast<char>(i * 7919 % 256);
    // File text, variant number, result, message.
    std::vector<std::tuple<std::string, int, S, std::string>> rows = {
        {CrLf({"ZELKOR version=0.10", "Variant=A", "END"}), 1, S::NotVariantFile, foreign},
        {"ZELKOR", 1, S::NotVariantFile, foreign},
        {binary, 1, S::NotVariantFile, foreign},
        {CrLf({kHeader, "x", "Variant=One", "MulJumps=1"}), 1, S::Damaged,
         "Error: " + file + ": the block \"Variant=One\" (line 3) has no line END" + stays},
        {CrLf({kHeader, "Variant=One", "MulJumps=1"}), 4, S::Damaged,
         "Error: " + file + ": the block \"Variant=One\" (line 2) has no line END" + stays},
        {CrLf({kHeader}), 4, S::Damaged, "Error: " + file + " holds no block \"Variant=\"" + stays},
        {CrLf({kHeader, "Variant=One", "Help=h", "MulJumps=256", "END"}), 1, S::Damaged,
         "Error: " + file + ", line 4: MulJumps=256 does not fit in the block \"Variant=One\" " +
             "(line 2)" + stays}};
    // The version is compared as a number, in single precision.
    const std::pair<const char*, bool> versions[] = {
        {"0.11", false},     {"", false},           {"abc", false},     {"1.0", false},
        {"0.1", true},       {"0.10", true},        {"1E-00001", true}, {" 0.10", true},
        {"0.10 beta", true}, {"0.0999999999", true}};
    for (auto [v, right] : versions) {
        rows.push_back({CrLf({std::string("ZELKOR Version=") + v, "Variant=A", "END"}), 1,
                        right ? S::Loaded : S::WrongVersion, right ? "" : version});
    }
    for (const auto& [text, number, status, message] : rows) {
        SCOPED_TRACE(text.substr(0, 40));
        Write(text);
        g->defined = DefaultRules();
        ui.messages.clear();
        EXPECT_EQ(Load(number), status);
        EXPECT_EQ(ui.messages.empty() ? "" : Shown(ui.messages[0]), message);
        EXPECT_TRUE(ui.messages.size() <= 1 &&
                    (status == S::Loaded || g->defined.flag(MulJumps) == 0));
        EXPECT_TRUE(status != S::NotVariantFile || ui.messages.at(0).icon == Icon::Exclamation);
        EXPECT_TRUE(text != binary || ListVariantNames(dir.path(), false).empty());
    }

    // A folder, a pipe or a device in the file's place cannot be read; nothing blocks.
    const auto place = dir / kVariantFileName;
    for (const std::string kind : {"folder", "/dev/zero", "/dev/null", "pipe"}) {
        std::filesystem::remove(place);
        if (kind == "folder") std::filesystem::create_directory(place);
        if (kind == "pipe") mkfifo(place.c_str(), 0600);
        if (kind[0] == '/') std::filesystem::create_symlink(kind, place);
        ui.messages.clear();
        EXPECT_EQ(Load(1), S::Damaged) << kind;
        EXPECT_EQ(Shown(ui.messages.at(0)), "Error: " + file + " cannot be read" + stays);
        EXPECT_TRUE(ListVariantNames(dir.path(), false).empty());
    }
    std::filesystem::remove(place);

    // Lines of hundreds of kilobytes are cut.
    const std::string help = "\r\nHelp=" + std::string(300000, 'h');  // twice: the help is cut too
    Write(kHeader + "\r\nVariant=" + std::string(200000, 'x') + help + help + "\r\n" + binary +
          "\r\nEND\r\n");
    ASSERT_EQ(Load(1), S::Loaded);
    EXPECT_LE(std::max(g->defined.name.size(), g->defined.help.size()), kMaxLineLength);
}

TEST_F(VariantFileTest, DialogReaderFillsBothRuleSetsAndItsFields) {
    Write(CrLf({kHeader, "Variant=Dlg", "Setup=1", "CapRequired=1", "OutofHome=0", "PromoW=H8G8",
                "WhiteManMovement=N;NE NW", "BlackManMovement=S", "END"}));
    g->active = g->defined = DefaultRules();
    ApplySetupText(kDefaultSetup, g->board);
    const DialogVariant d = ReadVariantForDialog(*g, dir.path(), variant, ui);
    ASSERT_EQ(d.status, VariantFileStatus::Loaded);
    EXPECT_EQ(std::tuple(g->active.flag(CapRequired), g->defined.flag(CapRequired),
                         g->active.flag(OutofHome)),
              (std::tuple<uint8_t, uint8_t, uint8_t>(1, 1, 0)));
    EXPECT_EQ(std::tuple(g->defined.home[0][0], d.home[0][1], d.home[0][2]),
              std::tuple(98, 97, kEmptySlot));
    EXPECT_EQ(g->active.home, DefaultHomeSquares());  // the dialog applies its fields itself
    EXPECT_EQ(
        d.normalMoves[0] + "|" + d.jumpMoves[0] + "|" + d.normalMoves[1] + "|" + d.jumpMoves[1],
        "N;NE|NW|S|");
    EXPECT_EQ(g->defined.directions[0], "N;NE NW");
    const auto& t = g->directions;
    EXPECT_EQ(std::tuple(t[0][0], t[0][1], t[2][0], t[1][0], t[3][0]),
              std::tuple(kNorth, kNorthEast, kNorthWest, -kSouth, kDirectionEnd));
    EXPECT_TRUE(d.table == g->directions && d.setup == std::optional<std::string>("1") &&
                SetupText(g->board) == kDefaultSetup);
}

}  // namespace
}  // namespace zelkor::test
